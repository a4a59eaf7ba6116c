// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapSelection.h"

#include <cmath>

namespace tremora
{

namespace
{
constexpr int kTenths = 10;
}

MagnitudeRange magnitudeRangeOf(int fromWhole, int fromTenths, int toWhole, int toTenths)
{
    return { fromWhole * kTenths + fromTenths, toWhole * kTenths + toTenths };
}

bool InMapMagnitudeRange(int mag10, const MagnitudeRange& range)
{
    return range.low <= mag10 && mag10 <= range.high;
}

bool InMapPeriod(double originDate, double start, double end)
{
    return originDate >= std::floor(start) && originDate < std::floor(end) + 1;
}

} // namespace tremora
