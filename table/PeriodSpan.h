// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tremora
{

/// Days before today at which a period chooser's item starts the period, items in list order:
/// "1 rok", "6 miesięcy", "3 miesiące", "1 miesiąc", "2 tygodnie", "1 tydzień", "3 dni",
/// "24 godziny". Nothing for an index that is no item (no selection).
std::optional<int> periodSpanDays(int itemIndex);

} // namespace tremora
