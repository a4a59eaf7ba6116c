// SPDX-License-Identifier: GPL-3.0-or-later
// Main of the tests that drive widgets: a QApplication on the offscreen platform.
#include "tests/support/LeakCheck.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Tests never need a display; widgets render offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // No test reaches the user's own settings, nor Qt's (its file dialogs keep theirs there too).
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
