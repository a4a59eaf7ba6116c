// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <QString>

#include <memory>

namespace tremora
{

inline constexpr int kCatalogueSlots = 2'000'000;
/// Slot 0 is the work record, so one slot less than the array holds records.
inline constexpr int kCatalogueCapacity = kCatalogueSlots - 1;
inline constexpr const char* kCatalogueFileName = "Baza_USGS.dat";

/// The earthquake catalogue: one array of slots allocated once for the run. Records live in
/// slots 1 .. CatalogueCount, oldest first; slot 0 is the import's work record.
class Catalogue
{
public:
    Catalogue();

    QuakeRecord& operator[](int slot) { return m_slots[static_cast<std::size_t>(slot)]; }
    const QuakeRecord& operator[](int slot) const { return m_slots[static_cast<std::size_t>(slot)]; }
    QuakeRecord& WorkRecord() { return m_slots[0]; }
    const QuakeRecord& WorkRecord() const { return m_slots[0]; }
    QuakeRecord* slots() { return m_slots.get(); }
    const QuakeRecord* slots() const { return m_slots.get(); }

    /// Newest record (slot CatalogueCount); only meaningful when CatalogueCount > 0.
    const QuakeRecord& newest() const { return (*this)[CatalogueCount]; }

    int CatalogueCount = 0;
    int ImportCount = 0;
    QString CatalogueFileName = QString::fromLatin1(kCatalogueFileName);

private:
    std::unique_ptr<QuakeRecord[]> m_slots;
};

} // namespace tremora
