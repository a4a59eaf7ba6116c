// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/QueryUrl.h"

#include <QString>

#include <vector>

namespace tremora
{

/// An incremental update needs at least this many records; a smaller catalogue is rebuilt.
inline constexpr int kMinIncrementalCount = 101;
inline constexpr int kRebuildYear = 1973; // a rebuild fetches from January of this year

/// One request of an update: the days firstDay..lastDay of one calendar month.
struct MonthRequest {
    int year = kRebuildYear;
    int month = 1;
    int firstDay = 1;
    int lastDay = 31;
    bool matchFirst = false; // the reply is matched against the newest stored records first

    /// Texts for Edit7 and Edit8. Written "yyyy-MM-dd" by default; with DayMonthYear
    /// ("dd-MM-yyyy") so that a query built with CheckBox16 checked reads the same days.
    QString edit7(DateLayout layout = DateLayout::YearMonthDay) const;
    QString edit8(DateLayout layout = DateLayout::YearMonthDay) const;

    friend bool operator==(const MonthRequest&, const MonthRequest&) = default;
};

struct UpdatePlan {
    /// The catalogue has fewer than kMinIncrementalCount records: the caller sets CatalogueCount
    /// and ImportCount to 0 and refetches everything from January 1973.
    bool rebuild = false;
    /// CatalogueCount as the update starts (0 for a rebuild): StartCount of every Analiza call.
    int startCount = 0;
    /// The months in order, oldest first; only the first of an incremental update matches.
    std::vector<MonthRequest> months;
};

/// The months of one update: from the day of the oldest record the first reply is matched against
/// (of the newest kMatchWindow; the newest record's day when that one is no day), or from 1 January
/// 1973 for a rebuild, to today. Each month runs from its first day (that day for the first month
/// of an incremental update) to its last, today's month only to today. February has 29 days in leap
/// years. The plan always ends at today's month; when the newest record lies after today's month
/// (a clock set back) it holds just that record's month. A newest date that is no day (NaN, or
/// before 1973) is planned as from January 1973.
/// today is a day number (its fraction is ignored).
UpdatePlan planUpdate(const Catalogue& catalogue, double today);

} // namespace tremora
