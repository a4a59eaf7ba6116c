// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tremora
{

/// Which side of the control limits the proportional fit of the map picture.
enum class FitSide { Width, Height, Exact };

/// Size of the map picture as fitted into Image1: the limiting side is the control's length less
/// one, the other side the picture's scaled length. Nothing can be placed on a map that is not
/// valid (a picture or control without area).
struct FittedSize {
    int W = 0;
    int H = 0;
    FitSide side = FitSide::Exact;
    bool valid = false;
};

/// A pixel position on the map overlay.
struct MapPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const MapPixel&, const MapPixel&) = default;
};

/// A geographic position in degrees, east and north positive.
struct GeoPoint {
    float lon = 0;
    float lat = 0;
};

/// Fits a pw x ph picture into an iw x ih control, one scale for both axes, from the top-left
/// corner. The scales and their ratio are 32-bit floats and lengths round half to even, so a
/// 4096 x 2048 picture in 1066 x 534 gives 1065 x 533 and in 1067 x 534 gives 1066 x 534.
FittedSize FittedMapSize(int pw, int ph, int iw, int ih);

/// Pixel of a longitude/latitude on the fitted map; none for an invalid map or a coordinate that
/// is not finite or lies absurdly far outside the map.
std::optional<MapPixel> wyl_poz(const FittedSize& fit, float lon, float lat);

/// Longitude/latitude under a pixel; none outside the picture (the empty strip right or below
/// the fitted picture) or on an invalid map.
std::optional<GeoPoint> mapPositionAt(const FittedSize& fit, int x, int y);

} // namespace tremora
