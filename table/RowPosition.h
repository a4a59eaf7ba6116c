// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace tremora
{

/// Units of 0.0001 in which positions copied from a table row are counted.
inline constexpr std::int64_t kPositionScale = 10000;
/// Half-widths of the box of about 100 km around a row's point, in those units: 1.2 degrees of
/// longitude and 0.9 degrees of latitude at every latitude, never clamped.
inline constexpr std::int64_t kBoxHalfLon = 12000;
inline constexpr std::int64_t kBoxHalfLat = 9000;

/// A decimal number as the table writes it (comma, or dot, as the decimal separator; sign;
/// rounded to four decimals, half away from zero) in units of 0.0001. Throws ConversionError,
/// naming the text, for anything else (an empty text too).
std::int64_t positionUnits(const QString& text);

/// The same number as a float, for the tile key.
float positionDegrees(const QString& text);

/// The two bounds of one side of a box around a row's coordinate, each in the FixedText form.
struct PositionBounds {
    QString low;
    QString high;
};

/// The coordinate minus and plus `halfWidth` (units of 0.0001), exact: 16,19 with kBoxHalfLon
/// gives 14,99 and 17,39. Throws as positionUnits.
PositionBounds boundsAround(const QString& text, std::int64_t halfWidth);

/// "lat,lon" with dots as decimal separators, as shown for the selected row: 50.89,15.025.
QString pointText(const QString& latText, const QString& lonText);

} // namespace tremora
