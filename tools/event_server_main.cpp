// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_event_server: a loopback event service over saved USGS CSV replies, for demos and
// manual testing; with --synthetic, a made-up catalogue from 1973 to a day at the real one's
// scale, built from those replies' rows; with --live, that catalogue growing as a clock runs, with
// late reports, revisions, deletions and spells of failure. Runs until killed.
#include "tools/EventServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tremora_event_server"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Answers /fdsnws/event/1/query like the USGS event service."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("Port on 127.0.0.1 (0 picks a free one)."), QStringLiteral("port"),
        QStringLiteral("0"));
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
    parser.addOptions({ portOption, dataOption, limitOption, delayOption, syntheticOption, failOption,
        liveOption, speedOption, seedOption });
    parser.process(app);

    bool portOk = false, limitOk = false, delayOk = false;
    const int port = parser.value(portOption).toInt(&portOk);
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
        liveStart.setTimeSpec(Qt::UTC); // a time written without a zone is UTC, as the service's are
    bool speedOk = false, seedOk = false;
    const double speed = parser.value(speedOption).toDouble(&speedOk);
    const qulonglong seed = parser.value(seedOption).toULongLong(&seedOk);
    const bool liveOk = !parser.isSet(liveOption) || (liveStart.isValid() && speedOk && speed > 0 && seedOk);
    if (!portOk || port < 0 || port > 65535 || !limitOk || limit < 0 || !delayOk || delay < 0
        || !parser.isSet(dataOption) || !syntheticOk || !failure || !liveOk) {
        std::fprintf(stderr,
            "usage: tremora_event_server --data DIR [--port N] [--limit N] [--delay MS] "
            "[--synthetic yyyy-MM-dd|today] [--live yyyy-MM-ddTHH:mm:ss|now [--speed F] [--seed N]] "
            "[--fail MODE]\n");
        return 2;
    }

    tremora::EventServer server;
    server.setLimit(limit);
    server.setReplyDelay(delay);
    server.setFailure(*failure);
    QString error;
    const int files = server.addFolder(parser.value(dataOption), &error);
    if (files == 0) {
        std::fprintf(stderr, "tremora_event_server: %s\n", qPrintable(error));
        return 1;
    }
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
    if (server.start(port) < 0) {
        std::fprintf(stderr, "tremora_event_server: cannot listen on port %d\n", port);
        return 1;
    }
    // The first line is the port alone, for scripts; then a line for people.
    std::printf("%d\n", server.port());
    if (parser.isSet(liveOption))
        std::printf("serving a live catalogue of %d events from %s on, %gx real time, seed %llu, at %s%s "
                    "(limit %d)\n",
            server.eventCount(), qPrintable(liveStart.toString(Qt::ISODate)), speed, seed,
            qPrintable(server.baseUrl()), tremora::EventServer::kQueryPath, limit);
    else if (parser.isSet(syntheticOption))
        std::printf("serving %d synthetic events (January %d to %s, from the rows of %d files) at %s%s "
                    "(limit %d)\n",
            server.eventCount(), tremora::EventServer::kSyntheticFirstYear,
            qPrintable(lastDay.toString(Qt::ISODate)), files, qPrintable(server.baseUrl()),
            tremora::EventServer::kQueryPath, limit);
    else
        std::printf("serving %d events from %d files at %s%s (limit %d)\n", server.eventCount(), files,
            qPrintable(server.baseUrl()), tremora::EventServer::kQueryPath, limit);
    std::fflush(stdout);
    server.wait();
    return 0;
}
