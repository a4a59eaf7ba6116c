// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/DayNumber.h"

#include <cmath>

namespace tremora
{

namespace
{

// Day number of 1 January 1970 counted from 30 December 1899.
constexpr long long kUnixEpochDay = 25569;

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp + (mp < 10 ? 3 : -9);
    return { static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d) };
}

// Largest day number whose year has four digits (9999-12-31).
constexpr double kLastDay = 2958465;
constexpr double kFirstDay = -693593; // 0001-01-01
constexpr double kMaxQDateDays = 1e11; // about 270 million years either way

bool isShowableDate(double v)
{
    return std::isfinite(v) && v >= kFirstDay && v < kLastDay + 1;
}

QString twoDigits(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

// Whole seconds of the time of day, rounded to the millisecond first.
long long secondsOfDay(double v)
{
    const double frac = v - std::floor(v);
    const long long ms = std::llround(frac * 86'400'000.0);
    return (ms / 1000) % 86400;
}

} // namespace

long long dayNumber(int year, int month, int day)
{
    // Normalise an overrunning month so that (y, 13, 1) is the next January.
    long long y = year;
    long long m = month - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    return daysFromCivil(y, m, 1) + (day - 1) + kUnixEpochDay;
}

CivilDate civilDate(long long dayNumber)
{
    return civilFromDays(dayNumber - kUnixEpochDay);
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// QDate has no year 0: its year -1 is the year 0 of the day numbers' calendar.
QDate qDate(double dateTime)
{
    // A record of a damaged file may hold any double; only days of years an int holds are dates.
    if (!(std::fabs(dateTime) < kMaxQDateDays))
        return QDate();
    const CivilDate d = civilDate(static_cast<long long>(std::floor(dateTime)));
    return QDate(d.year > 0 ? d.year : d.year - 1, d.month, d.day);
}

double dayOf(const QDate& date)
{
    const int year = date.year() > 0 ? date.year() : date.year() + 1;
    return double(dayNumber(year, date.month(), date.day()));
}

QString dateText(double dateTime)
{
    if (!isShowableDate(dateTime))
        return QStringLiteral("-");
    const CivilDate c = civilDate(static_cast<long long>(std::floor(dateTime)));
    return QString::number(c.year).rightJustified(4, QLatin1Char('0')) + QLatin1Char('-') + twoDigits(c.month)
        + QLatin1Char('-') + twoDigits(c.day);
}

QString timeText(double dateTime)
{
    if (!std::isfinite(dateTime))
        return QStringLiteral("-");
    const long long s = secondsOfDay(dateTime);
    return twoDigits(static_cast<int>(s / 3600)) + QLatin1Char(':') + twoDigits(static_cast<int>(s / 60 % 60))
        + QLatin1Char(':') + twoDigits(static_cast<int>(s % 60));
}

QString dateTimeText(double dateTime)
{
    if (!isShowableDate(dateTime))
        return QStringLiteral("-");
    if (secondsOfDay(dateTime) == 0)
        return dateText(dateTime);
    return dateText(dateTime) + QLatin1Char(' ') + timeText(dateTime);
}

} // namespace tremora
