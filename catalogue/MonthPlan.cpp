// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/MonthPlan.h"

#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"

#include <algorithm>
#include <cmath>

namespace tremora
{

namespace
{

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString dayText(int year, int month, int day, DateLayout layout)
{
    if (layout == DateLayout::DayMonthYear)
        return twoDigits(day) + QLatin1Char('-') + twoDigits(month) + QLatin1Char('-')
            + QString::number(year);
    return QString::number(year) + QLatin1Char('-') + twoDigits(month) + QLatin1Char('-') + twoDigits(day);
}

bool isPlannableDay(double day)
{
    return std::isfinite(day) && day >= static_cast<double>(dayNumber(kRebuildYear, 1, 1))
        && day <= static_cast<double>(dayNumber(9999, 12, 31));
}

} // namespace

QString MonthRequest::edit7(DateLayout layout) const
{
    return dayText(year, month, firstDay, layout);
}

QString MonthRequest::edit8(DateLayout layout) const
{
    return dayText(year, month, lastDay, layout);
}

UpdatePlan planUpdate(const Catalogue& catalogue, double today)
{
    UpdatePlan plan;
    if (!std::isfinite(today))
        return plan;
    const CivilDate now = civilDate(static_cast<long long>(std::floor(today)));

    MonthRequest request;
    if (catalogue.CatalogueCount < kMinIncrementalCount) {
        plan.rebuild = true;
        plan.startCount = 0;
        request.matchFirst = false;
    } else {
        plan.startCount = catalogue.CatalogueCount;
        request.matchFirst = true;
        const double newest = catalogue.newest().OriginDate;
        if (isPlannableDay(newest)) {
            // The reply is matched against the newest stored records from the oldest of them on,
            // so it may start on that one's day: an earthquake the service reports late, after
            // that record, then comes with it even when it happened before the newest one's day.
            double first = newest;
            const double oldestMatched
                = catalogue[std::max(1, catalogue.CatalogueCount - (kMatchWindow - 1))].OriginDate;
            if (isPlannableDay(oldestMatched) && oldestMatched <= newest)
                first = oldestMatched;
            const CivilDate from = civilDate(static_cast<long long>(std::floor(first)));
            request.year = from.year;
            request.month = from.month;
            request.firstDay = from.day;
        }
    }

    // The loop ends with today's month, or at once when the first month already lies after it,
    // so a clock set back cannot make it run on for ever.
    for (;;) {
        const bool todaysMonth = request.year == now.year && request.month == now.month;
        request.lastDay
            = todaysMonth ? std::max(now.day, request.firstDay) : daysInMonth(request.year, request.month);
        plan.months.push_back(request);
        const bool reachedToday
            = request.year > now.year || (request.year == now.year && request.month >= now.month);
        if (reachedToday)
            break;
        request.firstDay = 1;
        request.matchFirst = false;
        if (++request.month > 12) {
            request.month = 1;
            ++request.year;
        }
    }
    return plan;
}

} // namespace tremora
