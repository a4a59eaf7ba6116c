// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTimeEdit>

namespace tremora
{

/// A date picker with a drop-down calendar whose value is a day number (days since 30 December
/// 1899, time of day as the fraction). Setting a date keeps the picker's time of day.
class DateTimePicker final : public QDateTimeEdit
{
    Q_OBJECT
public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    /// Day number with the time of day.
    double value() const;
    void setValue(double dateTime);
    /// Replaces the date only (the whole part of the argument), keeping the time of day.
    void setDay(double day);

Q_SIGNALS:
    /// The drop-down calendar closed.
    void closeUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchPopup();
    QObject* m_watchedPopup = nullptr;
};

} // namespace tremora
