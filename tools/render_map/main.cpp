// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the map pictures the program ships: the built-in world map, the plate boundaries map,
// the natural-colour earth picture and the application icon. The same inputs always give the same
// files, so the pictures in the repository can be checked by running it again.
#include "tools/render_map/GeoLayer.h"
#include "tools/render_map/MapPictures.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

using namespace tremora;

namespace
{

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    return size.isEmpty() ? std::nullopt : std::optional<QSize>(size);
}

std::optional<GeoLayer> load(const QCommandLineParser& args, const QString& option)
{
    const QString path = args.value(option);
    if (path.isEmpty()) {
        err() << "missing --" << option << Qt::endl;
        return std::nullopt;
    }
    QString error;
    std::optional<GeoLayer> layer = GeoLayer::fromFile(path, error);
    if (!layer)
        err() << error << Qt::endl;
    return layer;
}

int save(const QImage& picture, const QString& path)
{
    QString error;
    if (!savePicture(picture, path, error)) {
        err() << error << Qt::endl;
        return ExitFailure;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tremora_render_map"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "Renders equirectangular pictures of the whole Earth (longitude -180..180 left to right,\n"
        "latitude 90..-90 top to bottom).\n\n"
        "  base    --land F --countries F [--size WxH] -o world.jpg\n"
        "  plates  --land F --countries F --boundaries F [--size WxH] -o plates.jpg\n"
        "  photo   --picture F [--size WxH] -o earth.jpg   (re-encodes; keeps its size by default)\n"
        "  icon    [--side N] -o icon.png\n"
        "  icons   -o DIR   (the icon theme: DIR/hicolor/NxN/apps/tremora.png and "
        "scalable/apps/tremora.svg)"));
    args.addHelpOption();
    args.addPositionalArgument(
        QStringLiteral("command"), QStringLiteral("base, plates, photo, icon or icons"));
    args.addOptions({
        { QStringLiteral("land"), QStringLiteral("Natural Earth land polygons (planar GeoJSON)."),
            QStringLiteral("file") },
        { QStringLiteral("countries"), QStringLiteral("Natural Earth country polygons (planar GeoJSON)."),
            QStringLiteral("file") },
        { QStringLiteral("boundaries"), QStringLiteral("PB2002 plate boundaries (GeoJSON)."),
            QStringLiteral("file") },
        { QStringLiteral("picture"), QStringLiteral("Equirectangular picture to re-encode."),
            QStringLiteral("file") },
        { QStringLiteral("size"), QStringLiteral("Picture size, e.g. 4096x2048."), QStringLiteral("WxH") },
        { QStringLiteral("side"), QStringLiteral("Icon side in pixels."), QStringLiteral("N") },
        { { QStringLiteral("o"), QStringLiteral("output") }, QStringLiteral("File to write (.jpg or .png)."),
            QStringLiteral("file") },
    });
    args.process(app);

    const QStringList positional = args.positionalArguments();
    const QString command = positional.value(0);
    const QString output = args.value(QStringLiteral("output"));
    if (positional.size() != 1 || output.isEmpty()) {
        err() << args.helpText();
        return ExitUsage;
    }

    std::optional<QSize> size;
    if (args.isSet(QStringLiteral("size"))) {
        size = parseSize(args.value(QStringLiteral("size")));
        if (!size) {
            err() << "bad --size, expected WxH such as 4096x2048" << Qt::endl;
            return ExitUsage;
        }
    }

    if (command == QStringLiteral("base") || command == QStringLiteral("plates")) {
        const std::optional<GeoLayer> land = load(args, QStringLiteral("land"));
        const std::optional<GeoLayer> countries
            = land ? load(args, QStringLiteral("countries")) : std::nullopt;
        if (!land || !countries)
            return ExitFailure;
        const QSize pictureSize = size.value_or(WorldPictureSize);
        if (command == QStringLiteral("base"))
            return save(renderBaseMap(pictureSize, *land, *countries), output);
        const std::optional<GeoLayer> boundaries = load(args, QStringLiteral("boundaries"));
        if (!boundaries)
            return ExitFailure;
        return save(renderPlatesMap(pictureSize, *land, *countries, *boundaries), output);
    }
    if (command == QStringLiteral("photo")) {
        QImageReader reader(args.value(QStringLiteral("picture")));
        const QImage picture = reader.read();
        if (picture.isNull()) {
            err() << reader.fileName() << ": " << reader.errorString() << Qt::endl;
            return ExitFailure;
        }
        return save(resampled(picture, size.value_or(QSize())), output);
    }
    if (command == QStringLiteral("icon")) {
        bool ok = true;
        const int side = args.isSet(QStringLiteral("side")) ? args.value(QStringLiteral("side")).toInt(&ok)
                                                            : AppIconSide;
        constexpr int MinSide = 16;
        constexpr int MaxSide = 1024;
        if (!ok || side < MinSide || side > MaxSide) {
            err() << "bad --side, expected " << MinSide << ".." << MaxSide << Qt::endl;
            return ExitUsage;
        }
        return save(drawAppIcon(side), output);
    }
    if (command == QStringLiteral("icons")) {
        const QDir theme(QDir(output).filePath(QStringLiteral("hicolor")));
        for (const int side : ThemeIconSides) {
            const QString folder = theme.filePath(QStringLiteral("%1x%1/apps").arg(side));
            if (!QDir().mkpath(folder)) {
                err() << "cannot create " << folder << Qt::endl;
                return ExitFailure;
            }
            if (const int failed
                = save(drawAppIcon(side), QDir(folder).filePath(QStringLiteral("tremora.png"))))
                return failed;
        }
        const QString folder = theme.filePath(QStringLiteral("scalable/apps"));
        QSaveFile svg(QDir(folder).filePath(QStringLiteral("tremora.svg")));
        if (!QDir().mkpath(folder) || !svg.open(QIODevice::WriteOnly) || svg.write(appIconSvg().toUtf8()) < 0
            || !svg.commit()) {
            err() << "cannot write " << svg.fileName() << ": " << svg.errorString() << Qt::endl;
            return ExitFailure;
        }
        return 0;
    }
    err() << "unknown command '" << command << "'" << Qt::endl << args.helpText();
    return ExitUsage;
}
