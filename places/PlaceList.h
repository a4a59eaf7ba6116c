// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "places/PlaceRecord.h"

#include <QString>

#include <array>

namespace tremora
{

inline constexpr int kPlaceCapacity = 250;
/// Kilometres per degree, used on both axes of the flat distance.
inline constexpr float KmPerDegree = 111.12f;
inline constexpr const char* kPlaceFileName = "Lokalizacje.dat";
/// What the report table shows when there is no place to name.
inline constexpr const char* kNoPlaceText = "-";

/// The place list: slots 1..PlaceCount of a fixed table of kPlaceCapacity places, and the
/// distance found by the last nearest-place lookup. Lives in the program state, zero-filled.
struct PlaceList {
    /// Slot 1..kPlaceCapacity.
    PlaceRecord& operator[](int slot) { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    const PlaceRecord& operator[](int slot) const { return m_slots[static_cast<std::size_t>(slot - 1)]; }
    PlaceRecord* data() { return m_slots.data(); }
    const PlaceRecord* data() const { return m_slots.data(); }

    /// PlaceCount kept within 0..kPlaceCapacity, for readers that must not trust it blindly.
    int validCount() const;

    int PlaceCount = 0;
    /// Kilometres from the point of the last successful Lok to the place it named.
    float NearestPlaceDistance = 0;

private:
    std::array<PlaceRecord, kPlaceCapacity> m_slots {};
};

/// The language of the names Lok gives: Polish when "Polski" (RadioButton1) is checked,
/// English when "English" (RadioButton2) is, no name when neither is.
enum class PlaceLanguage { Polish, English, None };

PlaceLanguage placeLanguage(bool polishChecked, bool englishChecked);

/// Flat distance in km between a point and a place, in single precision like the stored
/// coordinates: no cos(latitude) factor and no wrap-around at 180 degrees.
float placeDistance(const PlaceRecord& place, float lon, float lat);

/// Name of the place nearest to (lon, lat) in the chosen language; sets NearestPlaceDistance.
/// The earlier place wins a tie. An empty list gives "-" and leaves the distance as it was;
/// a name that is missing or not valid UTF-8 gives an empty text.
QString Lok(PlaceList& places, float lon, float lat, PlaceLanguage language);

/// Decodes stored name bytes; empty when they are not valid UTF-8.
QString placeNameText(const QByteArray& utf8);

} // namespace tremora
