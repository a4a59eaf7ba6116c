// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtDownloader.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace tremora
{

namespace
{

constexpr qint64 kReadBufferBytes = 1 << 20;

// An HTTP status came with the reply and the transfer was not cut short: the body is whole, even
// when the status is an error (the service explains a refused query in the body).
bool wholeReplyArrived(const QNetworkReply& reply)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    // Connection and proxy failures (codes below 200) and a garbled reply mean nothing usable came;
    // Qt reports HTTP error statuses as content, protocol or server errors, and those bodies count.
    const QNetworkReply::NetworkError error = reply.error();
    return error == QNetworkReply::NoError
        || (error >= QNetworkReply::ContentAccessDenied && error != QNetworkReply::ProtocolUnknownError
            && error != QNetworkReply::ProtocolFailure);
}

// One transfer: the reply's body goes into a temporary file beside `filePath`, renamed over it only
// when the reply is whole. A reply is read once and deleted, and fetched again if anything breaks
// off, so it is not forced to disk: with a month per request, that flush cost more than the rest
// of the transfer.
class QtDownload final : public Download
{
public:
    QtDownload(QNetworkAccessManager& manager, const QString& url, const QString& filePath,
        int stallTimeoutMs, qint64 maxBytes, int deadlineMs)
        : m_path(filePath)
        , m_file(filePath + QStringLiteral(".XXXXXX"))
        , m_maxBytes(maxBytes)
    {
        if (!m_file.open()) {
            QTimer::singleShot(0, this, [this] { end(false, 0); });
            return;
        }
        QNetworkRequest request { QUrl(url) };
        request.setAttribute(
            QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(stallTimeoutMs);
        m_reply = manager.get(request);
        // Without a limit Qt takes in whatever the server sends, however fast, before a drain
        // can refuse it.
        m_reply->setReadBufferSize(kReadBufferBytes);
        connect(m_reply, &QNetworkReply::metaDataChanged, this, &QtDownload::checkAnnouncedSize);
        connect(m_reply, &QNetworkReply::readyRead, this, &QtDownload::drain);
        connect(m_reply, &QNetworkReply::finished, this, &QtDownload::replyFinished);
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, &QtDownload::giveUp);
        m_deadline.start(deadlineMs);
    }

    ~QtDownload() override
    {
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
            m_reply->deleteLater();
        }
        // A temporary file that was not renamed is removed with its object.
    }

    void abort() override
    {
        if (m_reply && !m_done) {
            m_aborted = true;
            m_reply->abort(); // finished comes at once
        }
    }

private:
    // A reply that announces more than the cap is refused before its first byte is stored.
    void checkAnnouncedSize()
    {
        if (!m_reply || m_failed)
            return;
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBytes)
            giveUp();
    }
    void giveUp()
    {
        if (m_reply && !m_done && !m_failed) {
            m_failed = true;
            m_reply->abort(); // finished comes at once
        }
    }
    void drain()
    {
        if (!m_reply || !m_reply->isOpen() || m_failed)
            return;
        const QByteArray chunk = m_reply->readAll();
        if (chunk.isEmpty())
            return;
        if (m_file.size() + chunk.size() > m_maxBytes || m_file.write(chunk) != chunk.size())
            giveUp();
    }

    void replyFinished()
    {
        m_deadline.stop();
        drain();
        const bool whole = !m_aborted && !m_failed && wholeReplyArrived(*m_reply);
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
        if (!whole || !m_file.flush()) {
            m_file.remove();
            end(false, 0);
            return;
        }
        m_file.close();
        // Replaces an older file of that name in one step, as rename(2) does.
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_file.fileName()).toStdString(),
            QFile::encodeName(m_path).toStdString(), error);
        const bool renamed = !error;
        m_file.setAutoRemove(!renamed);
        end(renamed, renamed ? status : 0);
    }

    void end(bool received, int status)
    {
        if (m_done)
            return;
        m_done = true;
        Q_EMIT finished(received, status);
    }

    QString m_path;
    QTemporaryFile m_file;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    qint64 m_maxBytes;
    bool m_aborted = false;
    bool m_failed = false;
    bool m_done = false;
};

} // namespace

QtDownloader::QtDownloader(int stallTimeoutMs, qint64 maxReplyBytes, int replyDeadlineMs)
    : m_stallTimeoutMs(stallTimeoutMs)
    , m_maxReplyBytes(maxReplyBytes)
    , m_replyDeadlineMs(replyDeadlineMs)
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

Download* QtDownloader::download(const QString& url, const QString& filePath)
{
    return new QtDownload(m_manager, url, filePath, m_stallTimeoutMs, m_maxReplyBytes, m_replyDeadlineMs);
}

} // namespace tremora
