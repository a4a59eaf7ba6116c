// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DateTimePicker.h"

#include "catalogue/DayNumber.h"

#include <QCalendarWidget>
#include <QEvent>

#include <cmath>

namespace tremora
{

namespace
{

constexpr int kMsPerDay = 86'400'000;

// The picker's local date and time as a day number and back (no time zone arithmetic).
double toDayNumber(const QDateTime& t)
{
    return dayOf(t.date()) + t.time().msecsSinceStartOfDay() / double(kMsPerDay);
}

QDateTime fromDayNumber(double dateTime)
{
    if (!std::isfinite(dateTime))
        return {};
    const double day = std::floor(dateTime);
    const int ms = int(std::llround((dateTime - day) * kMsPerDay)) % kMsPerDay;
    return QDateTime(qDate(day), QTime::fromMSecsSinceStartOfDay(ms));
}

} // namespace

DateTimePicker::DateTimePicker(QWidget* parent)
    : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    watchPopup();
}

double DateTimePicker::value() const
{
    return toDayNumber(dateTime());
}

void DateTimePicker::setValue(double dateTime)
{
    const QDateTime t = fromDayNumber(dateTime);
    if (t.isValid())
        setDateTime(t);
}

void DateTimePicker::setDay(double day)
{
    const QDateTime t = fromDayNumber(std::floor(day));
    if (t.isValid())
        setDateTime(QDateTime(t.date(), time()));
}

void DateTimePicker::watchPopup()
{
    QCalendarWidget* calendar = calendarWidget();
    if (!calendar)
        return;
    QObject* popup = calendar->window();
    if (popup == m_watchedPopup)
        return;
    m_watchedPopup = popup;
    popup->installEventFilter(this);
}

bool DateTimePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedPopup && event->type() == QEvent::Hide)
        Q_EMIT closeUp();
    return QDateTimeEdit::eventFilter(watched, event);
}

} // namespace tremora
