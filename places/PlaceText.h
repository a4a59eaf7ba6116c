// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "places/PlaceList.h"

#include <QString>

namespace tremora
{

inline constexpr const char* kPlacePointsFileName = "Lokalizacje2.txt";
inline constexpr const char* kPlaceNamesFileName = "Kraje2.txt";
/// How many places Load_lokalizacje2 adds after the named ones.
inline constexpr int kExtraPlaceCount = 7;

struct PlacePointsLoad {
    bool fileFound = false;
    int places = 0; // complete code/latitude/longitude groups taken
    bool overCapacity = false; // the text held more places than the list takes; the rest was left
    QString error; // the file exists but could not be read
};

/// Rebuilds codes and coordinates of slots 1.. from a text of "CODE,LAT,LON" lines ("." as the
/// decimal point) and sets PlaceCount to the number of complete groups. Codes are cut to 2 bytes,
/// numbers rounded to four decimals and stored in single precision; codes3 and names stay.
/// A missing file changes nothing. Stops at kPlaceCapacity places.
/// Throws ConversionError for a number field that is not a decimal number (an empty one too):
/// slots filled before it keep their new values and PlaceCount stays as it was.
PlacePointsLoad Load_lokalizacje(PlaceList& places, const QString& path);

struct PlaceNamesLoad {
    bool fileFound = false;
    int groups = 0; // complete name/name/code/code3 rows read
    int appended = 0; // extra places added after slot PlaceCount
    int notAppended = 0; // extra places left out because the list was full
    QString error; // the file exists but could not be read
};

/// Names the places from a UTF-8 text of "Polish<TAB>English<TAB>code<TAB>code3" lines: every
/// place with a row's code takes its names and code3, a later row overriding an earlier one.
/// Then gives AN, AP and EU their fixed names and appends the extra places (Poland, California,
/// Yellowstone, Grand Canyon, Alaska, China, Kamchatka) as far as the capacity allows.
/// A missing file changes nothing.
PlaceNamesLoad Load_lokalizacje2(PlaceList& places, const QString& path);

struct PlaceRebuild {
    bool ok = false;
    int placeCount = 0;
    QString message; // Polish, for the user: what was written, or why nothing was
};

/// Builds the place file outFile from Lokalizacje2.txt and Kraje2.txt in textFolder (through
/// Load_lokalizacje and Load_lokalizacje2 on an empty list) and writes it whole. Nothing is
/// written when either text is missing or unreadable or holds a malformed number.
PlaceRebuild rebuildPlaceFile(const QString& textFolder, const QString& outFile);

/// The first maxBytes bytes of a UTF-8 text, shortened further so that no character is cut.
QByteArray cutUtf8(const QByteArray& text, int maxBytes);

} // namespace tremora
