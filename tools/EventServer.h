// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/LoopbackListener.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace httplib
{
class Server;
struct Request;
struct Response;
}

namespace tremora
{

/// A loopback stand-in for the USGS event service: answers GET /fdsnws/event/1/query with the
/// events whose origin time lies in [starttime, endtime], oldest first, as the service's CSV (its
/// header row, then one row per event). Events come from saved CSV replies; an event present in
/// several of them (same id) is served once, in its most recently updated form. A query matching
/// more events than the limit gets the service's HTTP 400 refusal.
///
/// In the synthetic mode it serves instead a made-up catalogue at the scale of the real one
/// (serveSynthetic), built from the loaded rows. In the live mode (serveLive) that catalogue grows
/// as a clock runs, and the service behaves as a live one does: it reports some events late,
/// revises some, deletes a few and now and then fails for a while.
///
/// Used by the end-to-end tests (in-process, on a thread, ephemeral port) and by `make demo`.
/// Load events before start(); the limit and the synthetic mode may change at any time.
class EventServer
{
public:
    static constexpr int kDefaultLimit = 20'000;
    static constexpr const char* kQueryPath = "/fdsnws/event/1/query";

    EventServer();
    ~EventServer();
    EventServer(const EventServer&) = delete;
    EventServer& operator=(const EventServer&) = delete;

    /// Adds the rows of one CSV reply (header row first). Returns the number of rows read.
    int addCsv(const QByteArray& csv);
    /// Adds every "*-fdsn-asc.csv" of a folder, in name order. Returns the number of files read;
    /// `error` names a folder without such files or a file that cannot be read.
    int addFolder(const QString& folder, QString* error = nullptr);

    void setLimit(int limit) { m_limit = limit; }

    /// Ways a service can fail, served instead of the answer until set back to None.
    enum class Failure {
        None,
        Drip, // the answer, one byte every dripIntervalMs
        Silent, // the connection is accepted and never answered
        Huge, // a reply of 1 GiB (announced, then streamed as long as the client reads)
        CutRow, // the answer breaks off in the middle of a row and the connection closes
        Html200, // a maintenance page with status 200
        Html500, // an error page with status 500
        Html503, // an error page with status 503
        RedirectLoop, // every query redirected to another query, without end
        ToHttps, // a 301 to the same address over https
        WrongColumns, // the header, then rows with fewer columns than it names
        AbsurdValues, // rows with NaN, infinity, 1e300 and dates 0000-00-00 and 9999-12-31
    };
    static constexpr qint64 kHugeReplyBytes = 1LL << 30;
    /// The names --fail takes, in the order of Failure (None first, as "none").
    static QStringList failureNames();
    static std::optional<Failure> failureNamed(const QString& name);
    void setFailure(Failure failure) { m_failure = failure; }
    void setDripInterval(int milliseconds) { m_dripIntervalMs = milliseconds; }
    /// Bytes of body the failure modes sent so far (to see that a client stopped reading).
    qint64 failureBytesSent() const { return m_failureBytes; }
    /// Every answer comes this much later, as from a busy service (0: at once).
    void setReplyDelay(int milliseconds) { m_replyDelayMs = milliseconds; }
    int limit() const { return m_limit; }
    /// Events served: those loaded, or in the synthetic mode those of the made-up catalogue.
    int eventCount() const;

    /// Serves from now on a made-up catalogue of every month from January 1973 to `lastDay`
    /// (inclusive), as many events in each month as syntheticMonthCount says. Its events are the
    /// loaded rows taken in turn, again and again, each with its place, depth, magnitude and the
    /// rest as it came, a time of its own spread evenly over its month (the milliseconds are the
    /// row's) and an id of its own. The same rows and the same last day always give the same
    /// catalogue, and a later last day only adds events after the earlier one. Replies are
    /// written per query; nothing but the loaded rows is held. An invalid date, or no rows
    /// loaded, serves the loaded rows again.
    void serveSynthetic(const QDate& lastDay);
    /// Events of a whole month of the synthetic catalogue: a few hundred a month in the 1970s,
    /// growing to 10,000 a month from 2015 on (about 2.4 million from 1973 to the end of 2026).
    static int syntheticMonthCount(int year, int month);
    static constexpr int kSyntheticFirstYear = 1973;

    /// How the live mode behaves. Every choice comes from the seed and the event's number, so the
    /// same seed and the same instant always give the same answer.
    struct LiveSettings {
        std::uint64_t seed = 1;
        /// The first day served; earlier events are not held (an invalid date: January 1973).
        QDate firstDay;
        /// Events per thousand reported late, revised (a new magnitude) and deleted, each one
        /// between 5 minutes and `changeHorizonMinutes` after its origin time.
        int latePerMille = 30;
        int revisedPerMille = 20;
        int deletedPerMille = 5;
        int changeHorizonMinutes = 180;
        /// The clock is cut into windows of this length; in `failurePerMille` of them every query
        /// fails in one of `failures` (empty: none of them).
        int failureWindowMinutes = 2;
        int failurePerMille = 40;
        QList<Failure> failures;
        /// How long a silent answer holds its connection (the client has given up long before).
        int silentHoldMs = 5'000;
    };
    /// What the live service does with one event.
    struct LiveEvent {
        enum class Change { None, Late, Revised, Deleted };
        Change change = Change::None;
        qint64 changeAfterMs = 0; // after the origin time
        int magnitudeStepTenths = 0; // of a revision: never 0
    };
    /// Serves from now on the synthetic catalogue as it stands at the instant `now` gives
    /// (milliseconds since 1970, UTC, asked at every query): the events whose origin time has
    /// passed, less those not yet reported and those deleted, revisions applied. `now` is called
    /// on the server's threads.
    void serveLive(std::function<qint64()> now, const LiveSettings& settings);
    static LiveEvent liveEvent(std::uint64_t seed, qint64 number, const LiveSettings& settings);
    /// The failure the live service is in at `nowMs` (None outside its failure windows).
    static Failure liveFailureAt(qint64 nowMs, const LiveSettings& settings);
    /// Every failure mode but None, for LiveSettings::failures.
    static QList<Failure> allFailures();
    /// Whether the live service revised or deleted an event after `afterMs` and up to `untilMs`:
    /// between two such instants it only added events.
    bool liveChangedBetween(qint64 afterMs, qint64 untilMs) const;

    /// Listens on 127.0.0.1 at `port` (0 picks a free one) on a thread of its own. Returns the
    /// port, or -1 when it cannot listen.
    int start(int port = 0);
    /// Stops listening and waits for the thread.
    void stop();
    /// Blocks until the server stops (the command-line tool's main loop).
    void wait();

    int port() const { return m_listener.port(); }
    /// "http://127.0.0.1:<port>", the value for --event-host.
    QString baseUrl() const;
    /// Queries answered so far (refusals included).
    int requestCount() const { return m_requests; }

    struct Answer {
        int status = 200;
        QByteArray body;
        int events = 0; // events in the period (also when refused)
    };
    /// What the service answers for a period; times as the query sends them
    /// ("2015-07-03 00:00:00", "2015-07-03T00:00:00.000", "2015-07-03").
    Answer answer(const QByteArray& starttime, const QByteArray& endtime) const;

    /// Milliseconds since 1970-01-01 of such a time text; false when it is no time.
    static bool parseTime(const QByteArray& text, qint64& msSinceEpoch);

private:
    struct Row {
        qint64 timeMs = 0;
        QByteArray id;
        QByteArray updated;
        QByteArray line; // the row as it came, without its line feed
        int idOffset = 0; // where the id field begins in the line
    };
    void rebuildIndex();
    /// The synthetic months from January 1973 to `lastDay`; none for an invalid day. Holds the lock.
    void layOutSynthetic(const QDate& lastDay);
    /// The failure to serve now: the one set, else in the live mode the one of the moment.
    Failure currentFailure() const;
    /// Serves the failure mode; false for None.
    bool serveFailure(const httplib::Request& req, httplib::Response& res);
    /// Waits up to `ms`, ending early when the server stops. False when it stops.
    bool waitUnlessStopping(int ms) const;
    Answer syntheticAnswer(qint64 first, qint64 last, const QByteArray& target) const;
    qint64 syntheticTime(std::size_t month, int index) const;
    void appendSyntheticRow(
        QByteArray& body, std::size_t month, int index, qint64 timeMs, int magnitudeStepTenths = 0) const;
    /// In the live mode: whether an event is served at `nowMs`, and with which magnitude step.
    bool liveServes(qint64 number, qint64 timeMs, qint64 nowMs, int& magnitudeStepTenths) const;

    mutable std::mutex m_mutex;
    std::vector<Row> m_rows; // by time, oldest first
    // The synthetic catalogue: each month's first event number, and one more entry for the end.
    std::vector<qint64> m_syntheticFirst;
    qint64 m_syntheticEndMs = 0; // the last instant of its last day
    qint64 m_syntheticStartMs = 0; // the first instant served
    std::function<qint64()> m_liveNow; // set in the live mode
    LiveSettings m_live;
    QByteArray m_header;
    int m_headerColumns = 0;
    std::atomic<int> m_limit { kDefaultLimit };
    std::atomic<int> m_requests { 0 };
    std::atomic<int> m_replyDelayMs { 0 };
    std::atomic<Failure> m_failure { Failure::None };
    std::atomic<int> m_dripIntervalMs { 1000 };
    std::atomic<qint64> m_failureBytes { 0 };
    std::atomic<bool> m_stopping { false };
    LoopbackListener m_listener;
};

} // namespace tremora
