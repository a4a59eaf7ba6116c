// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartSeries.h"

#include "table/Energy.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tremora
{

namespace
{

// Slots first .. last cut to those the catalogue holds.
std::pair<int, int> heldSlots(const Catalogue& catalogue, int first, int last)
{
    return { std::max(first, 1), std::min({ last, catalogue.CatalogueCount, kCatalogueCapacity }) };
}

} // namespace

DaySeries magnitudeSeries(const Catalogue& catalogue, const SearchCriteria& criteria, ShownQuakeList& shown)
{
    DaySeries series;
    // Room for every record at once: regrowing 24 MB twice over costs more than the walk.
    series.values.reserve(static_cast<std::size_t>(std::max(catalogue.CatalogueCount, 0)));
    series.days.reserve(static_cast<std::size_t>(std::max(catalogue.CatalogueCount, 0)));
    appendMagnitudes(catalogue, criteria, 1, catalogue.CatalogueCount, series, shown);
    trimSeries(series);
    return series;
}

void appendMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    DaySeries& series, ShownQuakeList& shown)
{
    const auto [from, to] = heldSlots(catalogue, first, last);
    const QuakeRecord* records = catalogue.slots();
    for (int i = from; i <= to; ++i) {
        const QuakeRecord& r = records[i];
        if (!MatchesSearch(r, criteria))
            continue;
        series.values.push_back(static_cast<float>(r.Mag10) / 10.0f);
        series.days.push_back(r.OriginDate);
        shown.append(r, kShownCapacity);
    }
}

void trimSeries(DaySeries& series)
{
    // A narrow selection keeps no room it does not use for as long as the chart shows it.
    if (series.values.size() < series.values.capacity() / 2) {
        series.values.shrink_to_fit();
        series.days.shrink_to_fit();
    }
}

namespace
{

// A power per record would cost more than the whole walk: there are only 256 magnitudes.
const std::array<double, 256>& energyWhByMag10()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t {};
        for (std::size_t m = 0; m < t.size(); ++m)
            t[m] = QuakeEnergyWh(static_cast<std::uint8_t>(m));
        return t;
    }();
    return table;
}

} // namespace

DaySeries energySeries(
    const Catalogue& catalogue, const SearchCriteria& criteria, double startDay, double today)
{
    std::vector<double> bucketWh(kEnergyDayBuckets, 0.0);
    addDayEnergy(catalogue, criteria, 1, catalogue.CatalogueCount, startDay, bucketWh);
    return energySeriesOf(bucketWh, startDay, today);
}

void addDayEnergy(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    double startDay, std::vector<double>& bucketWh)
{
    const std::array<double, 256>& energyWh = energyWhByMag10();
    const double firstDay = std::floor(startDay);
    const auto buckets = static_cast<double>(std::min<std::size_t>(bucketWh.size(), kEnergyDayBuckets));
    const auto [from, to] = heldSlots(catalogue, first, last);
    const QuakeRecord* records = catalogue.slots();
    for (int i = from; i <= to; ++i) {
        const QuakeRecord& r = records[i];
        if (!MatchesSearch(r, criteria))
            continue;
        const double k = r.OriginDate - firstDay;
        // Written so that a day that is no number never becomes an index.
        if (!(k >= 0 && k < buckets))
            continue;
        // Double sums: a great earthquake's day must not swallow the small ones of the same day.
        bucketWh[static_cast<std::size_t>(k)] += energyWh[r.Mag10];
    }
}

DaySeries energySeriesOf(const std::vector<double>& bucketWh, double startDay, double today)
{
    DaySeries series;
    const double first = std::floor(startDay);
    const double last = std::floor(today);
    const int buckets = static_cast<int>(std::min<std::size_t>(bucketWh.size(), kEnergyDayBuckets));
    for (int k = 0; k < buckets && first + k <= last; ++k) {
        series.values.push_back(static_cast<float>(bucketWh[static_cast<std::size_t>(k)] / kWhPerGWh));
        series.days.push_back(first + k);
    }
    return series;
}

std::vector<std::uint8_t> selectedMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria)
{
    std::vector<std::uint8_t> mags;
    appendSelectedMagnitudes(catalogue, criteria, 1, catalogue.CatalogueCount, mags);
    return mags;
}

void appendSelectedMagnitudes(const Catalogue& catalogue, const SearchCriteria& criteria, int first, int last,
    std::vector<std::uint8_t>& mags)
{
    const auto [from, to] = heldSlots(catalogue, first, last);
    const QuakeRecord* records = catalogue.slots();
    for (int i = from; i <= to; ++i)
        if (MatchesSearch(records[i], criteria))
            mags.push_back(records[i].Mag10);
}

void decimatedIndices(const float* values, std::size_t count, double xFrom, double xTo, int columns,
    std::vector<std::uint32_t>& out)
{
    out.clear();
    if (count == 0 || columns <= 0 || !(xTo > xFrom))
        return;
    const double lastIndex = static_cast<double>(count - 1);
    const double firstVisible = std::clamp(std::ceil(xFrom), 0.0, lastIndex);
    const double lastVisible = std::clamp(std::floor(xTo), 0.0, lastIndex);
    // The neighbours outside the range carry the line to the plot's edges.
    const auto begin = static_cast<std::size_t>(
        firstVisible > 0 && firstVisible > xFrom ? firstVisible - 1 : firstVisible);
    const auto end = static_cast<std::size_t>(
                         lastVisible < lastIndex && lastVisible < xTo ? lastVisible + 1 : lastVisible)
        + 1;
    if (begin >= end)
        return;

    const std::size_t n = end - begin;
    if (n <= 4 * static_cast<std::size_t>(columns)) {
        out.reserve(n);
        for (std::size_t i = begin; i < end; ++i)
            out.push_back(static_cast<std::uint32_t>(i));
        return;
    }

    out.reserve(4 * static_cast<std::size_t>(columns) + 8);
    const double perColumn = (xTo - xFrom) / columns;
    auto columnOf = [&](std::size_t i) {
        return static_cast<long long>(std::floor((static_cast<double>(i) - xFrom) / perColumn));
    };
    std::size_t i = begin;
    while (i < end) {
        const long long column = columnOf(i);
        // The last index that still falls in this column (the column's right edge in x).
        const double edge = xFrom + static_cast<double>(column + 1) * perColumn;
        std::size_t stop
            = std::min(end, static_cast<std::size_t>(std::max(std::ceil(edge), static_cast<double>(i + 1))));
        while (stop < end && columnOf(stop) == column)
            ++stop;
        while (stop > i + 1 && columnOf(stop - 1) != column)
            --stop;
        std::size_t lo = i;
        std::size_t hi = i;
        for (std::size_t j = i + 1; j < stop; ++j) {
            if (values[j] < values[lo])
                lo = j;
            if (values[j] > values[hi])
                hi = j;
        }
        const std::size_t picks[4] = { i, std::min(lo, hi), std::max(lo, hi), stop - 1 };
        for (std::size_t p : picks)
            if (out.empty() || out.back() != p)
                out.push_back(static_cast<std::uint32_t>(p));
        i = stop;
    }
}

} // namespace tremora
