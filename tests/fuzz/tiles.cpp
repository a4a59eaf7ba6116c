// SPDX-License-Identifier: GPL-3.0-or-later
// The tile key of a point, the cell a key names and the marker on its tile, and the place of a
// mark on the map, over arbitrary floats, zooms and map sizes.
#include "map/MapProjection.h"
#include "map/MarkPainter.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tiles/TileKey.h"

#include <cstdlib>

using namespace tremora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const auto lon = in.take<float>();
    const auto lat = in.take<float>();
    const auto zoom = in.take<int8_t>();

    const TileCell cell = tileCell(lon, lat, zoom);
    if (const auto marker = markerPlace(cell); marker && (marker->x > 255 || marker->y > 255))
        std::abort();
    // The key read back names a cell; any other letters name none.
    if (const auto back = cellOfKey(cell.key); !back)
        std::abort();

    // A mark on a small map of any shape.
    const auto pw = in.take<uint8_t>();
    const auto ph = in.take<uint8_t>();
    const auto iw = in.take<int16_t>();
    const auto ih = in.take<int16_t>();
    const auto mag10 = in.take<uint8_t>();
    const auto size10 = in.take<int8_t>();
    const FittedSize fit = FittedMapSize(pw, ph, iw, ih);
    // Points off the map (a longitude of 500) have pixels off it too; only a crash is a fault.
    if (const auto pixel = wyl_poz(fit, lon, lat))
        (void)mapPositionAt(fit, pixel->x, pixel->y);
    QImage image(std::max(1, int(pw)), std::max(1, int(ph)), QImage::Format_RGB32);
    MarkCanvas canvas(image, fit, pointDivisor(size10));
    Poz(canvas, mag10, kMarkYellow, lon, lat, kMarkRed);

    // Any text as a key.
    const QString key = QString::fromLatin1(reinterpret_cast<const char*>(in.rest()), qsizetype(in.left()));
    if (const auto named = cellOfKey(key); named && named->key != key)
        std::abort();
    return 0;
}
