// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/render_map/MapPictures.h"
#include "tools/render_map/WorldPainter.h"

#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace tremora
{

namespace
{

QImage blankPicture(QSize size)
{
    return QImage(size, QImage::Format_RGB32);
}

void paintBase(WorldPainter& painter, const GeoLayer& land, const GeoLayer& countries, const MapStyle& style)
{
    painter.fill(style.sea);
    painter.fillAreas(land, style.land);
    painter.drawOutlines(
        countries, QPen(style.border, style.borderWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Coasts go over the country outlines so that a border meeting the sea ends cleanly.
    painter.drawOutlines(
        land, QPen(style.coast, style.coastWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawGraticule(style.graticuleStep, style.graticule);
}

} // namespace

QImage renderBaseMap(QSize size, const GeoLayer& land, const GeoLayer& countries, const MapStyle& style)
{
    QImage picture = blankPicture(size);
    WorldPainter painter(picture);
    paintBase(painter, land, countries, style);
    return picture;
}

bool isSubduction(const GeoFeature& boundary)
{
    return boundary.properties.value(QStringLiteral("Type")).toString() == QStringLiteral("subduction");
}

QImage renderPlatesMap(QSize size, const GeoLayer& land, const GeoLayer& countries,
    const GeoLayer& boundaries, const MapStyle& style)
{
    QImage picture = blankPicture(size);
    WorldPainter painter(picture);
    paintBase(painter, land, countries, style);
    const QPen ridge(style.ridge, style.ridgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen subduction(
        style.subduction, style.subductionWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // Subduction zones last: where two boundaries meet, the trench is what matters for quakes.
    for (const GeoFeature& boundary : boundaries.features()) {
        if (!isSubduction(boundary))
            painter.drawOutline(boundary, ridge);
    }
    for (const GeoFeature& boundary : boundaries.features()) {
        if (isSubduction(boundary))
            painter.drawOutline(boundary, subduction);
    }
    return picture;
}

QImage resampled(const QImage& picture, QSize size)
{
    QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (size.isEmpty() || size == rgb.size())
        return rgb;
    return rgb.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

AppIconDrawing appIconDrawing(int side)
{
    const double s = side;
    const MapStyle style;
    AppIconDrawing d;
    d.frame = QRectF(s / 32, s / 32, s * 30 / 32, s * 30 / 32);
    d.radius = s / 6;
    d.frameColour = style.coast;
    d.frameWidth = s / 32;
    d.fill = style.sea;

    // A quiet trace, a burst and its decay: the swing of each step as a share of half the height.
    constexpr std::array<double, 17> swings { 0.0, 0.05, -0.05, 0.04, -0.1, 0.55, -0.9, 0.8, -0.6, 0.42, -0.3,
        0.2, -0.13, 0.08, -0.05, 0.03, 0.0 };
    const double left = s * 0.14;
    const double right = s * 0.86;
    const double middle = s * 0.5;
    const double reach = s * 0.36;
    for (std::size_t i = 0; i < swings.size(); ++i) {
        const QPointF p(
            left + (right - left) * double(i) / double(swings.size() - 1), middle - swings[i] * reach);
        if (i == 0)
            d.trace.moveTo(p);
        else
            d.trace.lineTo(p);
    }
    d.outerColour = QColor(200, 0, 0);
    d.outerWidth = s / 14;
    d.innerColour = QColor(255, 255, 0);
    d.innerWidth = s / 30;
    return d;
}

QImage drawAppIcon(int side)
{
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const AppIconDrawing d = appIconDrawing(side);

    painter.setPen(QPen(d.frameColour, d.frameWidth));
    painter.setBrush(d.fill);
    painter.drawRoundedRect(d.frame, d.radius, d.radius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(d.outerColour, d.outerWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(d.trace);
    painter.setPen(QPen(d.innerColour, d.innerWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(d.trace);
    return icon;
}

QString appIconSvg(int side)
{
    const AppIconDrawing d = appIconDrawing(side);
    const auto n = [](double v) { return QString::number(v, 'f', 3); };
    QString points;
    for (int i = 0; i < d.trace.elementCount(); ++i) {
        const QPainterPath::Element e = d.trace.elementAt(i);
        points += (e.isMoveTo() ? QStringLiteral("M") : QStringLiteral(" L")) + n(e.x) + u',' + n(e.y);
    }
    const auto stroke = [&](const QColor& colour, double width) {
        return QStringLiteral("  <path d=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\" "
                              "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n")
            .arg(points, colour.name(), n(width));
    };
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\">\n"
                          "  <rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" rx=\"%6\" ry=\"%6\" "
                          "fill=\"%7\" stroke=\"%8\" stroke-width=\"%9\"/>\n")
               .arg(side)
               .arg(n(d.frame.x()), n(d.frame.y()), n(d.frame.width()), n(d.frame.height()), n(d.radius),
                   d.fill.name(), d.frameColour.name(), n(d.frameWidth))
        + stroke(d.outerColour, d.outerWidth) + stroke(d.innerColour, d.innerWidth)
        + QStringLiteral("</svg>\n");
}

bool savePicture(const QImage& picture, const QString& path, QString& error)
{
    QImageWriter writer(path);
    if (writer.format() == "jpeg" || writer.format() == "jpg") {
        writer.setQuality(JpegQuality);
        writer.setOptimizedWrite(true);
    }
    if (!writer.write(picture)) {
        error = QStringLiteral("%1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}

} // namespace tremora
