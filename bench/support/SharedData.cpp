// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/support/SharedData.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace tremora::bench
{

QString sharedData(const QString& relativePath)
{
    const QString fromEnv = qEnvironmentVariable("TREMORA_SHARED_DATA");
    return QDir(fromEnv.isEmpty() ? QStringLiteral(TREMORA_SHARED_DATA_DEFAULT) : fromEnv)
        .filePath(relativePath);
}

void skipped(const char* figure, const QString& why)
{
    std::printf("%s: skipped (%s)\n", figure, qPrintable(why));
}

bool present(const char* figure, const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    skipped(figure, QStringLiteral("needs ") + QDir::cleanPath(path));
    return false;
}

} // namespace tremora::bench
