// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/PeriodSpan.h"

#include <array>

namespace tremora
{

namespace
{
// "3 dni" starts the day before yesterday and "24 godziny" yesterday: the period test takes
// the start day whole, so these cover today and the two days or the one day before it.
constexpr std::array<int, 8> kSpanDays = { 365, 180, 90, 29, 13, 6, 2, 1 };
} // namespace

std::optional<int> periodSpanDays(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(kSpanDays.size()))
        return std::nullopt;
    return kSpanDays[static_cast<std::size_t>(itemIndex)];
}

} // namespace tremora
