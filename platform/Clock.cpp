// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <QDateTime>

#include <cmath>

namespace tremora
{

namespace
{
constexpr qint64 kJulianDayOf18991230 = 2415019;
}

double SystemClock::today() const
{
    return double(QDate::currentDate().toJulianDay() - kJulianDayOf18991230);
}

double SystemClock::now() const
{
    const QDateTime t = QDateTime::currentDateTime();
    const double day = double(t.date().toJulianDay() - kJulianDayOf18991230);
    return day + t.time().msecsSinceStartOfDay() / 86'400'000.0;
}

} // namespace tremora
