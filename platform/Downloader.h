// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace tremora
{

/// One transfer under way. It reports exactly once, through finished(), and never from inside
/// the call that started it, so a handler that starts a download always returns first.
class Download : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    /// Ends the transfer as if no reply had come. No effect once it has finished.
    virtual void abort() = 0;

Q_SIGNALS:
    /// `received`: a reply came, whatever its HTTP status, and its body is now in the file.
    /// Otherwise no file was created and an older file of that name is untouched. `status` is the
    /// HTTP status of the reply (200, 204, 400, ...), 0 when none came.
    void finished(bool received, int status);
};

/// Fetches URLs into local files without waiting for them. The body is written to a temporary
/// file and renamed into place only when the whole reply has come.
class Downloader
{
public:
    virtual ~Downloader() = default;

    /// Starts fetching `url` into `filePath` and returns at once. The caller owns the download:
    /// it deletes it with deleteLater() once finished() has come; deleting a download that is
    /// still running ends it without a file.
    virtual Download* download(const QString& url, const QString& filePath) = 0;
};

} // namespace tremora
