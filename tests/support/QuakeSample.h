// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

namespace tremora::test
{

/// A record with the fields the report and the map show; the time is given in seconds of the
/// day, the rest of the record is zero.
QuakeRecord quake(double day, double secondsOfDay, int mag10, int depth10 = 0, float lon = 0, float lat = 0,
    int source = 0);

/// Seconds of the day of a clock time, for quake().
constexpr double secondsOfDay(int hour, int minute, int second)
{
    return hour * 3600 + minute * 60 + second;
}

} // namespace tremora::test
