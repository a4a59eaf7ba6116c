// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <QString>

namespace tremora
{

struct LoadResult {
    bool fileFound = false;
    qint64 recordsInFile = 0; // whole records the file holds
    int loaded = 0; // records placed in slots 1..loaded
    bool overCapacity = false; // the file held more than the catalogue can take; its newest came
    QString error; // set when the file exists but could not be read
    /// Oldest records that gave way in the update this load ends: a record that was at index i
    /// before it is now at i - droppedOldest. Zero for a load of its own.
    int droppedOldest = 0;
};

/// Replaces slots 1..n with the records of CatalogueFileName and sets CatalogueCount to n.
/// A missing, empty or shorter-than-one-record file gives an empty catalogue; trailing bytes
/// after the last whole record are ignored; of a file longer than the capacity the newest
/// kCatalogueCapacity records are loaded. One read for the whole file.
LoadResult LoadCatalogue(Catalogue& catalogue);

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
