// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/EventServer.h"
#include "tests/support/TestSupport.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>

#include <atomic>

#include <gtest/gtest.h>
#include <httplib.h>

namespace tremora
{
namespace
{

const QByteArray kHeader15
    = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type";

QByteArray row(const char* time, const char* id, const char* updated, const char* mag = "1.5")
{
    return QByteArray(time) + ",10.5,20.5,5," + mag + ",ml,,,,0.5,ak," + id + "," + updated
        + ",\"1km N of X, Y\",earthquake";
}

QList<QByteArray> bodyLines(const QByteArray& body)
{
    QList<QByteArray> lines = body.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TEST(EventServerTest, SelectsThePeriodOldestFirstWithInclusiveBounds)
{
    EventServer s;
    s.addCsv(kHeader15 + "\n" + row("2015-07-02T23:59:59.999Z", "a", "u") + "\n"
        + row("2015-07-03T00:00:00.000Z", "b", "u") + "\n" + row("2015-07-03T12:00:00.000Z", "d", "u") + "\n"
        + row("2015-07-03T06:00:00.000Z", "c", "u") + "\n" + row("2015-07-03T23:59:59.000Z", "e", "u") + "\n"
        + row("2015-07-03T23:59:59.500Z", "f", "u") + "\n");
    const auto a = s.answer("2015-07-03 00:00:00", "2015-07-03 23:59:59");
    EXPECT_EQ(a.status, 200);
    const QList<QByteArray> lines = bodyLines(a.body);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], kHeader15);
    EXPECT_TRUE(lines[1].startsWith("2015-07-03T00:00:00.000Z"));
    EXPECT_TRUE(lines[2].startsWith("2015-07-03T06:00:00.000Z"));
    EXPECT_TRUE(lines[3].startsWith("2015-07-03T12:00:00.000Z"));
    EXPECT_TRUE(lines[4].startsWith("2015-07-03T23:59:59.000Z"))
        << "like the service, 23:59:59.5 is past the end";

    const auto none = s.answer("2016-01-01 00:00:00", "2016-01-31 23:59:59");
    EXPECT_EQ(none.status, 200);
    EXPECT_EQ(none.body, kHeader15 + "\n");
    EXPECT_EQ(s.answer("2015-07-03", "2015-07-02").body, kHeader15 + "\n");
    EXPECT_EQ(s.answer("yesterday", "2015-07-02").status, 400);
}

TEST(EventServerTest, ServesAnEventOnceInItsLatestRevision)
{
    EventServer s;
    s.addCsv(kHeader15 + "\n" + row("2015-07-03T01:00:00.000Z", "a", "2015-07-03T02:00:00.000Z", "1.5") + "\n"
        + row("2015-07-03T02:00:00.000Z", "b", "2015-07-03T03:00:00.000Z") + "\n");
    s.addCsv(kHeader15 + "\n" + row("2015-07-03T01:00:00.000Z", "a", "2015-07-09T00:00:00.000Z", "2.7") + "\n"
        + row("2015-07-03T02:00:00.000Z", "b", "2015-07-01T00:00:00.000Z", "0.1") + "\n");
    EXPECT_EQ(s.eventCount(), 2);
    const QList<QByteArray> lines = bodyLines(s.answer("2015-07-03", "2015-07-03 23:59:59").body);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(",2.7,")) << "the later revision replaces the earlier";
    EXPECT_TRUE(lines[2].contains(",1.5,")) << "an older revision does not replace a newer one";
}

TEST(EventServerTest, RefusesQueriesOverTheLimitLikeTheService)
{
    EventServer s;
    s.addCsv(kHeader15 + "\n" + row("2015-07-03T01:00:00.000Z", "a", "u") + "\n"
        + row("2015-07-03T02:00:00.000Z", "b", "u") + "\n" + row("2015-07-04T02:00:00.000Z", "c", "u")
        + "\n");
    s.setLimit(2);
    EXPECT_EQ(s.answer("2015-07-03", "2015-07-03 23:59:59").status, 200) << "exactly the limit passes";
    const auto refused = s.answer("2015-07-01", "2015-07-31 23:59:59");
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(refused.events, 3);
    EXPECT_TRUE(refused.body.startsWith("Error 400: Bad Request"));
    EXPECT_TRUE(refused.body.contains("3 matching events exceeds search limit of 2."));
}

TEST(EventServerTest, AnswersTheProgramsQueryOverHttpFromTheSavedReplies)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("usgs", "the six whole USGS months");
    EventServer s;
    ASSERT_EQ(s.addFolder(test::sharedData(QStringLiteral("usgs"))), 6);
    // Every row of every reply, once each (the six replies do not overlap).
    EXPECT_EQ(s.eventCount(), 8566 + 8996 + 11506 + 12437 + 10526 + 9366);
    const int port = s.start();
    ASSERT_GT(port, 0);

    const QByteArray asc = test::readAll(test::sharedData(QStringLiteral("usgs/2015-07-fdsn-asc.csv")));
    QByteArray expected = asc.left(asc.indexOf('\n') + 1);
    expected.replace(kHeader15, s.answer("2015-07-03", "2015-07-02").body.trimmed()); // the fuller header
    int dayRows = 0;
    for (const QByteArray& line : bodyLines(asc))
        if (line.startsWith("2015-07-03T")) {
            expected += line + '\n';
            ++dayRows;
        }
    ASSERT_GT(dayRows, 100);

    httplib::Client client("127.0.0.1", port);
    const auto res
        = client.Get("/fdsnws/event/1/query?starttime=2015-07-03%2000:00:00&minmagnitude=0&format=csv&"
                     "endtime=2015-07-03%2023:59:59&orderby=time-asc&417");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(QByteArray::fromStdString(res->body), expected);

    const auto refused
        = client.Get("/fdsnws/event/1/query?starttime=2015-06-01%2000:00:00&minmagnitude=0&format=csv&"
                     "endtime=2021-06-30%2023:59:59&orderby=time-asc&1");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    EXPECT_EQ(s.requestCount(), 2);
    s.stop();
}

TEST(EventServerTest, ASyntheticCatalogueIsMadeOfTheLoadedRowsAndOnlyGrowsAtItsEnd)
{
    const QByteArray csv = kHeader15 + "\n" + row("2015-07-03T01:00:00.123Z", "a", "u", "1.5") + "\n"
        + row("2015-07-03T02:00:00.456Z", "b", "u", "2.5") + "\n"
        + row("2015-07-03T03:00:00.789Z", "c", "u", "3.5") + "\n";
    EventServer s;
    EventServer later;
    s.addCsv(csv);
    later.addCsv(csv);
    s.serveSynthetic(QDate(2015, 7, 10));
    later.serveSynthetic(QDate(2015, 8, 31));

    // A whole month holds its count, oldest first, inside the month; each event is a loaded row
    // (taken in turn) with a time and an id of its own.
    const QList<QByteArray> january = bodyLines(s.answer("1973-01-01", "1973-01-31 23:59:59.999").body);
    ASSERT_EQ(january.size(), 1 + EventServer::syntheticMonthCount(1973, 1));
    qint64 previous = 0;
    EventServer::parseTime("1973-01-01", previous);
    QSet<QByteArray> ids;
    for (qsizetype i = 1; i < january.size(); ++i) {
        const QList<QByteArray> fields = january[i].split(',');
        qint64 time = 0;
        ASSERT_TRUE(EventServer::parseTime(fields[0], time)) << fields[0].constData();
        EXPECT_GT(time, previous) << i;
        previous = time;
        EXPECT_EQ(fields[4], QByteArray::number((i - 1) % 3 + 1.5, 'f', 1)) << i;
        EXPECT_EQ(january[i].mid(january[i].indexOf(',')).replace(fields[11], "x"),
            row("", "x", "u", fields[4].constData()));
        ids.insert(fields[11]);
    }
    EXPECT_LT(previous, [] {
        qint64 february = 0;
        EventServer::parseTime("1973-02-01", february);
        return february;
    }());
    EXPECT_EQ(ids.size(), january.size() - 1);

    // Fewer events in the 1970s, 10,000 a month from 2015, none before 1973.
    EXPECT_EQ(EventServer::syntheticMonthCount(1972, 12), 0);
    for (int year = 1973; year < 2015; ++year)
        EXPECT_LE(EventServer::syntheticMonthCount(year, 1), EventServer::syntheticMonthCount(year + 1, 1));
    EXPECT_LT(EventServer::syntheticMonthCount(1975, 6), 1'000);
    EXPECT_EQ(EventServer::syntheticMonthCount(2015, 1), 10'000);
    EXPECT_EQ(EventServer::syntheticMonthCount(2031, 5), 10'000);

    // Adjacent periods split the events between them; a later last day changes nothing before it.
    const QByteArray july = s.answer("2015-07-01", "2015-07-10 23:59:59.999").body;
    const QByteArray firstPart = s.answer("2015-07-01", "2015-07-05 23:59:59.999").body;
    const QByteArray secondPart = s.answer("2015-07-06", "2015-07-10 23:59:59.999").body;
    EXPECT_EQ(firstPart + secondPart.mid(secondPart.indexOf('\n') + 1), july);
    EXPECT_EQ(later.answer("2015-07-01", "2015-07-10 23:59:59.999").body, july);
    EXPECT_EQ(bodyLines(s.answer("2015-07-11", "2015-12-31").body).size(), 1) << "nothing after the last day";
    EXPECT_EQ(bodyLines(later.answer("2015-07-11", "2015-07-31 23:59:59.999").body).size()
            + bodyLines(july).size() - 2,
        EventServer::syntheticMonthCount(2015, 7));

    int upToJune = 0;
    for (int m = 0; m < (2015 - 1973) * 12 + 6; ++m)
        upToJune += EventServer::syntheticMonthCount(1973 + m / 12, m % 12 + 1);
    EXPECT_EQ(s.eventCount(), upToJune + bodyLines(july).size() - 1);

    // About 2.4 million events from 1973 to the end of 2026, more than a full catalogue.
    later.serveSynthetic(QDate(2026, 12, 31));
    EXPECT_GT(later.eventCount(), 2'300'000);
    EXPECT_LT(later.eventCount(), 2'600'000);

    s.serveSynthetic(QDate());
    EXPECT_EQ(s.eventCount(), 3) << "back to the loaded rows";
}

qint64 at(const char* time)
{
    qint64 ms = 0;
    EventServer::parseTime(time, ms);
    return ms;
}

// The rows of an answer by id (the twelfth column), as (time, magnitude).
QHash<QByteArray, QPair<QByteArray, QByteArray>> byId(const QByteArray& body)
{
    QHash<QByteArray, QPair<QByteArray, QByteArray>> rows;
    const QList<QByteArray> lines = bodyLines(body);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split(',');
        rows.insert(fields[11], { fields[0], fields[4] });
    }
    return rows;
}

TEST(EventServerTest, TheLiveServiceGrowsWithItsClockReportsLateRevisesDeletesAndFailsForSpells)
{
    EventServer s;
    s.addCsv(kHeader15 + "\n" + row("2015-07-03T01:00:00.123Z", "a", "u", "1.5") + "\n"
        + row("2015-07-03T02:00:00.456Z", "b", "u", "2.5") + "\n"
        + row("2015-07-03T03:00:00.789Z", "c", "u", "3.5") + "\n");
    std::atomic<qint64> now { at("2026-03-10T12:00:00") };
    EventServer::LiveSettings live;
    live.seed = 7;
    live.firstDay = QDate(2026, 3, 1);
    live.latePerMille = 100;
    live.revisedPerMille = 100;
    live.deletedPerMille = 100;
    s.serveLive([&now] { return now.load(); }, live);
    const auto days = [&s] { return s.answer("2026-03-09", "2026-03-11 23:59:59.999").body; };

    EXPECT_EQ(bodyLines(s.answer("2026-02-01", "2026-02-28 23:59:59.999").body).size(), 1)
        << "no history before the first day";
    const QByteArray before = days();
    EXPECT_EQ(days(), before) << "the same instant gives the same answer";
    const qint64 then = now;
    now += 6 * 3'600'000;
    const QByteArray after = days();

    const auto old = byId(before);
    const auto current = byId(after);
    int late = 0, revised = 0, deleted = 0, added = 0;
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        qint64 time = 0;
        ASSERT_TRUE(EventServer::parseTime(it->first, time));
        EXPECT_LE(time, now.load()) << "nothing from the future";
        if (old.contains(it.key()))
            revised += old[it.key()].second != it->second ? 1 : 0;
        else if (time <= then)
            ++late;
        else
            ++added;
    }
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        deleted += current.contains(it.key()) ? 0 : 1;
    EXPECT_GT(late, 0) << "events reported after later ones";
    EXPECT_GT(revised, 0);
    EXPECT_GT(deleted, 0);
    EXPECT_NEAR(added, 6 * 10'000 / (31 * 24), 20) << "about 10,000 events a month";
    qint64 previous = 0;
    for (const auto& line : bodyLines(after).mid(1)) {
        qint64 time = 0;
        EventServer::parseTime(line.left(line.indexOf(',')), time);
        EXPECT_GT(time, previous) << "late reports are served in time order";
        previous = time;
    }

    // Between two instants it says it only added events, the later answer holds every row of the
    // earlier as it was.
    int quiet = 0;
    for (qint64 minute = 0; minute < 60; ++minute) {
        const qint64 from = then + minute * 60'000;
        now = from;
        const QList<QByteArray> first = bodyLines(days());
        now = from + 60'000;
        if (s.liveChangedBetween(from, from + 60'000))
            continue;
        ++quiet;
        const QList<QByteArray> lines = bodyLines(days());
        const QSet<QByteArray> second(lines.cbegin(), lines.cend());
        for (const QByteArray& line : first)
            ASSERT_TRUE(second.contains(line)) << "a row changed or went at minute " << minute;
    }
    EXPECT_GT(quiet, 30);

    // Spells of failure over HTTP; the service's own answer stays as it is.
    live.failures = { EventServer::Failure::Html503 };
    live.failurePerMille = 1000;
    s.serveLive([&now] { return now.load(); }, live);
    ASSERT_GT(s.start(), 0);
    httplib::Client client("127.0.0.1", s.port());
    const auto failed
        = client.Get("/fdsnws/event/1/query?starttime=2026-03-09%2000:00:00&endtime=2026-03-09%2023:59:59");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 503);
    EXPECT_EQ(s.answer("2026-03-09", "2026-03-09 23:59:59.999").status, 200);
    live.failurePerMille = 0;
    s.serveLive([&now] { return now.load(); }, live);
    const auto served
        = client.Get("/fdsnws/event/1/query?starttime=2026-03-09%2000:00:00&endtime=2026-03-09%2023:59:59");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->status, 200);
    s.stop();
}

} // namespace
} // namespace tremora
