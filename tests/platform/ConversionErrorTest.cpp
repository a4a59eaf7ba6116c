// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ConversionError.h"
#include "platform/testing/Doubles.h"

#include <gtest/gtest.h>

using namespace tremora;

TEST(Guard, ConversionErrorEndsTheHandlerWithAnErrorBoxAndKeepsEarlierChanges)
{
    fakes::RecordingDialogs dialogs;
    int steps = 0;
    const bool completed = guarded(dialogs, [&] {
        ++steps;
        throw ConversionError(QStringLiteral("'4,x' nie jest poprawną liczbą"));
        ++steps;
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors.front(), QStringLiteral("'4,x' nie jest poprawną liczbą"));
    EXPECT_TRUE(guarded(dialogs, [] {}));
}
