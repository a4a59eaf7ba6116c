// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TilePicture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace tremora
{

namespace
{

constexpr char kJpegStart[] = "\xFF\xD8\xFF";
constexpr char kJpegEnd[] = "\xFF\xD9";
// Some encoders pad after the end marker; a whole picture ends within this many bytes.
constexpr qsizetype kEndSlack = 64;

TilePictureLoad refused(const QString& path, const QString& why)
{
    return { QImage(),
        QCoreApplication::translate("tremora::TilePicture", "Nie można wczytać obrazu %1: %2")
            .arg(QFileInfo(path).fileName(), why) };
}

} // namespace

TilePictureLoad loadTilePicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(kJpegStart))
        return refused(path, QCoreApplication::translate("tremora::TilePicture", "to nie jest obraz JPEG."));
    const qsizetype end = bytes.lastIndexOf(kJpegEnd);
    if (end < 0 || bytes.size() - (end + 2) > kEndSlack)
        return refused(
            path, QCoreApplication::translate("tremora::TilePicture", "obraz JPEG jest niepełny."));
    QImage picture = QImage::fromData(bytes, "JPG");
    if (picture.isNull())
        return refused(path, QCoreApplication::translate("tremora::TilePicture", "uszkodzony obraz JPEG."));
    return { std::move(picture), QString() };
}

} // namespace tremora
