// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"

#include <algorithm>
#include <cstring>

namespace tremora
{

bool isSoundRecord(const QuakeRecord& r)
{
    // Written so that a NaN, which fails every comparison, fails the test.
    return r.OriginDate >= kFirstSoundDay && r.OriginDate <= kLastSoundDay && r.OriginTime >= 0
        && r.OriginTime < 1 && r.Longitude >= -180 && r.Longitude <= 180 && r.Latitude >= -90
        && r.Latitude <= 90 && r.Mag10 <= kMaxSoundMag10 && r.Depth10 <= kMaxSoundDepth10;
}

Catalogue::Catalogue()
    : m_slots(std::make_unique<QuakeRecord[]>(kCatalogueSlots))
{
}

void Catalogue::appendImported(const QuakeRecord& record)
{
    if (ImportCount < kCatalogueCapacity) {
        m_slots[static_cast<std::size_t>(++ImportCount)] = record;
        if (m_lowestWritten == 0 || ImportCount < m_lowestWritten)
            m_lowestWritten = ImportCount;
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

void Catalogue::beginImport()
{
    dropOverflow();
    m_lowestWritten = 0;
}

int Catalogue::firstImportedIndex() const
{
    // Every slot was replaced once the overflow ran full.
    if (m_folded > 0)
        return 1;
    const auto waiting = static_cast<int>(m_overflow.size());
    // Taking the import moves every slot down by the rows waiting past the last one.
    if (m_lowestWritten > 0)
        return std::max(1, m_lowestWritten - waiting);
    return waiting > 0 ? ImportCount - waiting + 1 : 0;
}

void Catalogue::dropOverflow()
{
    std::vector<QuakeRecord>().swap(m_overflow); // a rebuild's overflow is tens of megabytes
    m_folded = 0;
}

} // namespace tremora
