// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

namespace tremora
{

/// Dates are day numbers: whole days since 30 December 1899 (day 0), held as doubles, with the
/// time of day as a fraction. Every conversion between calendar dates and day numbers and every
/// date or time text shown to the user comes from here, independent of the system locale.

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// Day number of a calendar date (proleptic Gregorian); month and day may run over, as in
/// (2015, 13, 1) = (2016, 1, 1).
long long dayNumber(int year, int month, int day);

/// Calendar date of the whole day of a day number (the fraction is dropped towards minus infinity).
CivilDate civilDate(long long dayNumber);

/// The calendar day of a date-time as a QDate, and back (for the toolkit's date controls). NaN,
/// infinity or a day hundreds of millions of years away gives an invalid QDate.
QDate qDate(double dateTime);
double dayOf(const QDate& date);

bool isLeapYear(int year);
int daysInMonth(int year, int month);

/// "yyyy-MM-dd" of the day of a date-time; "-" for a value that is no date (NaN, infinite, or a
/// year outside 1..9999).
QString dateText(double dateTime);

/// "HH:mm:ss" of the time of day of a date-time, to the whole second (rounded to the millisecond
/// first, as a clock would show it).
QString timeText(double dateTime);

/// The date, then a blank and the time unless the time is midnight.
QString dateTimeText(double dateTime);

} // namespace tremora
