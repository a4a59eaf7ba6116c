// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Waiting.h"

#include "catalogue/CatalogueUpdate.h"
#include "platform/Downloader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace tremora::test
{

namespace
{

// Wakes a waiting loop now and then, so a deadline is kept even when no event comes.
constexpr int kWakeUpMs = 10;

} // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wakeUp;
    wakeUp.start(kWakeUpMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

Fetched fetch(Downloader& downloader, const QString& url, const QString& filePath)
{
    Fetched result;
    bool ended = false;
    std::unique_ptr<Download> download(downloader.download(url, filePath));
    QObject::connect(download.get(), &Download::finished, download.get(), [&](bool received, int status) {
        result = { received, status };
        ended = true;
    });
    waitUntil([&] { return ended; });
    return result;
}

bool waitForUpdate(const CatalogueUpdate& update, int timeoutMs)
{
    return waitUntil([&] { return !update.isRunning(); }, timeoutMs);
}

} // namespace tremora::test
