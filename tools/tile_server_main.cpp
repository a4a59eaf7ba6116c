// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_tile_server: a loopback imagery service of Web Mercator tiles drawn from a world
// picture, for demos of --tile-url and manual testing. Runs until killed.
#include "tools/TileServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tremora_tile_server"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Answers /{z}/{x}/{y}.jpg with Web Mercator tiles drawn from a world picture."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
        QStringLiteral("Port on 127.0.0.1 (0 picks a free one)."), QStringLiteral("port"),
        QStringLiteral("0"));
    const QCommandLineOption pictureOption(QStringLiteral("picture"),
        QStringLiteral("Equirectangular picture of the whole world (e.g. data/Ziemia.jpg)."),
        QStringLiteral("file"));
    parser.addOptions({ portOption, pictureOption });
    parser.process(app);

    bool portOk = false;
    const int port = parser.value(portOption).toInt(&portOk);
    if (!portOk || port < 0 || port > 65535 || !parser.isSet(pictureOption)) {
        std::fprintf(stderr, "usage: tremora_tile_server --picture FILE [--port N]\n");
        return 2;
    }

    tremora::TileServer server;
    if (!server.loadPicture(parser.value(pictureOption))) {
        std::fprintf(
            stderr, "tremora_tile_server: cannot read %s\n", qPrintable(parser.value(pictureOption)));
        return 1;
    }
    if (server.start(port) < 0) {
        std::fprintf(stderr, "tremora_tile_server: cannot listen on port %d\n", port);
        return 1;
    }
    // The first line is the port alone, for scripts; then a line for people.
    std::printf("%d\n", server.port());
    std::printf("serving tiles at %s\n", qPrintable(server.urlTemplate()));
    std::fflush(stdout);
    server.wait();
    return 0;
}
