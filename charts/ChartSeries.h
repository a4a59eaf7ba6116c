// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "map/ShownQuakes.h"
#include "search/SearchFilter.h"

#include <cstdint>
#include <vector>

namespace tremora
{

/// Day buckets of the energy chart, counted from the start picker's day.
inline constexpr int kEnergyDayBuckets = 30'000;
/// Watt-hours in a gigawatt-hour, the unit of the energy chart.
inline constexpr double kWhPerGWh = 1e9;

/// The points of a chart whose horizontal position is the order of addition (0, 1, 2, ...):
/// a value per point and the day its label writes. Kept whole however many there are; what is
/// drawn is worked out from these per pixel column.
struct DaySeries {
    std::vector<float> values;
    std::vector<double> days;

    std::size_t size() const { return values.size(); }
    void clear()
    {
        values.clear();
        days.clear();
    }
};

/// "Mag": the magnitude of every record of slots 1 .. CatalogueCount that passes the search, in
/// catalogue order, labelled with its day. The first kShownCapacity of them are appended to
/// `shown` (which the caller has emptied).
DaySeries magnitudeSeries(const Catalogue& catalogue, const SearchCriteria& criteria, ShownQuakeList& shown);

/// "Mag" a part at a time: the records of slots first .. last (within 1 .. CatalogueCount) that
/// pass the search, appended to `series` and `shown` as magnitudeSeries appends them.
void appendMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    DaySeries& series, ShownQuakeList& shown);
/// A series given room for every record gives back what a narrow selection left unused.
void trimSeries(DaySeries& series);

/// "Energia": the energy in GWh released on each day from `startDay` (whole day of the start
/// picker) through `today`, at most kEnergyDayBuckets days, by the records that pass the search.
/// Days without earthquakes are points of value 0. Empty when the start lies after today.
DaySeries energySeries(
    const Catalogue& catalogue, const SearchCriteria& criteria, double startDay, double today);

/// "Energia" a part at a time: adds the energy (Wh) of the records of slots first .. last that
/// pass the search to the day buckets (kEnergyDayBuckets of them) counted from `startDay`.
void addDayEnergy(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    double startDay, std::vector<double>& bucketWh);
/// The "Energia" series of day buckets summed by addDayEnergy from `startDay` through `today`.
DaySeries energySeriesOf(const std::vector<double>& bucketWh, double startDay, double today);

/// The magnitudes (tenths) of every record that passes the search, for the frequency-magnitude
/// chart.
std::vector<std::uint8_t> selectedMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria);
/// The same a part at a time: those of slots first .. last, appended to `mags`.
void appendSelectedMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    std::vector<std::uint8_t>& mags);

/// Indices (ascending) of the points of values[0 .. count) that a line drawn over `columns` pixel
/// columns needs, when the horizontal range xFrom .. xTo (order numbers) fills the columns: per
/// column its first, lowest, highest and last point, and the nearest point on each side outside
/// the range so the line leaves the edges as it would. Drawn without smoothing, those points
/// cover the pixels the whole line covers. When there are fewer points than four per column,
/// every point of the range is returned.
void decimatedIndices(const float* values, std::size_t count, double xFrom, double xTo, int columns,
    std::vector<std::uint32_t>& out);

} // namespace tremora
