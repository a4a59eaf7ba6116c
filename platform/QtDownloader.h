// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Downloader.h"

#include <QNetworkAccessManager>

namespace tremora
{

/// Downloads over HTTP(S) with Qt Network. One access manager serves every request, so the
/// connection to the event service is reused from month to month.
///
/// Any HTTP reply counts as received, error statuses included (the body of a 400 or 503 reply is
/// written like any other): the caller decides what the body means. No connection, a transfer
/// that stalls for longer than the stall timeout, one that is still running at the reply
/// deadline (a service that drips a byte now and then never stalls), a reply larger than the size
/// cap (refused as soon as its announced length says so), or abort() leave no file.
class QtDownloader final : public Downloader
{
public:
    static constexpr int kDefaultStallTimeoutMs = 60'000;
    /// Far above any month of the event service (a few MB; the service refuses more than 20,000
    /// events per query), far below what would hurt the disk.
    static constexpr qint64 kDefaultMaxReplyBytes = 256LL * 1024 * 1024;

    /// A month of the service comes in seconds; ten minutes is a line slower than any in use.
    static constexpr int kDefaultReplyDeadlineMs = 10 * 60'000;
    explicit QtDownloader(int stallTimeoutMs = kDefaultStallTimeoutMs,
        qint64 maxReplyBytes = kDefaultMaxReplyBytes, int replyDeadlineMs = kDefaultReplyDeadlineMs);

    Download* download(const QString& url, const QString& filePath) override;

private:
    QNetworkAccessManager m_manager;
    int m_stallTimeoutMs;
    qint64 m_maxReplyBytes;
    int m_replyDeadlineMs;
};

} // namespace tremora
