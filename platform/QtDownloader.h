// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Downloader.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

class QNetworkReply;

namespace tremora
{

/// Downloads over HTTP(S) with Qt Network. One access manager serves every request, so the
/// connection to the event service is reused from month to month. While a transfer runs, a local
/// event loop keeps the window painting and answering; the call still returns only when the
/// transfer has ended, like a blocking download.
///
/// Any HTTP reply counts as received, error statuses included (the body of a 400 or 503 reply is
/// written like any other): the caller decides what the body means. No connection, a transfer that
/// stalls for longer than the timeout, or abort() leave no file.
class QtDownloader final : public QObject, public Downloader
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 60'000;

    explicit QtDownloader(QObject* parent = nullptr);
    ~QtDownloader() override;

    bool download(const QString& url, const QString& filePath) override;
    void abort() override;

    /// Longest time without any data moving before the transfer is given up; 0 waits for ever.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }
    int lastStatus() const override { return m_lastStatus; }

    bool isBusy() const { return !m_reply.isNull(); }

private:
    QNetworkAccessManager m_manager;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutMs = kDefaultTimeoutMs;
    bool m_aborted = false;
    int m_lastStatus = 0;
};

} // namespace tremora
