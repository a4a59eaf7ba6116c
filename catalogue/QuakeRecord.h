// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tremora
{

/// One earthquake: 40 bytes, the same layout in memory and in "Baza_USGS.dat" (little-endian).
struct QuakeRecord {
    double OriginDate = 0; // day number of the origin's calendar day (whole)
    double OriginTime = 0; // time of day as a fraction of a day, whole seconds
    std::uint8_t Hundredths = 0;
    std::uint8_t padding1[3] = {};
    float Longitude = 0; // degrees, east positive
    float Latitude = 0; // degrees, north positive
    std::uint8_t Mag10 = 0; // magnitude x 10
    std::uint8_t padding2 = 0;
    std::uint16_t Depth10 = 0; // depth in tenths of a kilometre
    std::uint8_t SourceCode = 0;
    std::uint8_t reserved[7] = {};
};

static_assert(sizeof(QuakeRecord) == 40);
static_assert(offsetof(QuakeRecord, OriginDate) == 0);
static_assert(offsetof(QuakeRecord, OriginTime) == 8);
static_assert(offsetof(QuakeRecord, Hundredths) == 16);
static_assert(offsetof(QuakeRecord, Longitude) == 20);
static_assert(offsetof(QuakeRecord, Latitude) == 24);
static_assert(offsetof(QuakeRecord, Mag10) == 28);
static_assert(offsetof(QuakeRecord, Depth10) == 30);
static_assert(offsetof(QuakeRecord, SourceCode) == 32);
static_assert(offsetof(QuakeRecord, reserved) == 33);
// The file is the memory image of the records; that only holds on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

} // namespace tremora
