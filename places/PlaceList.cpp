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

float placeDistance(const PlaceRecord& place, float lon, float lat)
{
    // Each leg is worked out exactly in double and rounded once to single precision, and so is
    // the root: the distances then match those of the stored single-precision coordinates.
    const float dLat
        = static_cast<float>(std::fabs(double(lat) - double(place.Latitude)) * double(KmPerDegree));
    const float dLon
        = static_cast<float>(std::fabs(double(lon) - double(place.Longitude)) * double(KmPerDegree));
    return static_cast<float>(std::sqrt(double(dLat) * double(dLat) + double(dLon) * double(dLon)));
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
    float bestDistance = placeDistance(places[1], lon, lat);
    for (int slot = 2; slot <= count; ++slot) {
        const float distance = placeDistance(places[slot], lon, lat);
        // A damaged record (NaN coordinates) must not hold on to first place.
        if (distance < bestDistance || (std::isnan(bestDistance) && !std::isnan(distance))) {
            best = slot;
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
