// SPDX-License-Identifier: GPL-3.0-or-later
// The typed-number check and conversion (spr_edit) and the writing of numbers (FixedText,
// RoundedText) over arbitrary text and arbitrary doubles.
#include "platform/ConversionError.h"
#include "search/SearchFilter.h"
#include "table/NumberText.h"
#include "table/RowPosition.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <cstdlib>

using namespace tremora;

namespace
{

void writeBoth(double x, int decimals)
{
    const QString fixed = FixedText(x);
    if (fixed.isEmpty() || fixed.size() >= kFixedTextRoom)
        std::abort();
    char room[kFixedTextRoom];
    const char* end = writeFixedText(room, x);
    if (end <= room || end > room + kFixedTextRoom || QLatin1StringView(room, end - room) != fixed)
        std::abort();
    const QString rounded = RoundedText(x, decimals);
    if (rounded.isEmpty() || rounded.size() >= kFixedTextRoom)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const auto mode = in.take<uint8_t>();
    if (mode % 2 == 0) {
        // The rest is what a person typed, as UTF-8.
        const QString text
            = QString::fromUtf8(reinterpret_cast<const char*>(in.rest()), qsizetype(in.left()));
        try {
            if (const auto number = spr_edit(text)) {
                if (number->DecimalCount < 0 || !std::isfinite(number->LastParsedValue))
                    std::abort();
                writeBoth(number->LastParsedValue, number->DecimalCount);
            }
        } catch (const ConversionError&) {
            // Digits and minus signs that make no number are reported, not guessed.
        }
        // The same text in every search box, its criteria checked, and as a typed position.
        try {
            SearchBoxes boxes;
            boxes.magnitude = boxes.depth = boxes.longitude = boxes.latitude = true;
            boxes.texts.fill(text);
            if (!formularz1(boxes)) {
                const SearchCriteria c = searchCriteria(boxes, 0, 1e6, mode % 4 == 0);
                QuakeRecord r;
                (void)MatchesSearch(r, c);
            }
        } catch (const ConversionError&) {
        }
        try {
            (void)positionDegrees(text);
            (void)boundsAround(text, 12'000);
        } catch (const ConversionError&) {
        }
        bool ok = false;
        const double typed = text.toDouble(&ok);
        if (ok)
            writeBoth(typed, 2);
        return 0;
    }
    // The rest is doubles and the decimal counts to round them to.
    while (in.left() > 0) {
        const auto x = in.take<double>();
        const auto decimals = in.take<int8_t>();
        writeBoth(x, decimals);
    }
    return 0;
}
