// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "places/PlaceList.h"

#include <QString>

namespace tremora
{

struct PlaceFileLoad {
    bool fileFound = false;
    qint64 recordsInFile = 0; // whole records the file holds
    int loaded = 0; // records placed in slots 1..loaded
    bool overCapacity = false; // the file held more records than the list can take
    bool shortLastRecord = false; // bytes after the last whole record, ignored
    QString error; // the file exists but could not be read
};

/// Fills slots 1..n with the records of fileName, as they are, and sets PlaceCount to n.
/// A missing file gives an empty list, silently. Only whole records are read and never more
/// than kPlaceCapacity of them.
PlaceFileLoad LoadPlaceList(PlaceList& places, const QString& fileName);

struct PlaceFileSave {
    bool ok = false;
    QString error;
};

/// Writes slots 1..PlaceCount to fileName in the same layout, the unused bytes of each record
/// zeroed. The file is replaced whole (temporary file, then rename): a failed save leaves the
/// old file as it was.
PlaceFileSave SavePlaceList(const PlaceList& places, const QString& fileName);

} // namespace tremora
