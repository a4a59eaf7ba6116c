// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tremora::bench
{

/// What a benchmark program does: it runs its benchmarks and prints its figures. Each program
/// defines it; the shared main (Main.cpp, or WindowMain.cpp for a program that opens windows)
/// readies Google Benchmark with the command line before and shuts it down after. What it
/// returns is the program's exit status.
int measure();

} // namespace tremora::bench
