// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <QString>

#include <memory>
#include <span>
#include <vector>

namespace tremora
{

inline constexpr int kCatalogueSlots = 2'000'000;
/// Slot 0 is the work record, so one slot less than the array holds records.
inline constexpr int kCatalogueCapacity = kCatalogueSlots - 1;
inline constexpr const char* kCatalogueFileName = "Baza_USGS.dat";

/// The bounds within which a record describes a real earthquake. Anything beyond is damage (a
/// damaged disk, another program's writing) and never reaches a display: the date lies in the
/// years 1900 to 2100 (a date a little in the future is a wrong clock, not damage), the time of
/// day is a fraction of a day, the position on the globe, the magnitude at most 10,0 and the
/// depth at most 1000 km.
inline constexpr double kFirstSoundDay = 2; // 1900-01-01
inline constexpr double kLastSoundDay = 73'415; // 2100-12-31
inline constexpr int kMaxSoundMag10 = 100;
inline constexpr int kMaxSoundDepth10 = 10'000;
bool isSoundRecord(const QuakeRecord& record);

/// The earthquake catalogue: one array of slots allocated once for the run. Records live in
/// slots 1 .. CatalogueCount, oldest first; slot 0 is the import's work record.
///
/// A full catalogue keeps following the newest events: rows an import brings past the last slot
/// wait in an overflow, and when the import is taken the oldest records give way to them, as
/// many as there are. Until then slots 1 .. CatalogueCount stay in order.
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

    /// Places an imported row after slot ImportCount, or, once ImportCount is the last slot,
    /// in the overflow.
    void appendImported(const QuakeRecord& record);
    /// How many of the oldest records give way when the import is taken.
    int importDropCount() const { return m_folded + static_cast<int>(m_overflow.size()); }
    /// Index the newest imported row would have in a catalogue without a capacity.
    int importEnd() const { return ImportCount + importDropCount(); }
    /// Rows waiting past the last slot, oldest first. They follow slots
    /// overflow().size() + 1 .. ImportCount, which are the import's older records that stay.
    std::span<const QuakeRecord> overflow() const { return m_overflow; }
    /// Makes the import the catalogue in memory: CatalogueCount := ImportCount, the oldest
    /// records give way to the overflow and slots 1 .. CatalogueCount hold the newest records in
    /// order. Returns how many gave way.
    int takeImport();
    /// Forgets the rows waiting past the last slot (an update that ends unsaved, or one that
    /// starts).
    void dropOverflow();

    /// An import begins: forgets where the previous one wrote.
    void beginImport();
    /// Index that the oldest row written by this import has once the import is taken (after
    /// the oldest records gave way); 0 when it wrote nothing. Rows an update writes again over
    /// equal ones count as written: whatever lies at or above this index may be new.
    int firstImportedIndex() const;

    int CatalogueCount = 0;
    int ImportCount = 0;
    QString CatalogueFileName = QString::fromLatin1(kCatalogueFileName);

private:
    std::unique_ptr<QuakeRecord[]> m_slots;
    std::vector<QuakeRecord> m_overflow;
    int m_folded = 0; // records that gave way when the overflow ran full and replaced every slot
    int m_lowestWritten = 0; // lowest slot the import wrote, 0 for none
};

} // namespace tremora
