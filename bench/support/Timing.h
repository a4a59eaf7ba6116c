// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

namespace tremora::bench
{

/// Wall seconds one call of `op` takes.
double seconds(const std::function<void()>& op);

/// How long work that runs between turns of the event loop took, and the longest the window
/// did not answer meanwhile.
struct Answering {
    double seconds = 0;
    double longestWaitMs = 0;
};

/// Calls `start`, then turns the event loop until `running` says the work is through, with a
/// probe that would answer a click every few milliseconds: the longest it waits beyond its
/// interval is the longest the window does not answer. Work done within `start` counts too.
Answering whileAnswering(const std::function<void()>& start, const std::function<bool()>& running);

/// The middle value (of an even count, the upper of the two middle ones); not for an empty list.
double median(std::vector<double> values);

} // namespace tremora::bench
