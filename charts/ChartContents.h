// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ChartPainter.h"
#include "charts/ChartSeries.h"
#include "charts/MagnitudeDistribution.h"

#include <QString>
#include <QtGlobal>

namespace tremora
{

/// Titles the charts carry before anything is charted, and the prefixes of their period titles;
/// shown through chartTitle(), which translates them.
inline constexpr const char* kMagnitudeTitle
    = QT_TRANSLATE_NOOP("tremora::ChartContents", "Magnituda wstrząsów sejsmicznych - baza USGS");
inline constexpr const char* kEnergyTitle
    = QT_TRANSLATE_NOOP("tremora::ChartContents", "Energia wstrząsów sejsmicznych - baza USGS");
inline constexpr const char* kDistributionTitle
    = QT_TRANSLATE_NOOP("tremora::ChartContents", "Rozkład magnitud - baza USGS");

/// One of the titles above in the language of the moment.
QString chartTitle(const char* title);
/// Chart title for a period: the prefix, " - ", the first day, " - ", the last day.
QString periodTitle(const char* prefix, double from, double to);

/// The magnitude chart over its series (moved in): black dashed line, light green dots with black
/// outlines, dates under the points.
ChartContent magnitudeChart(DaySeries&& series, const QString& title);
/// The energy chart: as the magnitude chart, dots outlined in violet, values in GWh.
ChartContent energyChart(DaySeries&& series, const QString& title);
/// An empty chart as the window shows it before its button is pressed.
ChartContent emptyChart(const char* title, ValueFormat format);

/// The frequency-magnitude chart: earthquakes per bin and at or above each magnitude, and the
/// fitted line from Mc up; the title's second line gives Mc, b with its error, a and the count.
ChartContent distributionChart(const MagnitudeDistribution& d, const QString& title);
/// What the frequency-magnitude title adds to the period: "Mc = 2,0  b = 1,02 ± 0,01 ...".
QString distributionSummary(const MagnitudeDistribution& d);

} // namespace tremora
