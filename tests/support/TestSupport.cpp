// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tremora::test
{

QString fixtureDir()
{
    return QStringLiteral(TREMORA_TEST_DATA_DIR);
}

QString fixture(const QString& relativePath)
{
    return QDir(fixtureDir()).filePath(relativePath);
}

QString sharedDataDir()
{
    const QString fromEnv = qEnvironmentVariable("TREMORA_SHARED_DATA");
    return fromEnv.isEmpty() ? QStringLiteral(TREMORA_SHARED_DATA_DEFAULT) : fromEnv;
}

QString sharedData(const QString& relativePath)
{
    return QDir(sharedDataDir()).filePath(relativePath);
}

QString sharedDataIfPresent(const QString& relativePath)
{
    const QString path = sharedData(relativePath);
    return QFileInfo::exists(path) ? path : QString();
}

std::string missingSharedData(const QString& relativePath, const char* what)
{
    return QStringLiteral("needs %1 (%2); not present")
        .arg(QDir::cleanPath(sharedData(relativePath)), QString::fromUtf8(what))
        .toStdString();
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
