// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtDownloader.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

namespace tremora
{

namespace
{

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

} // namespace

QtDownloader::QtDownloader(QObject* parent)
    : QObject(parent)
{
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QtDownloader::~QtDownloader()
{
    abort();
}

bool QtDownloader::download(const QString& url, const QString& filePath)
{
    if (isBusy())
        return false; // one transfer at a time; a nested call would clobber the running one
    m_aborted = false;
    m_lastStatus = 0;

    QSaveFile file(filePath);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    QNetworkRequest request { QUrl(url) };
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_manager.get(request);
    m_reply = reply;

    bool writeFailed = false;
    auto drain = [&] {
        if (!reply->isOpen())
            return;
        const QByteArray chunk = reply->readAll();
        if (!chunk.isEmpty() && file.write(chunk) != chunk.size())
            writeFailed = true;
    };
    connect(reply, &QNetworkReply::readyRead, this, drain);

    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();

    // The loop also ends when the application quits under us; the transfer is then abandoned.
    if (!reply->isFinished())
        reply->abort();
    drain();

    const bool received = !m_aborted && !writeFailed && wholeReplyArrived(*reply);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->disconnect(this);
    reply->deleteLater();
    m_reply = nullptr;

    if (!received) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    m_lastStatus = status;
    return true;
}

void QtDownloader::abort()
{
    if (m_reply) {
        m_aborted = true;
        m_reply->abort();
    }
}

} // namespace tremora
