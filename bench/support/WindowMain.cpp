// SPDX-License-Identifier: GPL-3.0-or-later
// The main of a benchmark program that drives the real window: no display is needed to measure.
#include "bench/support/Main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const int status = tremora::bench::measure();
    benchmark::Shutdown();
    return status;
}
