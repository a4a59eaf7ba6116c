// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/PeriodSpan.h"

namespace tremora
{

std::optional<int> periodSpanDays(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= kPeriodItemCount - kFirstSpanItem)
        return std::nullopt;
    return kPeriodDays[kFirstSpanItem + itemIndex];
}

} // namespace tremora
