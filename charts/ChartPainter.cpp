// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartPainter.h"

#include "catalogue/DayNumber.h"
#include "charts/ChartSeries.h"
#include "table/NumberText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace tremora
{

namespace
{

constexpr QColor kTitleColour(0, 0, 255);
constexpr int kTitlePixels = 13;
constexpr int kAxisPixels = 10;
constexpr double kTitleBand = 28;
constexpr double kTitleLine = 17; // each further line of a title
constexpr double kLeftMargin = 12; // the left axis is hidden
constexpr double kRightAxisPlain = 46;
constexpr double kRightAxisGWh = 92;
constexpr double kAxisTitleBand = 16;
constexpr double kDateLabelBand = 70; // "yyyy-MM-dd" turned upright
constexpr double kNumberLabelBand = 20;
constexpr double kTopMargin = 6;
constexpr double kBottomMargin = 6;
// Room between two upright date labels, and between two numbers of a horizontal axis.
constexpr double kDateLabelPitch = 16;
constexpr double kNumberLabelPitch = 48;
constexpr double kTickLength = 4;
constexpr double kEdgeRoom = 3;
constexpr int kDotRoom = 3;
constexpr QColor kGridColour(0, 0, 0, 38);
constexpr QColor kAxisColour(60, 60, 60);
// Horizontal room kept beyond the first and last point, as a share of the span.
constexpr double kEdgeShare = 0.01;

double niceStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : { 1.0, 2.0, 5.0, 10.0 })
        if (m * decade >= rough * (1 - 1e-9))
            return m * decade;
    return 10 * decade;
}

QFont titleFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(kTitlePixels);
    return f;
}

QFont axisFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(kAxisPixels);
    return f;
}

double titleBand(const ChartContent& content)
{
    return kTitleBand + kTitleLine * static_cast<double>(content.title.count(QLatin1Char('\n')));
}

bool hasOwnPositions(const ChartContent& content)
{
    return std::any_of(
        content.lines.begin(), content.lines.end(), [](const ChartLine& l) { return !l.xs.empty(); });
}

/// "1234567" grouped by threes with a no-break space: "1 234 567".
QString grouped(const QString& digits)
{
    QString out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QChar(0x00A0);
        out += digits[i];
    }
    return out;
}

struct Mapper {
    QRectF plot;
    ChartRange range;
    ValueAxis axis;
    double x(double position) const
    {
        return plot.left() + (position - range.xFrom) * plot.width() / (range.xTo - range.xFrom);
    }
    double y(double value) const { return plot.bottom() - axis.unit(value) * plot.height(); }
};

void drawPoint(QPainter& p, const QPointF& at, const SeriesStyle& s)
{
    const double r = s.pointRadius;
    p.drawEllipse(at, r, r);
}

/// The dots of every point in view when several share a pixel column: each pixel a point falls
/// on gets a dot (its outline around, its fill on it), once however many points fall there. So
/// the dots are those every point would draw, at the cost of one pass over the points in view.
void paintDenseDots(QPainter& p, const Mapper& m, const ChartLine& line)
{
    const QRect area = m.plot.toAlignedRect().adjusted(-1, -kDotRoom, 1, kDotRoom);
    const int w = area.width();
    const int h = area.height();
    if (w <= 0 || h <= 0 || line.values.empty())
        return;
    std::vector<std::uint8_t> hit(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    const double last = static_cast<double>(line.values.size() - 1);
    const auto from = static_cast<std::size_t>(std::clamp(std::ceil(m.range.xFrom), 0.0, last));
    const auto to = static_cast<std::size_t>(std::clamp(std::floor(m.range.xTo), 0.0, last));
    // A logarithm per point would cost more than all the rest: the value at each row's top edge
    // is worked out once, and a point's row found among them (they fall as the rows go down).
    std::vector<float> edge(static_cast<std::size_t>(h) + 1);
    for (int j = 0; j <= h; ++j)
        edge[static_cast<std::size_t>(j)] = static_cast<float>(
            m.axis.value((m.plot.bottom() - static_cast<double>(area.top() + j)) / m.plot.height()));
    const int bottomRow = static_cast<int>(std::floor(m.plot.bottom())) - area.top();
    auto search = [&](float v) {
        if (m.axis.logarithmic && !(v > 0))
            return bottomRow;
        const auto above = std::partition_point(edge.begin(), edge.end(), [v](float e) { return e >= v; });
        return static_cast<int>(above - edge.begin()) - 1;
    };
    // Catalogue values repeat (magnitudes come in tenths): a small cache of rows by value saves
    // most searches.
    constexpr std::size_t kCacheSize = 1024;
    std::vector<std::pair<float, int>> cache(kCacheSize, { std::numeric_limits<float>::quiet_NaN(), 0 });
    auto rowOf = [&](float v) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        auto& slot = cache[(bits * 2654435761u) >> 22];
        if (slot.first != v) // NaN never equals: an empty slot always misses
            slot = { v, search(v) };
        return slot.second;
    };
    for (std::size_t i = from; i <= to; ++i) {
        const int x = static_cast<int>(std::floor(m.x(static_cast<double>(i)))) - area.left();
        const int y = rowOf(line.values[i]);
        if (x >= 0 && x < w && y >= 0 && y < h)
            hit[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = 1;
    }
    QImage dots(area.size(), QImage::Format_ARGB32_Premultiplied);
    dots.fill(Qt::transparent);
    const QRgb outline = line.style.pointOutline.rgba();
    const QRgb fill = line.style.pointFill.rgba();
    // Outlines first, so a neighbour's outline never covers a dot's own pixel.
    for (int pass = 0; pass < 2; ++pass) {
        const int reach = pass == 0 ? line.style.pointRadius : 0;
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* row = hit.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
            for (int x = 0; x < w; ++x) {
                if (!row[x])
                    continue;
                for (int dy = -reach; dy <= reach; ++dy) {
                    if (y + dy < 0 || y + dy >= h)
                        continue;
                    auto* out = reinterpret_cast<QRgb*>(dots.scanLine(y + dy));
                    for (int dx = -reach; dx <= reach; ++dx)
                        if (x + dx >= 0 && x + dx < w)
                            out[x + dx] = pass == 0 ? outline : fill;
                }
            }
        }
    }
    p.drawImage(area.topLeft(), dots);
}

void paintLine(
    QPainter& p, const Mapper& m, const ChartLine& line, std::vector<std::uint32_t>& idx, bool full)
{
    const SeriesStyle& s = line.style;
    const std::size_t n = line.values.size();
    if (n == 0)
        return;
    idx.clear();
    bool dense = false;
    if (line.xs.empty()) {
        const double span = m.range.xTo - m.range.xFrom;
        const double perPixel = span / m.plot.width();
        // The columns are the device's pixel columns, which begin at whole coordinates.
        const double offset = m.plot.left() - std::floor(m.plot.left());
        const int columns = std::max(1, static_cast<int>(std::ceil(m.plot.width() + offset)));
        const double xFrom = m.range.xFrom - offset * perPixel;
        if (full) {
            for (std::size_t i = 0; i < n; ++i)
                idx.push_back(static_cast<std::uint32_t>(i));
        } else {
            decimatedIndices(line.values.data(), n, xFrom, xFrom + columns * perPixel, columns, idx);
        }
        dense = span > m.plot.width();
    } else {
        for (std::size_t i = 0; i < n; ++i)
            idx.push_back(static_cast<std::uint32_t>(i));
    }
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(idx.size()));
    for (std::uint32_t i : idx) {
        const double pos = line.xs.empty() ? static_cast<double>(i) : static_cast<double>(line.xs[i]);
        double x = m.x(pos);
        // Several points to a pixel column: where within the column a point lies cannot be
        // seen, so each is drawn at the column's centre and the column's points make one
        // vertical run from its lowest to its highest, as many as there are.
        if (dense)
            x = std::floor(x) + 0.5;
        poly.append(QPointF(x, m.y(line.values[i])));
    }

    p.save();
    // Where several points share a pixel column the line is a solid band whatever its dashes, and
    // a smoothed band only blurs: the column's extremes are drawn as the full line would be.
    if (dense)
        p.setRenderHint(QPainter::Antialiasing, false);
    if (s.line && poly.size() > 1) {
        QPen pen(s.lineColour);
        pen.setCosmetic(true);
        pen.setStyle(s.dashed && !dense ? Qt::DashLine : Qt::SolidLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(poly);
    }
    if (s.points && dense) {
        paintDenseDots(p, m, line);
    } else if (s.points) {
        QPen outline(s.pointOutline);
        outline.setCosmetic(true);
        p.setPen(outline);
        p.setBrush(s.pointFill);
        for (const QPointF& at : poly)
            drawPoint(p, at, s);
    }
    p.restore();
}

void paintValueAxis(QPainter& p, const Mapper& m, ValueFormat format)
{
    const QFontMetricsF fm(p.font());
    for (double v : valueTicks(m.axis)) {
        const double y = m.y(v);
        p.setPen(kGridColour);
        p.drawLine(QPointF(m.plot.left(), y), QPointF(m.plot.right(), y));
        p.setPen(kAxisColour);
        p.drawLine(QPointF(m.plot.right(), y), QPointF(m.plot.right() + kTickLength, y));
        p.drawText(QPointF(m.plot.right() + kTickLength + 2, y + fm.ascent() / 2 - 1), valueText(v, format));
    }
}

void paintDateAxis(QPainter& p, const Mapper& m, const std::vector<double>& days)
{
    if (days.empty())
        return;
    const double perPixel = (m.range.xTo - m.range.xFrom) / m.plot.width();
    const double step = std::max(1.0, niceStep(kDateLabelPitch * perPixel));
    const double last = std::min(m.range.xTo, static_cast<double>(days.size() - 1));
    const QFontMetricsF fm(p.font());
    for (double i = std::ceil(std::max(m.range.xFrom, 0.0) / step) * step; i <= last; i += step) {
        const double x = m.x(i);
        p.setPen(kGridColour);
        p.drawLine(QPointF(x, m.plot.top()), QPointF(x, m.plot.bottom()));
        p.setPen(kAxisColour);
        p.drawLine(QPointF(x, m.plot.bottom()), QPointF(x, m.plot.bottom() + kTickLength));
        const QString text = dateText(days[static_cast<std::size_t>(i)]);
        p.save();
        p.translate(x + fm.ascent() / 2 - 1, m.plot.bottom() + kTickLength + 2 + fm.horizontalAdvance(text));
        p.rotate(-90);
        p.drawText(QPointF(0, 0), text);
        p.restore();
    }
}

void paintNumberAxis(QPainter& p, const Mapper& m)
{
    const double step = niceStep(kNumberLabelPitch * (m.range.xTo - m.range.xFrom) / m.plot.width());
    const QFontMetricsF fm(p.font());
    for (double v = std::ceil(m.range.xFrom / step) * step; v <= m.range.xTo + step * 1e-9; v += step) {
        const double x = m.x(v);
        p.setPen(kGridColour);
        p.drawLine(QPointF(x, m.plot.top()), QPointF(x, m.plot.bottom()));
        p.setPen(kAxisColour);
        p.drawLine(QPointF(x, m.plot.bottom()), QPointF(x, m.plot.bottom() + kTickLength));
        const QString text = FixedText(std::abs(v) < step * 1e-9 ? 0.0 : v);
        p.drawText(
            QPointF(x - fm.horizontalAdvance(text) / 2, m.plot.bottom() + kTickLength + fm.ascent()), text);
    }
}

void paintLegend(QPainter& p, const Mapper& m, const ChartContent& content)
{
    const QFontMetricsF fm(p.font());
    double width = 0;
    int rows = 0;
    for (const ChartLine& l : content.lines)
        if (!l.legend.isEmpty()) {
            width = std::max(width, fm.horizontalAdvance(l.legend));
            ++rows;
        }
    if (rows == 0)
        return;
    const double rowHeight = fm.height() + 2;
    const QRectF box(m.plot.right() - width - 40, m.plot.top() + 6, width + 34, rows * rowHeight + 6);
    p.setPen(kAxisColour);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(box);
    double y = box.top() + 3 + rowHeight / 2;
    for (const ChartLine& l : content.lines) {
        if (l.legend.isEmpty())
            continue;
        const QPointF mid(box.left() + 14, y);
        if (l.style.line) {
            QPen pen(l.style.lineColour, 1.5);
            pen.setStyle(l.style.dashed ? Qt::DashLine : Qt::SolidLine);
            p.setPen(pen);
            p.drawLine(mid - QPointF(9, 0), mid + QPointF(9, 0));
        }
        if (l.style.points) {
            p.setPen(l.style.pointOutline);
            p.setBrush(l.style.pointFill);
            drawPoint(p, mid, l.style);
        }
        p.setPen(kAxisColour);
        p.drawText(QPointF(box.left() + 28, y + fm.ascent() / 2 - 1), l.legend);
        y += rowHeight;
    }
}

} // namespace

double ValueAxis::unit(double v) const
{
    if (logarithmic) {
        if (!(v > 0))
            return 0;
        return (std::log10(v) - std::log10(from)) / (std::log10(to) - std::log10(from));
    }
    return (v - from) / (to - from);
}

double ValueAxis::value(double u) const
{
    if (logarithmic)
        return std::pow(10.0, std::log10(from) + u * (std::log10(to) - std::log10(from)));
    return from + u * (to - from);
}

ChartRange fullRange(const ChartContent& content, bool logarithmic)
{
    ChartRange r;
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    double lowestPositive = lo;
    std::size_t longest = 0;
    double xLo = lo;
    double xHi = -lo;
    for (const ChartLine& l : content.lines) {
        longest = std::max(longest, l.values.size());
        for (float v : l.values) {
            lo = std::min(lo, static_cast<double>(v));
            hi = std::max(hi, static_cast<double>(v));
            if (v > 0)
                lowestPositive = std::min(lowestPositive, static_cast<double>(v));
        }
        for (float x : l.xs) {
            xLo = std::min(xLo, static_cast<double>(x));
            xHi = std::max(xHi, static_cast<double>(x));
        }
    }

    if (hasOwnPositions(content)) {
        if (!(xHi >= xLo)) {
            xLo = 0;
            xHi = 1;
        }
        const double pad = std::max(0.1, (xHi - xLo) * kEdgeShare);
        r.xFrom = xLo - pad;
        r.xTo = xHi + pad;
    } else if (longest <= 1) {
        r.xFrom = -1;
        r.xTo = 1;
    } else {
        const double span = static_cast<double>(longest - 1);
        r.xFrom = -span * kEdgeShare;
        r.xTo = span * (1 + kEdgeShare);
    }

    if (logarithmic) {
        if (!std::isfinite(lowestPositive)) {
            r.yFrom = 0.1;
            r.yTo = 1;
        } else {
            r.yFrom = std::pow(10.0, std::floor(std::log10(lowestPositive)));
            r.yTo = std::pow(10.0, std::ceil(std::log10(hi)));
            if (r.yTo <= r.yFrom)
                r.yTo = r.yFrom * 10;
        }
    } else {
        if (!std::isfinite(lo)) {
            lo = 0;
            hi = 1;
        }
        const double step = niceStep((std::max(hi, 0.0) - std::min(lo, 0.0)) / 8);
        r.yFrom = std::min(0.0, std::floor(lo / step) * step);
        r.yTo = std::ceil(hi / step) * step;
        if (r.yTo <= r.yFrom)
            r.yTo = r.yFrom + 1;
    }
    return r;
}

std::vector<double> valueTicks(const ValueAxis& axis)
{
    std::vector<double> ticks;
    if (!(axis.to > axis.from))
        return ticks;
    const double tolerance = 1e-9;
    if (axis.logarithmic) {
        if (!(axis.from > 0))
            return ticks;
        const double lo = std::log10(axis.from);
        const double hi = std::log10(axis.to);
        const double decades = hi - lo;
        std::vector<double> multiples { 1 };
        if (decades <= 1.2)
            multiples = { 1, 2, 3, 4, 5, 6, 7, 8, 9 };
        else if (decades <= 3.5)
            multiples = { 1, 2, 5 };
        const int every = std::max(1, static_cast<int>(std::ceil(decades / 12)));
        const int first = static_cast<int>(std::floor(lo));
        for (int d = first; d <= static_cast<int>(std::ceil(hi)); ++d) {
            if ((d - first) % every != 0)
                continue;
            for (double mult : multiples) {
                const double v = mult * std::pow(10.0, d);
                const double lv = std::log10(v);
                if (lv >= lo - tolerance && lv <= hi + tolerance)
                    ticks.push_back(v);
            }
        }
        return ticks;
    }
    const double step = niceStep((axis.to - axis.from) / 8);
    for (double v = std::ceil(axis.from / step - tolerance) * step; v <= axis.to + step * tolerance;
         v += step)
        ticks.push_back(std::abs(v) < step * tolerance ? 0.0 : v);
    return ticks;
}

QString valueText(double value, ValueFormat format)
{
    if (format == ValueFormat::Plain)
        return FixedText(value);
    // "#,##0.###": thousands grouped, at most three decimals. A positive value that would read 0
    // keeps its first significant digit, so the lower decades of a logarithmic axis stay apart.
    int decimals = 3;
    if (value > 0 && value < 0.0005)
        decimals = std::min(12, static_cast<int>(std::ceil(-std::log10(value))));
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString whole = grouped(dot < 0 ? text : text.left(dot));
    if (dot >= 0)
        whole += QLatin1Char(kDecimalSeparator) + text.mid(dot + 1);
    if (negative && whole != QLatin1String("0"))
        whole.prepend(QLatin1Char('-'));
    return whole + QStringLiteral(" GWh");
}

QRectF plotArea(const ChartContent& content, const QRectF& bounds)
{
    const bool numbers = content.labelDays.empty();
    double right = content.valueFormat == ValueFormat::GWh ? kRightAxisGWh : kRightAxisPlain;
    if (!content.yTitle.isEmpty())
        right += kAxisTitleBand;
    double bottom = (numbers ? kNumberLabelBand : kDateLabelBand) + kBottomMargin;
    if (!content.xTitle.isEmpty())
        bottom += kAxisTitleBand;
    const double title = titleBand(content);
    return QRectF(bounds.left() + kLeftMargin, bounds.top() + title + kTopMargin,
        std::max(1.0, bounds.width() - kLeftMargin - right),
        std::max(1.0, bounds.height() - title - kTopMargin - bottom));
}

void paintChart(QPainter& p, const QRectF& bounds, const ChartContent& content, const ChartRange& range,
    bool logarithmic, std::vector<std::uint32_t>& scratch, bool full)
{
    p.save();
    QLinearGradient background(bounds.topLeft(), bounds.bottomLeft());
    background.setColorAt(0, content.backgroundTop);
    background.setColorAt(1, Qt::white);
    p.fillRect(bounds, background);

    p.setFont(titleFont());
    p.setPen(kTitleColour);
    const QRectF titleBox(
        bounds.left() + kLeftMargin, bounds.top(), bounds.width() - 2 * kLeftMargin, titleBand(content));
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, content.title);

    Mapper m { plotArea(content, bounds), range, ValueAxis { range.yFrom, range.yTo, logarithmic } };
    p.setFont(axisFont());
    paintValueAxis(p, m, content.valueFormat);
    if (content.labelDays.empty())
        paintNumberAxis(p, m);
    else
        paintDateAxis(p, m, content.labelDays);

    const QFontMetricsF fm(p.font());
    if (!content.xTitle.isEmpty())
        p.drawText(QRectF(m.plot.left(), bounds.bottom() - kBottomMargin - kAxisTitleBand, m.plot.width(),
                       kAxisTitleBand),
            Qt::AlignCenter, content.xTitle);
    if (!content.yTitle.isEmpty()) {
        p.save();
        p.translate(bounds.right() - kBottomMargin - fm.descent(),
            m.plot.center().y() + fm.horizontalAdvance(content.yTitle) / 2);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), content.yTitle);
        p.restore();
    }

    p.setPen(kAxisColour);
    p.setBrush(Qt::NoBrush);
    p.drawRect(m.plot);

    p.save();
    // Points on the top and bottom edges (a zero on a logarithmic axis) stay whole; left and right
    // the plot ends where its range does.
    p.setClipRect(m.plot.adjusted(0, -kEdgeRoom, 0, kEdgeRoom));
    for (const ChartLine& line : content.lines)
        paintLine(p, m, line, scratch, full);
    p.restore();
    if (content.legend)
        paintLegend(p, m, content);
    p.restore();
}

} // namespace tremora
