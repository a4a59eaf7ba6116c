// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace tremora
{

/// One typed decimal number as the search and warning boxes take it.
struct EditNumber {
    std::int32_t ScaledDigits = 0; // the digits with the comma removed: "15,025" gives 15025
    int DecimalCount = 0; // digits after the comma
    float LastParsedValue = 0; // the value, read to four decimals
};

/// Checks and converts one typed number: digits, "-" and one decimal comma or dot, neither
/// separator first or last. Returns nothing for a text refused by those checks. A text that
/// passes them but is no number ("5-", "--1", "-", or more digits than ScaledDigits holds)
/// throws ConversionError.
std::optional<EditNumber> spr_edit(const QString& text);

/// The eight boxes of the search panel and the switches of their criteria.
struct SearchBoxes {
    enum Box { MagFrom, MagTo, DepthFrom, DepthTo, LonFrom, LonTo, LatFrom, LatTo, BoxCount };
    bool magnitude = false;
    bool depth = false;
    bool longitude = false;
    bool latitude = false;
    std::array<QString, BoxCount> texts;
    bool operator==(const SearchBoxes&) const = default;
};

/// Checks every checked criterion's two boxes, in panel order, the from box first. Returns the
/// warning about the first fault, or nothing when all hold. Throws as spr_edit.
std::optional<QString> formularz1(const SearchBoxes& boxes);

/// formularz1 for the warning criteria: the same checks and limits, the boxes named as the
/// warning panel names them ("Ostrzeżenia - magnituda", ...); a text that is no number ("5-")
/// is a fault of its box like any other, never a ConversionError.
std::optional<QString> alertBoxesFault(const SearchBoxes& boxes);

/// What a record is tested against: whole days from dayFrom through dayTo, and the checked
/// criteria, all bounds included.
struct SearchCriteria {
    double dayFrom = 0;
    double dayTo = 0;
    bool magnitude = false;
    bool depth = false;
    bool longitude = false;
    bool latitude = false;
    bool anyCriterion = false; // "lub": one checked criterion is enough; "i": all must hold
    // Tenths; int, so a value the unchecked box holds beyond the record's field never wraps.
    int magFrom = 0;
    int magTo = 0;
    int depthFrom = 0;
    int depthTo = 0;
    float lonFrom = 0;
    float lonTo = 0;
    float latFrom = 0;
    float latTo = 0;
};

/// Converts all eight boxes, checked or not, into criteria for the days of the two date-times
/// (their time of day is dropped). Throws as spr_edit; a text spr_edit refuses gives bound 0.
SearchCriteria searchCriteria(const SearchBoxes& boxes, double from, double to, bool anyCriterion);

/// The record lies within the days and the checked criteria hold as "i" or "lub" asks: with "i"
/// and nothing checked every record of the days matches, with "lub" and nothing checked none.
bool MatchesSearch(const QuakeRecord& record, const SearchCriteria& c);

} // namespace tremora
