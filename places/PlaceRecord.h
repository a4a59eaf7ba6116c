// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tremora
{

/// A text of at most N bytes stored as a length byte followed by N bytes; only the first
/// "length" bytes belong to the text. The length byte of a record read from a file is not
/// trusted: bytes() never reaches past the N bytes of the field.
template <int N> struct ShortString {
    static constexpr int kCapacity = N;

    std::uint8_t length = 0;
    char text[N] = {};

    int size() const { return std::min<int>(length, N); }
    QByteArray bytes() const { return QByteArray(text, size()); }
    /// Stores the first N bytes of value and zeroes the rest of the field.
    void assign(QByteArrayView value)
    {
        const auto n = static_cast<std::size_t>(std::min<qsizetype>(value.size(), N));
        std::memset(text, 0, sizeof text);
        if (n > 0)
            std::memcpy(text, value.data(), n);
        length = static_cast<std::uint8_t>(n);
    }
    /// Zeroes the bytes after the text and caps an out-of-range length byte.
    void clearUnused()
    {
        length = static_cast<std::uint8_t>(size());
        std::memset(text + length, 0, sizeof text - length);
    }
};

/// One place: 140 bytes, the same layout in memory and in "Lokalizacje.dat" (little-endian).
/// Names are UTF-8 bytes, decoded only when shown.
struct PlaceRecord {
    float Latitude = 0; // degrees, north positive
    float Longitude = 0; // degrees, east positive
    ShortString<2> Code; // 2-letter code of a country or region, e.g. "PL"
    ShortString<3> Code3; // 3-letter code; carried along, nothing reads it
    ShortString<60> PolishName;
    ShortString<60> EnglishName;
    std::uint8_t padding[3] = {};
};

static_assert(sizeof(ShortString<2>) == 3 && alignof(ShortString<2>) == 1);
static_assert(sizeof(ShortString<60>) == 61 && alignof(ShortString<60>) == 1);
static_assert(sizeof(PlaceRecord) == 140);
static_assert(offsetof(PlaceRecord, Latitude) == 0);
static_assert(offsetof(PlaceRecord, Longitude) == 4);
static_assert(offsetof(PlaceRecord, Code) == 8);
static_assert(offsetof(PlaceRecord, Code3) == 11);
static_assert(offsetof(PlaceRecord, PolishName) == 15);
static_assert(offsetof(PlaceRecord, EnglishName) == 76);
static_assert(offsetof(PlaceRecord, padding) == 137);
// The file is the memory image of the records; that only holds on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

} // namespace tremora
