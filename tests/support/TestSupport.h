// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace tremora::test
{

/// Folder of the small real data kept with the tests (tests/data): slices of USGS replies and
/// of the place lists. Always there, so the tests that read it run in every checkout.
QString fixtureDir();

/// Path of a file under fixtureDir().
QString fixture(const QString& relativePath);

/// Folder of the whole real data shared by the tests (USGS months, place lists, map data),
/// which lives beside the repository and may be missing.
QString sharedDataDir();

/// Path of a file under sharedDataDir().
QString sharedData(const QString& relativePath);

/// Path of a file or folder under sharedDataDir(), or an empty string when it is not there.
QString sharedDataIfPresent(const QString& relativePath);

/// Why a test that needs relativePath of the shared data (`what` says what it holds) is skipped.
std::string missingSharedData(const QString& relativePath, const char* what);

/// Whole contents of a file; empty when it cannot be read.
QByteArray readAll(const QString& path);

/// Writes bytes to a file, replacing it; false when it cannot be written.
bool writeAll(const QString& path, const QByteArray& bytes);

} // namespace tremora::test

/// Skips the running test, saying what it needs, when relativePath (a string literal) is missing
/// from the shared data. Use it first thing in a test body.
#define TREMORA_SKIP_WITHOUT_SHARED_DATA(relativePath, what)                                                 \
    if (::tremora::test::sharedDataIfPresent(QStringLiteral(relativePath)).isEmpty())                        \
    GTEST_SKIP() << ::tremora::test::missingSharedData(QStringLiteral(relativePath), what)
