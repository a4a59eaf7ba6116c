// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapProjection.h"
#include "table/NumberText.h"

#include <cmath>

namespace tremora
{

namespace
{

// Beyond this a pixel coordinate would not fit an int; such a coordinate is garbage anyway.
constexpr double kPixelLimit = 1e9;
constexpr long double kFullCircle = 360.0L;
constexpr long double kHalfCircle = 180.0L;
constexpr long double kQuarterCircle = 90.0L;

std::optional<int> toPixel(float v)
{
    if (!std::isfinite(v) || !(std::fabs(v) < kPixelLimit))
        return std::nullopt;
    return static_cast<int>(roundHalfEven(v));
}

} // namespace

FittedSize FittedMapSize(int pw, int ph, int iw, int ih)
{
    FittedSize fit;
    if (pw <= 0 || ph <= 0 || iw <= 0 || ih <= 0)
        return fit;
    // Each scale is the reciprocal of the shrink factor, kept as a 32-bit float; the wide
    // intermediate keeps the float rounding the same as an exact quotient would give.
    const float sx = static_cast<float>(1.0L / (static_cast<long double>(pw) / iw));
    const float sy = static_cast<float>(1.0L / (static_cast<long double>(ph) / ih));
    float q = sx / sy;
    if (q > 1)
        q = sy / sx;
    if (sy > sx) {
        fit.side = FitSide::Width;
        fit.W = iw - 1;
        fit.H = static_cast<int>(roundHalfEven(static_cast<double>(ih) * q));
    } else if (sx > sy) {
        fit.side = FitSide::Height;
        fit.H = ih - 1;
        fit.W = static_cast<int>(roundHalfEven(static_cast<double>(iw) * q));
    } else {
        fit.side = FitSide::Exact;
        fit.W = iw - 1;
        fit.H = ih - 1;
    }
    fit.valid = fit.W > 0 && fit.H > 0;
    return fit;
}

std::optional<MapPixel> wyl_poz(const FittedSize& fit, float lon, float lat)
{
    if (!fit.valid || !std::isfinite(lon) || !std::isfinite(lat))
        return std::nullopt;
    // x' and y' are 32-bit floats computed from wide intermediates, then rounded to pixels.
    const float xf = static_cast<float>(fit.W / kFullCircle * lon + fit.W / 2);
    const float yf = static_cast<float>(fit.H / -kHalfCircle * lat + fit.H / 2);
    const auto x = toPixel(xf);
    const auto y = toPixel(yf);
    if (!x || !y)
        return std::nullopt;
    return MapPixel { *x, *y };
}

std::optional<GeoPoint> mapPositionAt(const FittedSize& fit, int x, int y)
{
    if (!fit.valid)
        return std::nullopt;
    const bool inside = (fit.side == FitSide::Height && x <= fit.W)
        || (fit.side == FitSide::Width && y <= fit.H) || fit.side == FitSide::Exact;
    if (!inside)
        return std::nullopt;
    GeoPoint p;
    p.lon = static_cast<float>(kFullCircle / fit.W * x - kHalfCircle);
    p.lat = static_cast<float>(-(kHalfCircle / fit.H * y - kQuarterCircle));
    return p;
}

} // namespace tremora
