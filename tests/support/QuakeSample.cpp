// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QuakeSample.h"

#include <cstdint>

namespace tremora::test
{

QuakeRecord quake(double day, double secondsOfDay, int mag10, int depth10, float lon, float lat, int source)
{
    QuakeRecord r;
    r.OriginDate = day;
    r.OriginTime = secondsOfDay / 86400.0;
    r.Mag10 = static_cast<std::uint8_t>(mag10);
    r.Depth10 = static_cast<std::uint16_t>(depth10);
    r.Longitude = lon;
    r.Latitude = lat;
    r.SourceCode = static_cast<std::uint8_t>(source);
    return r;
}

} // namespace tremora::test
