// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tremora
{

/// The map-period chooser "Zakresy" (ComboBox1): how many days before today each item starts;
/// the first item ("CAŁA BAZA") starts at the first record instead. "3 dni" starts the day before
/// yesterday and "24 godziny" yesterday: the period test takes the start day whole, so these
/// cover today and the two days or the one day before it.
inline constexpr int kWholeCatalogueItem = 0;
inline constexpr int kPeriodItemCount = 12;
inline constexpr int kPeriodDays[kPeriodItemCount] = { 0, 4018, 1826, 730, 365, 180, 90, 29, 13, 6, 2, 1 };

/// The report's period chooser (ComboBox2) offers the map chooser's items from "1 rok" on:
/// its item i is the map chooser's item kFirstSpanItem + i.
inline constexpr int kFirstSpanItem = 4;

/// Days before today at which the report's period chooser's item starts the period, items in list
/// order: "1 rok", "6 miesięcy", "3 miesiące", "1 miesiąc", "2 tygodnie", "1 tydzień", "3 dni",
/// "24 godziny". Nothing for an index that is no item (no selection).
std::optional<int> periodSpanDays(int itemIndex);

} // namespace tremora
