// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_event_server: a loopback event service over saved USGS CSV replies, for demos and
// manual testing; with --synthetic, a made-up catalogue from 1973 to a day at the real one's
// scale, built from those replies' rows. Runs until killed.
#include "tools/EventServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
    parser.addOptions({ portOption, dataOption, limitOption, delayOption, syntheticOption, failOption });
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
    if (!portOk || port < 0 || port > 65535 || !limitOk || limit < 0 || !delayOk || delay < 0
        || !parser.isSet(dataOption) || !syntheticOk || !failure) {
        std::fprintf(stderr,
            "usage: tremora_event_server --data DIR [--port N] [--limit N] [--delay MS] "
            "[--synthetic yyyy-MM-dd|today] [--fail MODE]\n");
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
    if (server.start(port) < 0) {
        std::fprintf(stderr, "tremora_event_server: cannot listen on port %d\n", port);
        return 1;
    }
    // The first line is the port alone, for scripts; then a line for people.
    std::printf("%d\n", server.port());
    if (parser.isSet(syntheticOption))
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
