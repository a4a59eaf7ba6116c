// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceList.h"

#include <QStringDecoder>

#include <cmath>

namespace tremora
{

int PlaceList::validCount() const
{
    return std::clamp(PlaceCount, 0, kPlaceCapacity);
}

PlaceLanguage placeLanguage(bool polishChecked, bool englishChecked)
{
    if (polishChecked)
        return PlaceLanguage::Polish;
    if (englishChecked)
        return PlaceLanguage::English;
    return PlaceLanguage::None;
}

namespace
{

// Square of the distance from the single-precision legs, exact enough to order places: the
// rounded root never decreases as it grows.
double squaredPlaceDistance(const PlaceRecord& place, float lon, float lat)
{
    const float dLat
        = static_cast<float>(std::fabs(double(lat) - double(place.Latitude)) * double(KmPerDegree));
    const float dLon
        = static_cast<float>(std::fabs(double(lon) - double(place.Longitude)) * double(KmPerDegree));
    return double(dLat) * double(dLat) + double(dLon) * double(dLon);
}

} // namespace

float placeDistance(const PlaceRecord& place, float lon, float lat)
{
    // Each leg is worked out exactly in double and rounded once to single precision, and so is
    // the root: the distances then match those of the stored single-precision coordinates.
    return static_cast<float>(std::sqrt(squaredPlaceDistance(place, lon, lat)));
}

QString placeNameText(const QByteArray& utf8)
{
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(utf8);
    if (decoder.hasError())
        return {};
    return text;
}

QString Lok(PlaceList& places, float lon, float lat, PlaceLanguage language)
{
    const int count = places.validCount();
    if (count == 0)
        return QString::fromLatin1(kNoPlaceText);

    int best = 1;
    double bestSquare = squaredPlaceDistance(places[1], lon, lat);
    float bestDistance = static_cast<float>(std::sqrt(bestSquare));
    for (int slot = 2; slot <= count; ++slot) {
        const double square = squaredPlaceDistance(places[slot], lon, lat);
        // Only a smaller square can give a smaller rounded distance, so the root is taken for
        // few places; equal rounded distances keep the earlier place. A damaged record (NaN
        // coordinates) must not hold on to first place.
        const bool replacesNaN = std::isnan(bestSquare) && !std::isnan(square);
        if (!(square < bestSquare) && !replacesNaN)
            continue;
        const float distance = static_cast<float>(std::sqrt(square));
        if (distance < bestDistance || replacesNaN) {
            best = slot;
            bestSquare = square;
            bestDistance = distance;
        }
    }

    QString name;
    if (language == PlaceLanguage::Polish)
        name = placeNameText(places[best].PolishName.bytes());
    else if (language == PlaceLanguage::English)
        name = placeNameText(places[best].EnglishName.bytes());
    places.NearestPlaceDistance = bestDistance;
    return name;
}

} // namespace tremora
