// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace tremora::test
{

QString sharedDataDir()
{
    const QString fromEnv = qEnvironmentVariable("TREMORA_SHARED_DATA");
    return fromEnv.isEmpty() ? QStringLiteral(TREMORA_SHARED_DATA_DEFAULT) : fromEnv;
}

QString sharedData(const QString& relativePath)
{
    return QDir(sharedDataDir()).filePath(relativePath);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

} // namespace tremora::test
