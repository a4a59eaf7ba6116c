// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/support/Timing.h"

#include <algorithm>
#include <chrono>

namespace tremora::bench
{

double seconds(const std::function<void()>& op)
{
    const auto start = std::chrono::steady_clock::now();
    op();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace tremora::bench
