// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/render_map/GeoLayer.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <array>

namespace tremora
{

/// Colours of the built-in map: dark and quiet, so that the yellow marks with red outlines the
/// program draws on it are what the eye finds first. Plate boundaries avoid yellow and red for the
/// same reason.
struct MapStyle {
    QColor sea { 14, 28, 46 };
    QColor land { 52, 58, 52 };
    QColor border { 104, 110, 98 };
    double borderWidth = 0.7;
    QColor coast { 96, 122, 140 };
    double coastWidth = 1.0;
    QColor graticule { 170, 190, 210, 80 };
    int graticuleStep = 30;
    QColor ridge { 40, 200, 235 };
    double ridgeWidth = 2.0;
    QColor subduction { 235, 90, 235 };
    double subductionWidth = 3.0;
};

/// Size of the built-in picture and of the plates picture made from the same base.
inline constexpr QSize WorldPictureSize { 4096, 2048 };
/// Quality of every JPEG written: small enough to compile one into the program, no visible blocks.
inline constexpr int JpegQuality = 85;
/// Side of the application icon in pixels.
inline constexpr int AppIconSide = 128;
/// Side of the scalable icon's canvas.
inline constexpr int ScalableIconSide = 256;

/// Sea, land, country borders, coasts and the graticule.
QImage renderBaseMap(QSize size, const GeoLayer& land, const GeoLayer& countries, const MapStyle& style = {});

/// The base map with plate boundaries: subduction zones in one colour, the rest in another.
QImage renderPlatesMap(QSize size, const GeoLayer& land, const GeoLayer& countries,
    const GeoLayer& boundaries, const MapStyle& style = {});

/// True for a PB2002 boundary marked as a subduction zone.
bool isSubduction(const GeoFeature& boundary);

/// A picture re-sampled to the given size (kept as it is when size is empty or already equal).
QImage resampled(const QImage& picture, QSize size);

/// The program's icon, a seismogram trace on a dark rounded square, as shapes in a square of
/// `side` pixels: one drawing for the pictures of every size and the scalable file.
struct AppIconDrawing {
    QRectF frame;
    double radius = 0;
    QColor frameColour;
    double frameWidth = 0;
    QColor fill;
    QPainterPath trace; // drawn twice: wide red, then narrow yellow over it, round caps and joins
    QColor outerColour;
    double outerWidth = 0;
    QColor innerColour;
    double innerWidth = 0;
};
AppIconDrawing appIconDrawing(int side);

/// The icon as a picture.
QImage drawAppIcon(int side = AppIconSide);

/// The icon as an SVG document of the same shapes.
QString appIconSvg(int side = ScalableIconSide);

/// The sizes of the freedesktop icon theme the package installs, besides the scalable one.
inline constexpr std::array<int, 8> ThemeIconSides { 16, 22, 24, 32, 48, 64, 128, 256 };

/// Writes the picture in the format its file name ends with; false with a message on failure.
bool savePicture(const QImage& picture, const QString& path, QString& error);

} // namespace tremora
