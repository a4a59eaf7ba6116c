// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace tremora
{

/// A tile file as loaded for showing: the picture, or why there is none.
struct TilePictureLoad {
    QImage picture;
    QString error; // Polish, for the user; empty when the picture loaded
    bool ok() const { return error.isEmpty(); }
};

/// Loads a downloaded tile. Only a whole JPEG passes: an error page (even one that came with
/// status 200), an empty file or a JPEG cut short is refused with a message naming the file,
/// rather than shown as a half-grey picture.
TilePictureLoad loadTilePicture(const QString& path);

} // namespace tremora
