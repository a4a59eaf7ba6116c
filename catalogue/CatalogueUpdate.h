// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/MonthPlan.h"
#include "catalogue/QueryUrl.h"

#include <QObject>
#include <QString>

#include <deque>
#include <memory>

class QThread;

namespace tremora
{

class Download;
struct Platform;

/// One update of the catalogue from the USGS event service, as a state machine that does one
/// step per event and never waits: a reply arrives as a signal, a pause is a timer, and the save
/// at the end runs on a worker thread.
///
/// It fetches the missing months one request each into the reply file, parses and merges each
/// reply, and at the end saves the catalogue when anything changed. While the worker writes the
/// file, nothing writes the catalogue (this update is its only writer after start-up, and it is
/// still running); when the file is whole, the import is taken in memory. A catalogue that
/// would pass its capacity keeps its newest records: as many of the oldest give way as the
/// update brought past the last slot, and `reloaded` says how many (LoadResult::droppedOldest). A reply
/// refused for matching too many events is fetched again in halves (down to single days); a missing or
/// unrecognised reply is tried again twice first, after a pause. Everything it has to show goes
/// out through its signals; the window's controller moves it to the controls.
class CatalogueUpdate final : public QObject
{
    Q_OBJECT
public:
    // Log and status texts, shown translated.
    static constexpr const char* kImportStartText = QT_TR_NOOP("Import bazy z serwera USGS...");
    static constexpr const char* kReplyReceivedText = QT_TR_NOOP("Poprawnie zaimportowano dane z USGS");
    static constexpr const char* kNoReplyText = QT_TR_NOOP("Nie otrzymałem pliku z USGS.");
    static constexpr const char* kSavingText = QT_TR_NOOP("Zapisywanie bazy do pliku...");
    static constexpr const char* kSavedText = QT_TR_NOOP("Baza zapisana, odczutuję ponownie...");
    static constexpr const char* kReloadedText = QT_TR_NOOP(" - Baza odczytana...");
    static constexpr const char* kUpdatedText = QT_TR_NOOP("Aktualizacja: ");
    static constexpr const char* kFinishingSaveText
        = QT_TR_NOOP("Kończę zapis bazy do pliku; okno zamknie się po nim...");

    /// Attempts after the first for a download that brought nothing usable.
    static constexpr int kRetries = 2;
    static constexpr int kRetryPauseMs = 3'000;
    /// HTTP status of the service's answer for a period without events.
    static constexpr int kHttpNoContent = tremora::kHttpNoContent;

    /// How an update ended.
    enum class Outcome {
        Completed, // every month handled; saved and reloaded when anything changed
        NoReply, // a period brought no catalogue; nothing saved
        Stopped, // stop() was called; nothing saved
        Failed, // a reply held a malformed field (ConversionError); nothing saved
    };

    /// `replyPath` is where each reply is downloaded to; the catalogue's own file name says where
    /// it is saved.
    CatalogueUpdate(Catalogue& catalogue, Platform& platform, QString replyPath, QObject* parent = nullptr);
    ~CatalogueUpdate() override;

    /// Starts an update and returns at once; false when one is already running. `layout` is how
    /// the days of each request are written for the user (and so in the query).
    bool start(DateLayout layout);
    /// Ends a running update where it stands; nothing half-done is saved. A save that has begun
    /// is waited for, so the file is whole, and reported as it ends. finished(Stopped) comes
    /// before it returns.
    void stop();
    /// True from start() until finished(), the save at the end included.
    bool isRunning() const { return m_running; }
    /// The worker is writing the catalogue file.
    bool isSaving() const { return m_saveThread != nullptr; }
    const QString& replyPath() const { return m_replyPath; }
    /// Index of the oldest record the last update wrote into the catalogue, counted after it
    /// was taken (records an update writes again over equal ones included); 0 when it wrote
    /// nothing. Records at and above it are what the update may have brought.
    int firstWrittenIndex() const { return m_firstWritten; }
    /// The last update rebuilt the catalogue from its first month instead of adding to it.
    bool wasRebuild() const { return m_plan.rebuild; }

Q_SIGNALS:
    /// The first and last day of the period being requested, as the user should see them.
    void periodRequested(const QString& firstDay, const QString& lastDay);
    /// The log is to start afresh (each request clears it).
    void logCleared();
    void logLine(const QString& line);
    /// Progress and results for the status bar.
    void statusText(const QString& text);
    /// Month `month` (1-based) of `months` is being fetched.
    void monthStarted(int month, int months);
    /// The catalogue is about to be saved; the window goes on, but no update starts until
    /// finished().
    void saveStarted();
    /// Row index reached by the parse, every tenth row.
    void rowProgress(int index);
    /// A warning for a box (a refused reply, a corrected depth).
    void warning(const QString& text);
    /// A month was handled; the catalogue's first and last dates may be shown.
    void monthHandled();
    /// The catalogue was saved and the import taken in memory (`loaded` and `droppedOldest` are
    /// set; nothing is read back from the file); or, when the save failed after old records gave
    /// way, taken in memory all the same.
    void reloaded(const tremora::LoadResult& result);
    /// The catalogue could not be saved; it stays in memory.
    void saveFailed(const QString& text);
    /// The update ended; `message` carries the conversion error of a Failed update.
    void finished(tremora::CatalogueUpdate::Outcome outcome, const QString& message);

private:
    void startMonth();
    void Wczyt_zakres_dat();
    void replyArrived(bool received, int status);
    void takeReply(ReplyKind kind);
    void periodDone();
    void finishMonths();
    void finishWithSave();
    void saveEnded(Outcome outcome);
    void end(Outcome outcome, const QString& message = QString());
    void dropDownload();
    ReplyKind replyKind(int status) const;
    QString updatedLine() const;

    Catalogue& m_catalogue;
    Platform& m_platform;
    QString m_replyPath;
    DateLayout m_layout = DateLayout::YearMonthDay;
    UpdatePlan m_plan;
    std::size_t m_month = 0;
    std::deque<MonthRequest> m_periods; // periods of the current month still to fetch, in order
    int m_attempt = 0;
    bool m_running = false;
    int m_firstWritten = 0;
    Download* m_download = nullptr;
    unsigned m_run = 0; // tells a pause of an earlier run from one of this run
    std::unique_ptr<QThread> m_saveThread; // the worker writing the file, while it runs
    SaveResult m_saveResult; // written by the worker, read once it has ended
};

} // namespace tremora
