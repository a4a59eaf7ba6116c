// SPDX-License-Identifier: GPL-3.0-or-later
// The main of a benchmark program without windows.
#include "bench/support/Main.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const int status = tremora::bench::measure();
    benchmark::Shutdown();
    return status;
}
