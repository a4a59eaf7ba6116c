// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tremora
{

/// The magnitude range set under the map, in tenths, both ends included.
struct MagnitudeRange {
    int low = 20;
    int high = 99;
};

/// The range from the spin edits "Magnituda OD" (whole part, tenths) and "Magnituda DO".
MagnitudeRange magnitudeRangeOf(int fromWhole, int fromTenths, int toWhole, int toTenths);

/// True when a magnitude in tenths lies within the range, compared as integers.
bool InMapMagnitudeRange(int mag10, const MagnitudeRange& range);

/// True when a record's day lies in the map period: from the start picker's day to the end
/// picker's day, both included. Only the pickers' days count, so whatever time of day they carry
/// (midnight or later) neither the day before the start nor the day after the end gets in.
bool InMapPeriod(double originDate, double start, double end);

} // namespace tremora
