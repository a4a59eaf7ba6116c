// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"
#include "app/WorkFolder.h"
#include "gui/controllers/RememberedSettings.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "places/PlaceText.h"
#include "tiles/XyzTileSource.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

using namespace tremora;

namespace
{

QString helpText(const QCommandLineParser& parser)
{
    // Without an application object the parser cannot know the program's name.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tremora"));
}

QString executableDir(const char* argv0)
{
    // No application object yet (--help and --version must work without a display), so the
    // executable is found through the kernel rather than QCoreApplication::applicationDirPath.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// ~/.config/tremora/tremora.conf, or under $XDG_CONFIG_HOME when that is set.
QString settingsFile()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("tremora.conf"));
}

QString whereTheFilesAre()
{
    return QStringLiteral(
        "\nWorking folder: with --workdir, that folder. Otherwise an installed tremora works in\n"
        "%1\n"
        "(made on first start, with the place list and map pictures copied into it), and one\n"
        "started from its build folder (make run) in the current folder.\n"
        "The choices made in the window are remembered in %2.\n")
        .arg(userDataDir(), settingsFile());
}

} // namespace

int main(int argc, char** argv)
{
    // Names the user's data folder (~/.local/share/tremora), which is looked up before the
    // application object exists.
    QCoreApplication::setApplicationName(QStringLiteral("tremora"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tremora: world seismicity from the USGS catalogue."));
    const QCommandLineOption help(
        { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Shows these options."));
    parser.addOption(help);
    const QCommandLineOption version(
        { QStringLiteral("v"), QStringLiteral("version") }, QStringLiteral("Shows the version and ends."));
    parser.addOption(version);
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
                       "(default: see below)."),
        QStringLiteral("DIR"));
    const QCommandLineOption rebuildPlaces(QStringLiteral("rebuild-places"),
        QStringLiteral("Rebuilds Lokalizacje.dat of the working folder from "
                       "Lokalizacje2.txt and Kraje2.txt in FOLDER, then ends."),
        QStringLiteral("FOLDER"));
    const QCommandLineOption language(QStringLiteral("lang"),
        QStringLiteral("Language of the window: pl (Polish, the default) or en (English); remembered "
                       "like a choice in the window's group \"Select language\"."),
        QStringLiteral("pl|en"));
    parser.addOptions({ eventHost, tileHost, tileUrl, workDir, rebuildPlaces, language });
    // The options are read before any window exists, so --help works without a display.
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tremora: %s\n%s", qPrintable(parser.errorText()), qPrintable(helpText(parser)));
        return 2;
    }
    if (parser.isSet(version)) {
        std::printf("tremora %s\n", qPrintable(programVersion()));
        return 0;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty()) {
        std::fputs(qPrintable(helpText(parser) + whereTheFilesAre()), stdout);
        return parser.isSet(help) ? 0 : 2;
    }

    ProgramOptions options;
    if (parser.isSet(language)) {
        options.language = languageFromCode(parser.value(language));
        if (!options.language) {
            std::fprintf(
                stderr, "tremora: --lang takes pl or en, not %s\n", qPrintable(parser.value(language)));
            return 2;
        }
    }
    options.settingsFile = settingsFile();
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
    } else {
        const WorkFolderChoice choice
            = defaultWorkFolder(executableDir(argv[0]), userDataDir(), QDir::currentPath());
        if (choice.userData) {
            const WorkFolderSetup setup = prepareWorkFolder(choice.dir, choice.shippedDir);
            if (!setup.error.isEmpty())
                std::fprintf(stderr, "tremora: %s\n", qPrintable(setup.error));
            if (!setup.ok || !QDir::setCurrent(choice.dir))
                return 1;
        }
        options.workDir = choice.dir;
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
    QApplication::setApplicationVersion(programVersion());
    // Ties the window to its menu entry and icon (Wayland asks for it by this name).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tremora.Tremora"));
    Program program(options);
    TForm1& form = program.form();
    if (program.settings().restoreGeometry()) {
        form.fitToScreen();
        form.show();
    } else {
        form.showFillingScreen();
    }
    program.start();
    return app.exec();
}
