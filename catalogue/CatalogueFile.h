// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <QString>

class QDate;
class QIODevice;

namespace tremora
{

struct LoadResult {
    bool fileFound = false;
    qint64 recordsInFile = 0; // whole records the file holds
    int loaded = 0; // records placed in slots 1..loaded
    bool overCapacity = false; // the file held more than the catalogue can take; its newest came
    QString error; // set when the file exists but could not be read
    /// Records left out as damaged (isSoundRecord fails), a last part-record included: slots
    /// 1..loaded hold only the sound ones, in the file's order.
    int damaged = 0;
    /// Oldest records that gave way in the update this load ends: a record that was at index i
    /// before it is now at i - droppedOldest. Zero for a load of its own.
    int droppedOldest = 0;
};

/// Replaces slots 1..n with the sound records of CatalogueFileName and sets CatalogueCount to n.
/// A missing or empty file gives an empty catalogue; of a file longer than the capacity the newest
/// kCatalogueCapacity records are loaded. Damaged records, and bytes after the last whole record,
/// are left out and counted (LoadResult::damaged). The file is read in large pieces, each checked
/// while it is still in the cache.
LoadResult LoadCatalogue(Catalogue& catalogue);
/// The same from an open file whose size says how many records it holds; a read that breaks off
/// keeps the whole records that came and sets `error`.
LoadResult LoadCatalogueFrom(Catalogue& catalogue, QIODevice& file);

/// Word of the name a damaged catalogue file is set aside under: "<name>.uszkodzona-<date>".
inline constexpr const char* kDamagedSuffix = ".uszkodzona-";

struct SetAside {
    bool ok = false;
    QString path; // where the file now is
    QString error;
};

/// Moves a catalogue file that could not be read whole out of the way, to
/// "<file>.uszkodzona-<yyyy-MM-dd>" (then "-2", "-3", ... when that name is taken), so that no
/// later save replaces the records only it still holds.
SetAside setAsideDamagedFile(const QString& fileName, const QDate& day);

struct SaveResult {
    bool ok = false;
    QString error;
};

/// Rewrites CatalogueFileName from slots 1..CatalogueCount: written whole to a temporary file in
/// the same folder, flushed to disk and renamed over the old file, so a failed save leaves the
/// old file as it was. The bytes are exactly the records' memory image.
SaveResult SaveCatalogue(const Catalogue& catalogue);

/// Rewrites CatalogueFileName, the same way, with the catalogue that taking the import gives
/// (Catalogue::takeImport): slots overflow + 1 .. ImportCount, then the overflow. Nothing moves
/// in memory; loading the file afterwards puts the records in their new slots.
SaveResult SaveImport(const Catalogue& catalogue);

} // namespace tremora
