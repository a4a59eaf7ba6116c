// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tremora
{

/// The only source of the date and time. Values are day numbers (days since 30 December 1899)
/// in local time.
class Clock
{
public:
    virtual ~Clock() = default;
    /// Today's local calendar day, a whole day number.
    virtual double today() const = 0;
    /// The local date and time now: day number plus the fraction of the day.
    virtual double now() const = 0;
};

class SystemClock final : public Clock
{
public:
    double today() const override;
    double now() const override;
};

} // namespace tremora
