// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the logic tests: an event loop for the signals and timers, no windows.
#include "tests/support/LeakCheck.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
