// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_event_server: a loopback event service over saved USGS CSV replies, for demos and
// manual testing; with --synthetic, a made-up catalogue from 1973 to a day at the real one's
// scale, built from those replies' rows. Runs until killed.
#include "tools/EventServer.h"
#include "tools/ServerCommandLine.h"

#include <QCommandLineOption>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tremora::ServerCommandLine line(QStringLiteral("tremora_event_server"),
        QStringLiteral("Answers /fdsnws/event/1/query like the USGS event service."),
        QStringLiteral(
            "--data DIR [--port N] [--limit N] [--delay MS] [--synthetic yyyy-MM-dd|today] [--fail MODE]"));
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
    line.process(app, { dataOption, limitOption, delayOption, syntheticOption, failOption });
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
    if (!port || !limitOk || limit < 0 || !delayOk || delay < 0 || !parser.isSet(dataOption) || !syntheticOk
        || !failure)
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
    if (server.start(*port) < 0)
        return line.failure(QStringLiteral("cannot listen on port %1").arg(*port));
    if (parser.isSet(syntheticOption))
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
