// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DateTimePicker.h"

#include <QCalendarWidget>
#include <QEvent>

#include <cmath>

namespace tremora
{

namespace
{
constexpr qint64 kJulianDayOf18991230 = 2415019;
}

double toDayNumber(const QDateTime& t)
{
    return double(t.date().toJulianDay() - kJulianDayOf18991230)
        + t.time().msecsSinceStartOfDay() / 86'400'000.0;
}

QDateTime fromDayNumber(double dateTime)
{
    if (!std::isfinite(dateTime))
        return {};
    const double day = std::floor(dateTime);
    const int ms = int(std::llround((dateTime - day) * 86'400'000.0)) % 86'400'000;
    return QDateTime(
        QDate::fromJulianDay(qint64(day) + kJulianDayOf18991230), QTime::fromMSecsSinceStartOfDay(ms));
}

DateTimePicker::DateTimePicker(QWidget* parent)
    : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setTimeSpec(Qt::LocalTime);
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
