// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// Fetches a URL into a local file. Returns when the transfer has ended: true when a reply came
/// (whatever its HTTP status; the body is then in the file), false when none came, in which case
/// no file is created. The body is written to a temporary file and renamed into place at the end.
class Downloader
{
public:
    virtual ~Downloader() = default;
    virtual bool download(const QString& url, const QString& filePath) = 0;
    /// Ends a running download as if no reply had come (the window is closing). No effect when
    /// nothing runs.
    virtual void abort() { }
    /// HTTP status of the last reply received (200, 204, 400, ...); 0 when none came.
    virtual int lastStatus() const { return 0; }
};

} // namespace tremora
