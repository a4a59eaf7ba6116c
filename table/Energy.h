// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace tremora
{

inline constexpr double kSecondsPerHour = 3600.0;

/// Seismic energy in joules of a magnitude stored as tenths: E = 10^(1.5 M + 4.8).
double QuakeEnergyJ(std::uint8_t Mag10);

/// The same energy in watt-hours.
double QuakeEnergyWh(std::uint8_t Mag10);

/// Energy of one earthquake in joules with a decimal prefix, two decimals at most: "63,1 TJ".
QString Przelicz_mag_J(std::uint8_t Mag10);

/// Energy of one earthquake in watt-hours with a decimal prefix: "17,53 GWh"; plain " Wh" below a kWh.
QString Przelicz_mag_W(std::uint8_t Mag10);

/// Any non-negative value with a bare prefix letter and no unit ("2,05 P", "500 "); the caller
/// appends the unit. A value of 1 or less (or a negative one) gives the empty text, so a zero
/// total shows as the unit alone.
QString Przel_mno(double value);

} // namespace tremora
