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
    bool overCapacity = false; // the file held more than the catalogue can take
    QString error; // set when the file exists but could not be read
};

/// Replaces slots 1..n with the records of CatalogueFileName and sets CatalogueCount to n.
/// A missing, empty or shorter-than-one-record file gives an empty catalogue; trailing bytes
/// after the last whole record are ignored; records past the capacity are not loaded.
/// One read for the whole file.
LoadResult LoadCatalogue(Catalogue& catalogue);

struct SaveResult {
    bool ok = false;
    QString error;
};

/// Rewrites CatalogueFileName from slots 1..CatalogueCount: written whole to a temporary file in
/// the same folder, flushed to disk and renamed over the old file, so a failed save leaves the
/// old file as it was. The bytes are exactly the records' memory image.
SaveResult SaveCatalogue(const Catalogue& catalogue);

} // namespace tremora
