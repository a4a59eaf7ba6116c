// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "places/PlaceText.h"
#include "places/XyzTileSource.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>

#include <cstdio>

using namespace tremora;

namespace
{

QString helpText(const QCommandLineParser& parser)
{
    // Without an application object the parser cannot know the program's name.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tremora"));
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tremora: world seismicity from the USGS catalogue."));
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Shows these options."));
    parser.addOption(help);
    const QCommandLineOption eventHost(QStringLiteral("event-host"),
        QStringLiteral("Base URL of the event service (default %1).").arg(kDefaultEventHost),
        QStringLiteral("URL"), kDefaultEventHost);
    const QCommandLineOption tileHost(QStringLiteral("tile-host"),
        QStringLiteral("Base URL of the map tile server."), QStringLiteral("URL"));
    const QCommandLineOption tileUrl(QStringLiteral("tile-url"),
        QStringLiteral("XYZ template of a Web Mercator imagery service, e.g. "
                       "http://127.0.0.1:8123/{z}/{x}/{y}.jpg; satellite tiles are redrawn from its "
                       "tiles (wins over --tile-host)."),
        QStringLiteral("TEMPLATE"));
    const QCommandLineOption workDir(QStringLiteral("workdir"),
        QStringLiteral("Folder of the catalogue, place list and map pictures "
                       "(default: the current folder)."),
        QStringLiteral("DIR"));
    const QCommandLineOption rebuildPlaces(QStringLiteral("rebuild-places"),
        QStringLiteral("Rebuilds Lokalizacje.dat of the working folder from "
                       "Lokalizacje2.txt and Kraje2.txt in FOLDER, then ends."),
        QStringLiteral("FOLDER"));
    parser.addOptions({ eventHost, tileHost, tileUrl, workDir, rebuildPlaces });
    // The options are read before any window exists, so --help works without a display.
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tremora: %s\n%s", qPrintable(parser.errorText()), qPrintable(helpText(parser)));
        return 2;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty()) {
        std::fputs(qPrintable(helpText(parser)), stdout);
        return parser.isSet(help) ? 0 : 2;
    }

    ProgramOptions options;
    options.eventHost = parser.value(eventHost);
    options.tileHost = parser.value(tileHost);
    options.tileUrl = parser.value(tileUrl);
    if (parser.isSet(tileUrl) && !isXyzTemplate(options.tileUrl)) {
        std::fprintf(
            stderr, "tremora: --tile-url needs {z}, {x} and {y} in %s\n", qPrintable(options.tileUrl));
        return 2;
    }
    if (parser.isSet(workDir)) {
        const QString dir = parser.value(workDir);
        if (!QDir(dir).exists() || !QDir::setCurrent(dir)) {
            std::fprintf(stderr, "tremora: cannot use the folder %s\n", qPrintable(dir));
            return 2;
        }
        options.workDir = QDir::currentPath();
    }

    if (parser.isSet(rebuildPlaces)) {
        // Needs no window: the list is rebuilt and the program ends.
        const QString target = QDir::current().filePath(QString::fromLatin1(kPlaceFileName));
        const PlaceRebuild result = rebuildPlaceFile(parser.value(rebuildPlaces), target);
        std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(result.message));
        return result.ok ? 0 : 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tremora"));
    Program program(options);
    // The map wants all the room there is; without a window manager maximising does nothing.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        program.form().resize(screen->availableSize());
    program.form().showMaximized();
    program.start();
    return app.exec();
}
