// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WholeFile.h"

#include <QIODevice>
#include <QSaveFile>

namespace tremora
{

WholeFileWrite writeWholeFile(const QString& path, const char* data, qint64 size)
{
    const FilePiece whole[] = { { data, size } };
    return writeWholeFile(path, whole);
}

WholeFileWrite writeWholeFile(const QString& path, std::span<const FilePiece> pieces)
{
    WholeFileWrite result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    for (const FilePiece& piece : pieces) {
        if (piece.size > 0 && file.write(piece.data, piece.size) != piece.size) {
            result.error = file.errorString();
            file.cancelWriting();
            return result;
        }
    }
    // commit() flushes to disk and renames the temporary file over the old one.
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

qint64 readFully(QIODevice& device, char* target, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const qint64 got = device.read(target + done, size - done);
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

} // namespace tremora
