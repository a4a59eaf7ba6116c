// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueUpdate.h"
#include "platform/Dialogs.h"
#include "platform/Downloader.h"
#include "platform/MidiOut.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/Tray.h"
#include "tests/soak/Monkey.h"
#include "tests/soak/ServiceModel.h"
#include "tests/soak/SimulatedTime.h"
#include "tools/EventServer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace tremora
{
class Program;
}

namespace tremora::soak
{

struct SoakSettings {
    double hours = 24;
    quint64 seed = 1;
    /// Months of history the service holds before the day begins; 0: everything from 1973, more
    /// than a full catalogue.
    int historyMonths = 0;
    /// Folder of the saved replies whose rows the service's events are made of.
    QString replies;
    /// Folder of the files supplied with the program (place list, map pictures).
    QString programData;
    /// The build has the sanitizers: everything is several times slower, so pauses are only
    /// reported, not judged.
    bool sanitized = false;
};

/// Message boxes the user would have to dismiss: counted, the last few kept.
class CountingDialogs final : public Dialogs
{
public:
    void warning(const QString& text) override { add(text); }
    void error(const QString& text) override { add(text); }
    int count = 0;
    QStringList last;
    /// How often each text came (its first line, at most a few dozen kinds).
    std::map<QString, int> kinds;

private:
    void add(const QString& text);
};

/// Balloons counted, not shown.
class CountingTray final : public Tray
{
public:
    void balloon(const QString&, const QString&, BalloonIcon, int) override { ++count; }
    int count = 0;
};

/// Notes sent nowhere; the resets counted (closing the window must silence a replay).
class SilentMidi final : public MidiOut
{
public:
    void open() override { }
    void shortMessage(std::uint32_t) override { }
    void reset() override { ++resets; }
    void setVolume(std::uint16_t, std::uint16_t) override { }
    void close() override { }
    int resets = 0;
};

/// The real downloader, counting the transfers under way so the harness knows when the program
/// waits for the network rather than for the soak's clock.
class CountingDownloader final : public Downloader
{
public:
    explicit CountingDownloader(Downloader& inner)
        : m_inner(inner)
    {
    }
    Download* download(const QString& url, const QString& filePath) override;
    int inFlight() const { return m_inFlight; }

private:
    Downloader& m_inner;
    int m_inFlight = 0;
};

/// The longest the window was held, by what held it.
class PauseMeter
{
public:
    void record(const QString& what, qint64 wallNs, qint64 cpuNs);
    struct Worst {
        qint64 wallNs = 0;
        qint64 cpuNs = 0;
    };
    const std::map<QString, Worst>& worst() const { return m_worst; }

private:
    std::map<QString, Worst> m_worst;
};

/// A day of use: the real window offscreen, the real update over loopback against the live
/// event service, the monkey, all on the soak's clock; the invariants checked after every step.
class Soak final : public QObject
{
public:
    explicit Soak(const SoakSettings& settings);
    ~Soak() override;

    /// Runs the day in the event loop and prints the figures; returns the exit status.
    int run();

    /// What the application measured of an event the harness did not cause itself.
    PauseMeter& pauses() { return m_pauses; }
    /// How many of the harness's own steps ran: an event during which one ran was the harness's
    /// (it measures the program's part of it itself).
    int stepsRun() const { return m_stepsRun; }

private:
    enum class StepKind { Pause, Timer, Action };
    struct Ended {
        CatalogueUpdate::Outcome outcome;
        int firstWritten;
    };
    using Key = std::tuple<double, double, float, float>;

    void setUp();
    void step();
    void perform(StepKind kind, QTimer* timer);
    void act(const QString& suffix = QString());
    void checkStep();
    void checkUpdate(const Ended& ended);
    void checkCatalogue();
    /// What differs between the catalogue's end and the service's: events missing, extra, changed.
    QString tailDifference() const;
    void checkWarnings(int firstWritten);
    /// A replay ends only by its end, the user or the window closing, and only the user clears
    /// its log; `byUser`: what just happened was the user's doing, `cause` names it.
    void checkReplay(bool byUser, const QString& cause);
    void finish();
    void fail(const QString& kind, const QString& text);
    void log(const QString& action);
    QString clockText() const;
    qint64 readFile(bool keep);
    void printReport();
    qint64 rssBytes() const;

    SoakSettings m_settings;
    qint64 m_startMs = 0;
    qint64 m_endMs = 0;
    QTemporaryDir m_dir;
    QString m_workDir;
    QString m_scratchDir;

    SimClock m_clock;
    SimPause m_pause;
    CountingDialogs m_dialogs;
    CountingTray m_tray;
    SilentMidi m_midi;
    QtDownloader m_network;
    CountingDownloader m_downloader;
    Platform m_platform;
    EventServer m_server;
    EventServer::LiveSettings m_live;
    std::unique_ptr<ServiceModel> m_model;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<TimerDriver> m_timers;
    std::unique_ptr<Monkey> m_monkey;

    qint64 m_nextActionMs = 0;
    qint64 m_nextHourMs = 0;
    int m_stepsRun = 0;
    bool m_closing = false;
    bool m_done = false;
    int m_exitCode = 0;

    // What the last step was, for the checks that follow it.
    QString m_stepLabel;
    std::vector<Ended> m_ended; // updates that ended since the last check

    struct FileIdentity {
        qint64 inode = -1;
        qint64 modifiedNs = -1;
        qint64 size = -1;
        friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    };
    FileIdentity fileIdentity() const;
    FileIdentity m_fileIdentity;
    // The catalogue file as last read (after a completed update) and its digest.
    std::vector<QuakeRecord> m_fileRecords;
    quint64 m_fileDigest = 0;
    qint64 m_fileMatchedMs = -1; // when the file last matched the service; -1: not since a change
    qint64 m_memoryMatchedMs = -1; // when the catalogue last held exactly the service's newest

    // The warnings: what the program held, what waits for a check, what Memo2 said so far.
    std::set<Key> m_known;
    std::vector<QuakeRecord> m_pending;
    int m_memo2Lines = 0;

    // The replay as the last step left it.
    bool m_replayRunning = false;
    int m_memo1Lines = 0;

    PauseMeter m_pauses;
    qint64 m_rssFirstHour = -1;
    qint64 m_rssLast = 0;
    qint64 m_rssPeak = 0;
    std::vector<qint64> m_rssHourly;

    int m_actions = 0;
    int m_failures = 0;
    std::map<QString, int> m_failureKinds;
    QStringList m_failureTexts;
    QStringList m_actionsBeforeFailure;
    int m_updates[4] = {};
    int m_replays = 0;
    int m_steps[3] = {};
    std::map<QString, int> m_timerTicks;
    int m_warningsReported = 0;
    QElapsedTimer m_wall;
};

} // namespace tremora::soak
