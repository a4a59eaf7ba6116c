// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/MagnitudeDistribution.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tremora
{

double MagnitudeDistribution::lineAt(double m) const
{
    return std::pow(10.0, a - b * m);
}

MagnitudeDistribution magnitudeDistribution(const std::vector<std::uint8_t>& mag10)
{
    MagnitudeDistribution d;
    for (std::uint8_t m : mag10)
        ++d.counts[m];
    d.total = static_cast<int>(mag10.size());
    if (d.total == 0)
        return d;

    int running = 0;
    for (int bin = static_cast<int>(d.counts.size()) - 1; bin >= 0; --bin) {
        running += d.counts[static_cast<std::size_t>(bin)];
        d.cumulative[static_cast<std::size_t>(bin)] = running;
    }
    d.lowestBin = 0;
    while (d.counts[static_cast<std::size_t>(d.lowestBin)] == 0)
        ++d.lowestBin;
    d.highestBin = static_cast<int>(d.counts.size()) - 1;
    while (d.counts[static_cast<std::size_t>(d.highestBin)] == 0)
        --d.highestBin;

    // Bin 0 also holds every magnitude below zero (the catalogue keeps none), so its count says
    // nothing about completeness; it is passed over unless it is all there is.
    const int firstCandidate = d.highestBin > 0 ? std::max(d.lowestBin, 1) : 0;
    d.mcBin = firstCandidate;
    for (int bin = firstCandidate; bin <= d.highestBin; ++bin)
        if (d.counts[static_cast<std::size_t>(bin)] > d.counts[static_cast<std::size_t>(d.mcBin)])
            d.mcBin = bin;
    d.mc = d.mcBin * kMagnitudeBin;

    // Sums over the complete part, in tenths so that no rounding of 0.1 creeps in.
    double n = 0;
    double sum = 0;
    for (int bin = d.mcBin; bin <= d.highestBin; ++bin) {
        const double c = d.counts[static_cast<std::size_t>(bin)];
        n += c;
        sum += c * bin;
    }
    d.completeCount = static_cast<int>(n);
    const double mean = sum / n * kMagnitudeBin;
    double squares = 0;
    for (int bin = d.mcBin; bin <= d.highestBin; ++bin) {
        const double dev = bin * kMagnitudeBin - mean;
        squares += d.counts[static_cast<std::size_t>(bin)] * dev * dev;
    }
    const double excess = mean - (d.mc - kMagnitudeBin / 2);
    if (n < 2 || !(excess > kMagnitudeBin / 2 + 1e-12))
        return d;
    d.fitted = true;
    d.b = std::numbers::log10e / excess;
    d.bError = 2.30 * d.b * d.b * std::sqrt(squares / (n * (n - 1)));
    d.a = std::log10(n) + d.b * d.mc;
    return d;
}

} // namespace tremora
