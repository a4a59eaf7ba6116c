// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace tremora::test
{

/// Folder of the real data shared by the tests (USGS replies, place lists, map data).
QString sharedDataDir();

/// Path of a file under sharedDataDir().
QString sharedData(const QString& relativePath);

/// Whole contents of a file; empty when it cannot be read.
QByteArray readAll(const QString& path);

/// Writes bytes to a file, replacing it; false when it cannot be written.
bool writeAll(const QString& path, const QByteArray& bytes);

} // namespace tremora::test
