// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/Energy.h"

#include "table/NumberText.h"

#include <array>
#include <cmath>

namespace tremora
{

namespace
{

constexpr int kEnergyDecimals = 2;
constexpr int kPrefixCount = 7;

// Divisors tried from the largest; the first that leaves a quotient strictly above 1 wins, so a
// value of exactly one unit is written with the next smaller prefix (10^18 J is "1000 PJ").
constexpr std::array<double, kPrefixCount> kDivisors = { 1e18, 1e15, 1e12, 1e9, 1e6, 1e3, 1.0 };

// A null suffix means the divisor is not used for that unit.
constexpr std::array<const char*, kPrefixCount> kJouleSuffixes
    = { " EJ", " PJ", " TJ", " GJ", " MJ", " kJ", nullptr };
constexpr std::array<const char*, kPrefixCount> kWattHourSuffixes
    = { " EWh", " PWh", " TWh", " GWh", " MWh", " kWh", " Wh" };
constexpr std::array<const char*, kPrefixCount> kBareSuffixes = { " E", " P", " T", " G", " M", " k", " " };

QString prefixed(double value, const std::array<const char*, kPrefixCount>& suffixes)
{
    for (int i = 0; i < kPrefixCount; ++i) {
        if (!suffixes[i])
            continue;
        const double scaled = value / kDivisors[i];
        if (scaled > 1.0)
            return RoundedText(scaled, kEnergyDecimals) + QLatin1String(suffixes[i]);
    }
    return {};
}

} // namespace

double QuakeEnergyJ(std::uint8_t Mag10)
{
    const double exponent = ((Mag10 / 10.0) * 1.5) + 4.8;
    return std::pow(10.0, exponent);
}

double QuakeEnergyWh(std::uint8_t Mag10)
{
    return QuakeEnergyJ(Mag10) / kSecondsPerHour;
}

QString Przelicz_mag_J(std::uint8_t Mag10)
{
    return prefixed(QuakeEnergyJ(Mag10), kJouleSuffixes);
}

QString Przelicz_mag_W(std::uint8_t Mag10)
{
    return prefixed(QuakeEnergyWh(Mag10), kWattHourSuffixes);
}

QString Przel_mno(double value)
{
    return prefixed(value, kBareSuffixes);
}

} // namespace tremora
