// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace tremora::fuzz
{

QString testData(const QString& relativePath)
{
    return QStringLiteral(TREMORA_TEST_DATA_DIR "/") + relativePath;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString scratchFile(const QString& name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

bool writeAll(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

} // namespace tremora::fuzz
