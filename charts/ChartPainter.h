// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace tremora
{

/// How the values of the right-hand axis are written.
enum class ValueFormat {
    Plain, // FixedText: 0,5; 2; 10
    GWh, // "#,##0.### GWh": 1 234,5 GWh
};

/// How one series is drawn.
struct SeriesStyle {
    bool line = true;
    bool dashed = true;
    QColor lineColour = Qt::black;
    bool points = true;
    int pointRadius = 1;
    QColor pointFill = QColor(128, 255, 128);
    QColor pointOutline = Qt::black;
};

/// One series: its values, and either its own horizontal positions or, when `xs` is empty, the
/// order numbers 0, 1, 2, ...
struct ChartLine {
    SeriesStyle style;
    std::vector<float> values;
    std::vector<float> xs;
    QString legend;
};

/// Everything a chart shows, whatever it is drawn on (the window, a PNG, an SVG).
struct ChartContent {
    QString title;
    QColor backgroundTop = Qt::white;
    std::vector<ChartLine> lines;
    /// For order-numbered series: the day written under order number i. Empty: the horizontal
    /// axis writes its own numbers.
    std::vector<double> labelDays;
    ValueFormat valueFormat = ValueFormat::Plain;
    QString xTitle;
    QString yTitle;
    bool legend = false;
};

/// The part of the chart in view: horizontal (order numbers or the series' own positions) and
/// vertical ranges, in the units of the values.
struct ChartRange {
    double xFrom = 0;
    double xTo = 1;
    double yFrom = 0;
    double yTo = 1;
};

/// A vertical axis, linear or logarithmic, mapping values to 0 (bottom) .. 1 (top).
struct ValueAxis {
    double from = 0;
    double to = 1;
    bool logarithmic = false;

    /// Where a value lies, 0 at the bottom and 1 at the top. A value a logarithmic axis cannot
    /// show (zero or below) lies on the bottom edge, so a day without energy stays a point of a
    /// continuous line.
    double unit(double value) const;
    /// The value at a height.
    double value(double unit) const;
};

/// The whole of the data: every point in view, on nice bounds (whole decades on a logarithmic
/// axis).
ChartRange fullRange(const ChartContent& content, bool logarithmic);

/// Values of the grid lines and labels of a vertical axis over from .. to.
std::vector<double> valueTicks(const ValueAxis& axis);

/// Text of a value on the right axis.
QString valueText(double value, ValueFormat format);

/// Where the plot area lies within a chart drawn in `bounds`.
QRectF plotArea(const ChartContent& content, const QRectF& bounds);

/// Draws the chart into `bounds`: background, title, grid, axes, series. Series of order numbers
/// are drawn through decimatedIndices, so the cost follows the width, not the number of points;
/// `full` draws every point instead (to compare the two). `scratch` is reused between calls.
void paintChart(QPainter& painter, const QRectF& bounds, const ChartContent& content, const ChartRange& range,
    bool logarithmic, std::vector<std::uint32_t>& scratch, bool full = false);

} // namespace tremora
