// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the logic tests: an event loop for the signals and timers, no windows.
#include "tests/support/LeakCheck.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // No test reaches the user's own settings, nor Qt's (its file dialogs keep theirs there too).
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
