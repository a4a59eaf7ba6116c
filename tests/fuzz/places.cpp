// SPDX-License-Identifier: GPL-3.0-or-later
// The place file and the two text lists it is rebuilt from, over arbitrary bytes; then the
// nearest-place lookup over the list they leave.
#include "places/PlaceFile.h"
#include "places/PlaceList.h"
#include "places/PlaceText.h"
#include "platform/ConversionError.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

using namespace tremora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says which reader gets the rest.
    const int reader = data[0] % 3;
    static const QString path = fuzz::scratchFile(QStringLiteral("places.in"));
    if (!fuzz::writeAll(path, data + 1, size - 1))
        std::abort();

    PlaceList places;
    try {
        switch (reader) {
        case 0:
            LoadPlaceList(places, path);
            break;
        case 1:
            Load_lokalizacje(places, path);
            break;
        default:
            // Names over points of the real list, as the rebuild does.
            Load_lokalizacje(places, fuzz::testData(QStringLiteral("places/Lokalizacje2.txt")));
            Load_lokalizacje2(places, path);
            break;
        }
    } catch (const ConversionError&) {
        // A malformed number in a text list is reported; the list stays as far as it got.
    }
    if (places.PlaceCount < 0 || places.PlaceCount > kPlaceCapacity)
        std::abort();
    for (const auto& [lon, lat] :
        { std::pair(19.0f, 52.0f), std::pair(-120.5f, 36.1f), std::pair(180.0f, -90.0f) }) {
        (void)Lok(places, lon, lat, PlaceLanguage::Polish);
        (void)Lok(places, lon, lat, PlaceLanguage::English);
    }
    return 0;
}
