// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a benchmark run was measured, for the reporter that keeps the figures.
#pragma once

#include <benchmark/benchmark.h>

namespace tremora
{

/// True when the run failed or was skipped, so it has no figure. Google Benchmark 1.8 (Debian 13)
/// replaced the run's error_occurred flag, which 1.7 (Debian 12) has, by skipped.
template <typename Run> bool runFailed(const Run& run)
{
    if constexpr (requires { run.skipped; })
        return static_cast<bool>(run.skipped);
    else
        return run.error_occurred;
}

} // namespace tremora
