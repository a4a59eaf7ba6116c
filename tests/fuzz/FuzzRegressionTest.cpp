// SPDX-License-Identifier: GPL-3.0-or-later
// Every fuzz target over its seeds and over each input that once made it fail; under the test
// build's sanitizers a fault returns as a failure here.
#include "tests/fuzz/FuzzSupport.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

extern "C" int fuzz_reply(const uint8_t* data, size_t size);
extern "C" int fuzz_reply_kind(const uint8_t* data, size_t size);
extern "C" int fuzz_catalogue_file(const uint8_t* data, size_t size);
extern "C" int fuzz_places(const uint8_t* data, size_t size);
extern "C" int fuzz_numbers(const uint8_t* data, size_t size);
extern "C" int fuzz_tiles(const uint8_t* data, size_t size);

namespace
{

using Target = int (*)(const uint8_t*, size_t);

// Runs the target over every file of the folders; returns how many.
int runOver(Target target, const QStringList& folders)
{
    int inputs = 0;
    for (const QString& folder : folders) {
        QDirIterator it(tremora::fuzz::testData(folder), QDir::Files);
        while (it.hasNext()) {
            const QByteArray bytes = tremora::fuzz::readAll(it.next());
            SCOPED_TRACE(it.filePath().toStdString());
            target(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    // And the smallest inputs of all.
    target(nullptr, 0);
    const uint8_t one[] = { 0 };
    target(one, 1);
    return inputs;
}

TEST(FuzzRegressions, EveryTargetTakesItsSeedsAndEveryInputThatOnceFailedIt)
{
    EXPECT_GT(runOver(fuzz_reply, { QStringLiteral("usgs"), QStringLiteral("fuzz/regressions/reply") }), 0);
    EXPECT_GT(runOver(fuzz_reply_kind,
                  { QStringLiteral("fuzz/reply_kind"), QStringLiteral("fuzz/regressions/reply_kind") }),
        0);
    EXPECT_GT(
        runOver(fuzz_catalogue_file,
            { QStringLiteral("fuzz/catalogue_file"), QStringLiteral("fuzz/regressions/catalogue_file") }),
        0);
    EXPECT_GT(
        runOver(fuzz_places, { QStringLiteral("fuzz/places"), QStringLiteral("fuzz/regressions/places") }),
        0);
    EXPECT_GT(
        runOver(fuzz_numbers, { QStringLiteral("fuzz/numbers"), QStringLiteral("fuzz/regressions/numbers") }),
        0);
    EXPECT_GT(
        runOver(fuzz_tiles, { QStringLiteral("fuzz/tiles"), QStringLiteral("fuzz/regressions/tiles") }), 0);
}

} // namespace
