// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The pictures and translations compiled into the program. Link the `tremora_resources` target (an object
// library, so its files go straight into whatever links it) and load the paths below with QImage, QPixmap or
// QIcon. Each call makes sure the resource data is registered, so nothing else (no Q_INIT_RESOURCE) is needed
// even when the objects end up inside another static library.

namespace tremora
{

/// The built-in world map: a 4096 x 2048 equirectangular JPEG, longitude -180 at the left edge to
/// 180 at the right, latitude 90 at the top to -90 at the bottom.
QString builtInMapPath();

/// The program's icon (window and tray), a square PNG.
QString appIconPath();

/// The compiled translation of the program's texts into `language` ("en"); the texts themselves
/// are Polish, so Polish has none.
QString translationPath(const QString& language);

} // namespace tremora
