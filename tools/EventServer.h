// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace httplib
{
class Server;
}

namespace tremora
{

/// A loopback stand-in for the USGS event service: answers GET /fdsnws/event/1/query with the
/// events whose origin time lies in [starttime, endtime], oldest first, as the service's CSV (its
/// header row, then one row per event). Events come from saved CSV replies; an event present in
/// several of them (same id) is served once, in its most recently updated form. A query matching
/// more events than the limit gets the service's HTTP 400 refusal.
///
/// Used by the end-to-end tests (in-process, on a thread, ephemeral port) and by `make demo`.
/// Load events before start(); the limit may change at any time.
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
    /// Every answer comes this much later, as from a busy service (0: at once).
    void setReplyDelay(int milliseconds) { m_replyDelayMs = milliseconds; }
    int limit() const { return m_limit; }
    int eventCount() const;

    /// Listens on 127.0.0.1 at `port` (0 picks a free one) on a thread of its own. Returns the
    /// port, or -1 when it cannot listen.
    int start(int port = 0);
    /// Stops listening and waits for the thread.
    void stop();
    /// Blocks until the server stops (the command-line tool's main loop).
    void wait();

    int port() const { return m_port; }
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
    };
    void rebuildIndex();

    mutable std::mutex m_mutex;
    std::vector<Row> m_rows; // by time, oldest first
    QByteArray m_header;
    int m_headerColumns = 0;
    std::atomic<int> m_limit { kDefaultLimit };
    std::atomic<int> m_requests { 0 };
    std::atomic<int> m_replyDelayMs { 0 };
    int m_port = -1;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};

} // namespace tremora
