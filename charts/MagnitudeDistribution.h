// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tremora
{

/// Width of a magnitude bin: the catalogue keeps magnitudes in tenths.
inline constexpr double kMagnitudeBin = 0.1;

/// The frequency-magnitude distribution of a set of earthquakes and its Gutenberg-Richter fit
/// log10 N(>= M) = a - b M over the complete part.
struct MagnitudeDistribution {
    /// Earthquakes per 0.1 bin, indexed by Mag10.
    std::array<int, 256> counts {};
    /// Earthquakes at or above each bin's magnitude.
    std::array<int, 256> cumulative {};
    int total = 0;
    int lowestBin = 0; // Mag10 of the lowest and highest non-empty bins
    int highestBin = 0;

    /// Whether there were enough earthquakes at or above Mc for a fit (at least two, and not all
    /// of one magnitude).
    bool fitted = false;
    int mcBin = 0; // Mag10 of the magnitude of completeness
    double mc = 0;
    double b = 0;
    double bError = 0; // standard error by Shi and Bolt
    double a = 0;
    int completeCount = 0; // earthquakes at or above Mc

    /// N(>= m) on the fitted line.
    double lineAt(double m) const;
};

/// Counts the magnitudes (tenths) and fits the line: Mc by maximum curvature (the bin holding
/// the most earthquakes, the lower on a tie; never bin 0, which gathers the negative magnitudes,
/// while there are others), b by the Aki-Utsu maximum-likelihood estimate over
/// the earthquakes at or above Mc with the bin correction, b = log10(e) / (mean - (Mc - 0.05)),
/// its error by Shi and Bolt, 2.30 b^2 sqrt(sum (M - mean)^2 / (n (n - 1))), and a = log10 N(>= Mc)
/// + b Mc.
MagnitudeDistribution magnitudeDistribution(const std::vector<std::uint8_t>& mag10);

} // namespace tremora
