// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartContents.h"

#include "catalogue/DayNumber.h"
#include "table/NumberText.h"

#include <QCoreApplication>

namespace tremora
{

namespace
{

const QColor kMagnitudeBackground(255, 255, 128);
const QColor kEnergyBackground(186, 209, 175);
const QColor kDistributionBackground(200, 220, 245);
const QColor kSeriesColour(128, 255, 128);
const QColor kEnergyOutline(64, 0, 128);

SeriesStyle daySeriesStyle(const QColor& outline)
{
    SeriesStyle s;
    s.line = true;
    s.dashed = true;
    // The line in the series colour, each point a small black dot in its outline colour, so the
    // points stand out of the band the line makes where they are dense.
    s.lineColour = kSeriesColour;
    s.points = true;
    s.pointRadius = 1;
    s.pointFill = Qt::black;
    s.pointOutline = outline;
    return s;
}

ChartContent dayChart(
    DaySeries&& series, const QString& title, const QColor& top, const QColor& outline, ValueFormat format)
{
    ChartContent c;
    c.title = title;
    c.backgroundTop = top;
    c.valueFormat = format;
    ChartLine line;
    line.style = daySeriesStyle(outline);
    line.values = std::move(series.values);
    c.labelDays = std::move(series.days);
    c.lines.push_back(std::move(line));
    return c;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("tremora::ChartContents", text);
}

} // namespace

QString chartTitle(const char* title)
{
    return tr(title);
}

QString periodTitle(const char* prefix, double from, double to)
{
    return chartTitle(prefix) + QStringLiteral(" - ") + dateText(from) + QStringLiteral(" - ") + dateText(to);
}

ChartContent magnitudeChart(DaySeries&& series, const QString& title)
{
    return dayChart(std::move(series), title, kMagnitudeBackground, Qt::black, ValueFormat::Plain);
}

ChartContent energyChart(DaySeries&& series, const QString& title)
{
    return dayChart(std::move(series), title, kEnergyBackground, kEnergyOutline, ValueFormat::GWh);
}

ChartContent emptyChart(const char* title, ValueFormat format)
{
    const bool energy = format == ValueFormat::GWh;
    return dayChart(DaySeries {}, chartTitle(title), energy ? kEnergyBackground : kMagnitudeBackground,
        energy ? kEnergyOutline : QColor(Qt::black), format);
}

QString distributionSummary(const MagnitudeDistribution& d)
{
    if (!d.fitted)
        return QCoreApplication::translate("tremora::ChartContents", "N = %1 (za mało danych do dopasowania)")
            .arg(d.total);
    // An error below 0,01 keeps its first digit rather than reading 0.
    const int errorDecimals = d.bError < 0.01 ? 3 : 2;
    return QStringLiteral("Mc = %1   b = %2 ± %3   a = %4   N(M ≥ Mc) = %5")
        .arg(RoundedText(d.mc, 1), RoundedText(d.b, 2), RoundedText(d.bError, errorDecimals),
            RoundedText(d.a, 2))
        .arg(d.completeCount);
}

ChartContent distributionChart(const MagnitudeDistribution& d, const QString& title)
{
    ChartContent c;
    c.title = d.total == 0 ? title : title + QLatin1Char('\n') + distributionSummary(d);
    c.backgroundTop = kDistributionBackground;
    c.valueFormat = ValueFormat::Plain;
    c.xTitle = QCoreApplication::translate("tremora::ChartContents", "Magnituda");
    c.yTitle = QCoreApplication::translate("tremora::ChartContents", "Liczba wstrząsów");
    c.legend = true;

    ChartLine perBin;
    perBin.style.line = false;
    perBin.style.pointRadius = 3;
    perBin.style.pointFill = QColor(80, 160, 255);
    perBin.style.pointOutline = QColor(0, 40, 120);
    perBin.legend = QCoreApplication::translate("tremora::ChartContents", "w przedziale 0,1");
    ChartLine atOrAbove;
    atOrAbove.style.line = false;
    atOrAbove.style.pointRadius = 3;
    atOrAbove.style.pointFill = QColor(255, 120, 80);
    atOrAbove.style.pointOutline = QColor(120, 20, 0);
    atOrAbove.legend = QCoreApplication::translate("tremora::ChartContents", "skumulowana, M ≥");
    if (d.total > 0) {
        for (int bin = d.lowestBin; bin <= d.highestBin; ++bin) {
            const auto m = static_cast<float>(bin * kMagnitudeBin);
            // An empty bin has no place on a logarithmic axis; the cumulative curve shows it.
            if (d.counts[static_cast<std::size_t>(bin)] > 0) {
                perBin.xs.push_back(m);
                perBin.values.push_back(static_cast<float>(d.counts[static_cast<std::size_t>(bin)]));
            }
            atOrAbove.xs.push_back(m);
            atOrAbove.values.push_back(static_cast<float>(d.cumulative[static_cast<std::size_t>(bin)]));
        }
    }
    c.lines.push_back(std::move(perBin));
    c.lines.push_back(std::move(atOrAbove));
    if (d.fitted) {
        ChartLine fit;
        fit.style.line = true;
        fit.style.dashed = false;
        fit.style.lineColour = QColor(200, 0, 0);
        fit.style.points = false;
        fit.legend = QStringLiteral("Gutenberg-Richter");
        const double from = d.mc;
        const double to = d.highestBin * kMagnitudeBin;
        for (double m : { from, to }) {
            fit.xs.push_back(static_cast<float>(m));
            fit.values.push_back(static_cast<float>(d.lineAt(m)));
        }
        c.lines.push_back(std::move(fit));
    }
    return c;
}

} // namespace tremora
