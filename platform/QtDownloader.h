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
/// that stalls for longer than the stall timeout, a reply larger than the size cap, or abort()
/// leave no file.
class QtDownloader final : public Downloader
{
public:
    static constexpr int kDefaultStallTimeoutMs = 60'000;
    /// Far above any month of the event service (a few MB; the service refuses more than 20,000
    /// events per query), far below what would hurt the disk.
    static constexpr qint64 kDefaultMaxReplyBytes = 256LL * 1024 * 1024;

    explicit QtDownloader(
        int stallTimeoutMs = kDefaultStallTimeoutMs, qint64 maxReplyBytes = kDefaultMaxReplyBytes);

    Download* download(const QString& url, const QString& filePath) override;

private:
    QNetworkAccessManager m_manager;
    int m_stallTimeoutMs;
    qint64 m_maxReplyBytes;
};

} // namespace tremora
