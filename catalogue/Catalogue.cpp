// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"

#include <algorithm>
#include <cstring>

namespace tremora
{

Catalogue::Catalogue()
    : m_slots(std::make_unique<QuakeRecord[]>(kCatalogueSlots))
{
}

void Catalogue::appendImported(const QuakeRecord& record)
{
    if (ImportCount < kCatalogueCapacity) {
        m_slots[static_cast<std::size_t>(++ImportCount)] = record;
        return;
    }
    m_overflow.push_back(record);
    // An overflow as long as the catalogue is the catalogue: it takes every slot, and the wait
    // starts again, so no import holds more than one catalogue of rows beside the slots.
    if (m_overflow.size() == std::size_t(kCatalogueCapacity)) {
        std::copy(m_overflow.begin(), m_overflow.end(), m_slots.get() + 1);
        m_folded += kCatalogueCapacity;
        m_overflow.clear();
    }
}

int Catalogue::takeImport()
{
    const int dropped = importDropCount();
    const auto waiting = static_cast<int>(m_overflow.size());
    if (waiting > 0) {
        QuakeRecord* first = m_slots.get() + 1;
        std::memmove(first, first + waiting, std::size_t(ImportCount - waiting) * sizeof(QuakeRecord));
        std::copy(m_overflow.begin(), m_overflow.end(), first + (ImportCount - waiting));
    }
    CatalogueCount = ImportCount;
    dropOverflow();
    return dropped;
}

void Catalogue::dropOverflow()
{
    std::vector<QuakeRecord>().swap(m_overflow); // a rebuild's overflow is tens of megabytes
    m_folded = 0;
}

} // namespace tremora
