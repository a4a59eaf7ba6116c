// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueUpdate.h"

#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "platform/ConversionError.h"
#include "platform/Platform.h"

#include <QFile>
#include <QThread>

namespace tremora
{

namespace
{

// Passes what the parse reports on as the update's signals.
class SignalObserver final : public ImportObserver
{
public:
    explicit SignalObserver(CatalogueUpdate& update)
        : m_update(update)
    {
    }
    void log(const QString& line) override { Q_EMIT m_update.logLine(line); }
    void progress(int index) override { Q_EMIT m_update.rowProgress(index); }
    void warning(const QString& text) override { Q_EMIT m_update.warning(text); }

private:
    CatalogueUpdate& m_update;
};

QString monthText(const MonthRequest& request)
{
    return QStringLiteral("%1-%2").arg(request.year).arg(request.month, 2, 10, QLatin1Char('0'));
}

} // namespace

CatalogueUpdate::CatalogueUpdate(Catalogue& catalogue, Platform& platform, QString replyPath, QObject* parent)
    : QObject(parent)
    , m_catalogue(catalogue)
    , m_platform(platform)
    , m_replyPath(std::move(replyPath))
{
}

CatalogueUpdate::~CatalogueUpdate()
{
    // The program may end without closing the window first: the file is still left whole.
    if (m_saveThread)
        m_saveThread->wait();
    // A transfer still running ends with its download; its signal must not reach a dead update.
    if (m_download)
        m_download->disconnect(this);
    delete m_download;
}

bool CatalogueUpdate::start(DateLayout layout)
{
    if (m_running)
        return false;
    m_running = true;
    ++m_run;
    m_layout = layout;
    m_catalogue.beginImport();
    m_firstWritten = 0;
    m_plan = planUpdate(m_catalogue, m_platform.clock.today());
    if (m_plan.rebuild) {
        m_catalogue.CatalogueCount = 0;
        m_catalogue.ImportCount = 0;
    }
    m_month = 0;
    startMonth();
    return true;
}

void CatalogueUpdate::stop()
{
    if (!m_running)
        return;
    if (m_saveThread) {
        // Cutting the write short would only leave the temporary file; the catalogue is in it.
        Q_EMIT statusText(tr(kFinishingSaveText));
        saveEnded(Outcome::Stopped);
        return;
    }
    dropDownload();
    end(Outcome::Stopped);
}

void CatalogueUpdate::dropDownload()
{
    if (!m_download)
        return;
    m_download->disconnect(this);
    m_download->abort();
    m_download->deleteLater();
    m_download = nullptr;
}

void CatalogueUpdate::startMonth()
{
    if (m_month >= m_plan.months.size()) {
        finishMonths();
        return;
    }
    const MonthRequest& request = m_plan.months[m_month];
    Q_EMIT statusText(tr("Aktualizacja bazy USGS: miesiąc %1 z %2 (%3)")
                          .arg(m_month + 1)
                          .arg(m_plan.months.size())
                          .arg(monthText(request)));
    Q_EMIT monthStarted(static_cast<int>(m_month + 1), static_cast<int>(m_plan.months.size()));
    m_periods = { request };
    m_attempt = 0;
    Wczyt_zakres_dat();
}

void CatalogueUpdate::Wczyt_zakres_dat()
{
    const MonthRequest& period = m_periods.front();
    const QString firstDay = period.edit7(m_layout);
    const QString lastDay = period.edit8(m_layout);
    Q_EMIT periodRequested(firstDay, lastDay);
    const QString url
        = Wczyt_zakres_dat_url(m_platform.eventHost, firstDay, lastDay, m_layout, randomQueryPart());
    Q_EMIT logCleared();
    Q_EMIT logLine(tr(kImportStartText));

    // A reply left over from an update that broke off must never pass for this period's reply.
    QFile::remove(m_replyPath);
    m_download = m_platform.downloader.download(url, m_replyPath);
    connect(m_download, &Download::finished, this, &CatalogueUpdate::replyArrived);
}

ReplyKind CatalogueUpdate::replyKind(int status) const
{
    QFile file(m_replyPath);
    if (!file.open(QIODevice::ReadOnly))
        return ReplyKind::Missing;
    return classifyReply(file, status);
}

void CatalogueUpdate::replyArrived(bool received, int status)
{
    Q_UNUSED(received); // the file tells: it exists exactly when a reply came
    dropDownload();
    Q_EMIT logLine(tr(QFile::exists(m_replyPath) ? kReplyReceivedText : kNoReplyText));

    const ReplyKind kind = replyKind(status);
    const bool usable
        = kind == ReplyKind::Catalogue || kind == ReplyKind::NoEvents || kind == ReplyKind::SearchLimit;
    if (!usable && m_attempt < kRetries) {
        ++m_attempt;
        const unsigned run = m_run;
        m_platform.pause.after(kRetryPauseMs, this, [this, run] {
            if (m_running && run == m_run)
                Wczyt_zakres_dat();
        });
        return;
    }
    m_attempt = 0;
    const MonthRequest period = m_periods.front();
    try {
        takeReply(kind);
    } catch (const ConversionError& e) {
        // The box names the field; the status bar keeps saying why the update stopped.
        Q_EMIT statusText(
            tr("Aktualizacja bazy USGS przerwana (%1): błędne dane z serwera.").arg(monthText(period)));
        end(Outcome::Failed, e.message());
    }
}

void CatalogueUpdate::takeReply(ReplyKind kind)
{
    const MonthRequest period = m_periods.front();

    // Too many events for one query: fetch the period again in two halves, in order, so that no
    // day is lost. Only the first half may still be matched against the stored records.
    if (kind == ReplyKind::SearchLimit && period.firstDay < period.lastDay) {
        QFile::remove(m_replyPath);
        MonthRequest first = period;
        first.lastDay = period.firstDay + (period.lastDay - period.firstDay) / 2;
        MonthRequest second = period;
        second.firstDay = first.lastDay + 1;
        second.matchFirst = false;
        m_periods.pop_front();
        m_periods.push_front(second);
        m_periods.push_front(first);
        Wczyt_zakres_dat();
        return;
    }

    if (!QFile::exists(m_replyPath)) {
        Q_EMIT statusText(tr("Aktualizacja bazy USGS przerwana (%1): serwer nie przysłał katalogu.")
                              .arg(monthText(period)));
        end(Outcome::NoReply);
        return;
    }
    if (kind == ReplyKind::NoEvents) {
        QFile::remove(m_replyPath);
        periodDone();
        return;
    }
    SignalObserver observer(*this);
    const AnalizaResult result
        = AnalizaFile(m_replyPath, m_catalogue, m_plan.startCount, period.matchFirst, observer);
    QFile::remove(m_replyPath);
    // A server that keeps failing for a period must not leave a hole: saving the later months
    // would move the next update past it for good. The update ends unsaved and the next one
    // fetches the period again. (A single day over the search limit can never be fetched, so
    // that one is reported and passed over.)
    if (!result.accepted && kind == ReplyKind::Other) {
        Q_EMIT statusText(tr("Aktualizacja bazy USGS przerwana (%1): serwer nie przysłał katalogu.")
                              .arg(monthText(period)));
        end(Outcome::NoReply);
        return;
    }
    periodDone();
}

void CatalogueUpdate::periodDone()
{
    m_periods.pop_front();
    if (!m_periods.empty()) {
        Wczyt_zakres_dat();
        return;
    }
    Q_EMIT monthHandled();
    ++m_month;
    startMonth();
}

QString CatalogueUpdate::updatedLine() const
{
    const double now = m_platform.clock.now();
    return tr(kUpdatedText) + dateText(now) + QStringLiteral(", ") + timeText(now);
}

void CatalogueUpdate::finishMonths()
{
    // A catalogue whose file was set aside as damaged is written anew even when nothing changed.
    const bool fileThere = m_catalogue.CatalogueCount == 0 || QFile::exists(m_catalogue.CatalogueFileName);
    if (m_catalogue.CatalogueCount == m_catalogue.ImportCount && m_catalogue.importDropCount() == 0
        && fileThere) {
        Q_EMIT logLine(updatedLine());
        Q_EMIT statusText(updatedLine());
        end(Outcome::Completed);
        return;
    }
    finishWithSave();
}

void CatalogueUpdate::finishWithSave()
{
    Q_EMIT saveStarted();
    Q_EMIT logLine(tr(kSavingText));
    m_firstWritten = m_catalogue.firstImportedIndex();
    // Written from where the rows stand (slots, then the rows waiting past the last one) by a
    // worker, while the window goes on. Nothing moves in memory until the file is whole.
    m_saveThread.reset(QThread::create([this] { m_saveResult = SaveImport(m_catalogue); }));
    m_saveThread->setObjectName(QStringLiteral("catalogue save"));
    // stop() may have ended the save already, and a later update started another.
    connect(m_saveThread.get(), &QThread::finished, this, [this, run = m_run] {
        if (m_saveThread && run == m_run)
            saveEnded(Outcome::Completed);
    });
    m_saveThread->start();
}

void CatalogueUpdate::saveEnded(Outcome outcome)
{
    m_saveThread->wait();
    m_saveThread.reset();
    const SaveResult saved = std::exchange(m_saveResult, SaveResult {});
    const int dropped = m_catalogue.importDropCount();
    // The import becomes the catalogue in memory, in the order the file now holds it: the oldest
    // records that gave way are moved out by one memmove, and nothing is read back.
    m_catalogue.takeImport();
    if (!saved.ok) {
        // The rows stay in memory; the next update's save writes them.
        Q_EMIT saveFailed(
            tr("Nie można zapisać pliku %1: %2").arg(m_catalogue.CatalogueFileName, saved.error));
        if (dropped > 0) {
            // Indices moved all the same; whoever holds one must hear of it.
            LoadResult kept;
            kept.loaded = m_catalogue.CatalogueCount;
            kept.droppedOldest = dropped;
            Q_EMIT reloaded(kept);
        }
        Q_EMIT logLine(updatedLine());
        end(outcome);
        return;
    }
    Q_EMIT logLine(tr(kSavedText));
    LoadResult taken;
    taken.fileFound = true;
    taken.recordsInFile = m_catalogue.CatalogueCount;
    taken.loaded = m_catalogue.CatalogueCount;
    taken.droppedOldest = dropped;
    Q_EMIT reloaded(taken);
    Q_EMIT logLine(tr(kReloadedText));
    Q_EMIT logLine(updatedLine());
    end(outcome);
}

void CatalogueUpdate::end(Outcome outcome, const QString& message)
{
    m_running = false;
    m_periods.clear();
    // Rows past the last slot are only kept by an update that completes.
    m_catalogue.dropOverflow();
    Q_EMIT finished(outcome, message);
}

} // namespace tremora
