// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

namespace tremora::bench
{

/// Wall seconds one call of `op` takes.
double seconds(const std::function<void()>& op);

/// The middle value (of an even count, the upper of the two middle ones); not for an empty list.
double median(std::vector<double> values);

} // namespace tremora::bench
