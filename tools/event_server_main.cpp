// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_event_server: a loopback event service over saved USGS CSV replies, for demos and
// manual testing; with --synthetic, a made-up catalogue from 1973 to a day at the real one's
// scale, built from those replies' rows; with --live, that catalogue growing as a clock runs, with
// late reports, revisions, deletions and spells of failure. Runs until killed.
#include "tools/EventServer.h"
#include "tools/ServerCommandLine.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimeZone>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tremora::ServerCommandLine line(QStringLiteral("tremora_event_server"),
        QStringLiteral("Answers /fdsnws/event/1/query like the USGS event service."),
        QStringLiteral("--data DIR [--port N] [--limit N] [--delay MS] [--synthetic yyyy-MM-dd|today] "
                       "[--live yyyy-MM-ddTHH:mm:ss|now [--speed F] [--seed N]] [--fail MODE]"));
    const QCommandLineOption dataOption(
        QStringLiteral("data"), QStringLiteral("Folder of *-fdsn-asc.csv replies."), QStringLiteral("dir"));
    const QCommandLineOption limitOption(QStringLiteral("limit"),
        QStringLiteral("Most events one query may match."), QStringLiteral("n"),
        QString::number(tremora::EventServer::kDefaultLimit));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
        QStringLiteral("Milliseconds every answer waits, as from a busy service."), QStringLiteral("ms"),
        QStringLiteral("0"));
    const QCommandLineOption syntheticOption(QStringLiteral("synthetic"),
        QStringLiteral("Serve a made-up catalogue of every month from January 1973 to this day "
                       "(yyyy-MM-dd, or 'today'), about 10,000 events a month since 2015, built "
                       "from the rows of the replies."),
        QStringLiteral("day"));
    const QCommandLineOption failOption(QStringLiteral("fail"),
        QStringLiteral("Fail every query in one way: %1.")
            .arg(tremora::EventServer::failureNames().join(QStringLiteral(", "))),
        QStringLiteral("mode"), QStringLiteral("none"));
    const QCommandLineOption liveOption(QStringLiteral("live"),
        QStringLiteral("Serve the made-up catalogue as it grows from this instant on (yyyy-MM-ddTHH:mm:ss "
                       "UTC, or 'now'): some events reported late, some revised, a few deleted, and "
                       "now and then a spell of failure in one of the --fail modes."),
        QStringLiteral("instant"));
    const QCommandLineOption speedOption(QStringLiteral("speed"),
        QStringLiteral("How much faster than real time the live clock runs."), QStringLiteral("factor"),
        QStringLiteral("1"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
        QStringLiteral("Seed of the live service's choices."), QStringLiteral("n"), QStringLiteral("1"));
    line.process(app,
        { dataOption, limitOption, delayOption, syntheticOption, failOption, liveOption, speedOption,
            seedOption });
    const QCommandLineParser& parser = line.parser();

    bool limitOk = false, delayOk = false;
    const std::optional<int> port = line.port();
    const int limit = parser.value(limitOption).toInt(&limitOk);
    const int delay = parser.value(delayOption).toInt(&delayOk);
    const QString syntheticText = parser.value(syntheticOption);
    const QDate lastDay = syntheticText == QStringLiteral("today")
        ? QDate::currentDate()
        : QDate::fromString(syntheticText, Qt::ISODate);
    const bool syntheticOk = !parser.isSet(syntheticOption) || lastDay.isValid();
    const auto failure = tremora::EventServer::failureNamed(parser.value(failOption));
    const QString liveText = parser.value(liveOption);
    QDateTime liveStart = liveText == QStringLiteral("now") ? QDateTime::currentDateTimeUtc()
                                                            : QDateTime::fromString(liveText, Qt::ISODate);
    if (liveStart.timeSpec() == Qt::LocalTime)
        liveStart.setTimeZone(QTimeZone::utc()); // a time written without a zone is UTC, as the service's are
    bool speedOk = false, seedOk = false;
    const double speed = parser.value(speedOption).toDouble(&speedOk);
    const qulonglong seed = parser.value(seedOption).toULongLong(&seedOk);
    const bool liveOk = !parser.isSet(liveOption) || (liveStart.isValid() && speedOk && speed > 0 && seedOk);
    if (!port || !limitOk || limit < 0 || !delayOk || delay < 0 || !parser.isSet(dataOption) || !syntheticOk
        || !failure || !liveOk)
        return line.usageError();

    tremora::EventServer server;
    server.setLimit(limit);
    server.setReplyDelay(delay);
    server.setFailure(*failure);
    QString error;
    const int files = server.addFolder(parser.value(dataOption), &error);
    if (files == 0)
        return line.failure(error);
    if (parser.isSet(syntheticOption))
        server.serveSynthetic(lastDay);
    QElapsedTimer running;
    running.start();
    if (parser.isSet(liveOption)) {
        tremora::EventServer::LiveSettings settings;
        settings.seed = seed;
        settings.failures = tremora::EventServer::allFailures();
        const qint64 startMs = liveStart.toMSecsSinceEpoch();
        server.serveLive(
            [startMs, speed, &running] { return startMs + qint64(double(running.elapsed()) * speed); },
            settings);
    }
    if (server.start(*port) < 0)
        return line.failure(QStringLiteral("cannot listen on port %1").arg(*port));
    if (parser.isSet(liveOption))
        line.serving(server.port(),
            QStringLiteral(
                "serving a live catalogue of %1 events from %2 on, %3x real time, seed %4, at %5%6 "
                "(limit %7)")
                .arg(server.eventCount())
                .arg(liveStart.toString(Qt::ISODate))
                .arg(speed)
                .arg(seed)
                .arg(server.baseUrl(), QLatin1String(tremora::EventServer::kQueryPath))
                .arg(limit));
    else if (parser.isSet(syntheticOption))
        line.serving(server.port(),
            QStringLiteral(
                "serving %1 synthetic events (January %2 to %3, from the rows of %4 files) at %5%6 "
                "(limit %7)")
                .arg(server.eventCount())
                .arg(tremora::EventServer::kSyntheticFirstYear)
                .arg(lastDay.toString(Qt::ISODate))
                .arg(files)
                .arg(server.baseUrl(), QLatin1String(tremora::EventServer::kQueryPath))
                .arg(limit));
    else
        line.serving(server.port(),
            QStringLiteral("serving %1 events from %2 files at %3%4 (limit %5)")
                .arg(server.eventCount())
                .arg(files)
                .arg(server.baseUrl(), QLatin1String(tremora::EventServer::kQueryPath))
                .arg(limit));
    server.wait();
    return 0;
}
