// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_tile_server: a loopback imagery service of Web Mercator tiles drawn from a world
// picture, for demos of --tile-url and manual testing. Runs until killed.
#include "tools/ServerCommandLine.h"
#include "tools/TileServer.h"

#include <QCommandLineOption>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tremora::ServerCommandLine line(QStringLiteral("tremora_tile_server"),
        QStringLiteral("Answers /{z}/{x}/{y}.jpg with Web Mercator tiles drawn from a world picture."),
        QStringLiteral("--picture FILE [--port N]"));
    const QCommandLineOption pictureOption(QStringLiteral("picture"),
        QStringLiteral("Equirectangular picture of the whole world (e.g. data/Ziemia.jpg)."),
        QStringLiteral("file"));
    line.process(app, { pictureOption });

    const std::optional<int> port = line.port();
    const QString picture = line.parser().value(pictureOption);
    if (!port || !line.parser().isSet(pictureOption))
        return line.usageError();

    tremora::TileServer server;
    if (!server.loadPicture(picture))
        return line.failure(QStringLiteral("cannot read ") + picture);
    if (server.start(*port) < 0)
        return line.failure(QStringLiteral("cannot listen on port %1").arg(*port));
    line.serving(server.port(), QStringLiteral("serving tiles at ") + server.urlTemplate());
    server.wait();
    return 0;
}
