// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <span>

class QIODevice;

namespace tremora
{

struct WholeFileWrite {
    bool ok = false;
    QString error; // why the file could not be written; the old file is then left as it was
};

/// Bytes that go into a file one after the other.
struct FilePiece {
    const char* data = nullptr;
    qint64 size = 0;
};

/// Replaces the file at `path` with `size` bytes from `data` in one step: the bytes go to a
/// temporary file that is renamed over the old one only once all of them are on disk.
WholeFileWrite writeWholeFile(const QString& path, const char* data, qint64 size);
/// The same with the file's bytes in pieces, written in order.
WholeFileWrite writeWholeFile(const QString& path, std::span<const FilePiece> pieces);

/// Reads up to `size` bytes from an open device into `target`, going on after short reads.
/// Returns how many bytes arrived; fewer than `size` means the device ended or failed.
qint64 readFully(QIODevice& device, char* target, qint64 size);

} // namespace tremora
