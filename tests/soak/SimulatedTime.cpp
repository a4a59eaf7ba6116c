// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/soak/SimulatedTime.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

#include <cmath>

namespace tremora::soak
{

namespace
{

constexpr double kMsPerDay = 86'400'000.0;
// Day number of 1970-01-01 (days since 30 December 1899).
constexpr double kUnixEpochDay = 25'569.0;
// A running timer of interval 0 fires whenever the loop is idle; on the soak's clock it waits this.
constexpr qint64 kIdleTickMs = 1;

} // namespace

double SimClock::now() const
{
    return kUnixEpochDay + double(m_ms.load()) / kMsPerDay;
}

double SimClock::today() const
{
    return std::floor(now());
}

void SimPause::after(int milliseconds, QObject* context, std::function<void()> then)
{
    m_waiting.emplace(m_clock.ms() + std::max(milliseconds, 0), Waiting { context, std::move(then) });
}

qint64 SimPause::nextDue() const
{
    return m_waiting.empty() ? -1 : m_waiting.begin()->first;
}

void SimPause::fireNext()
{
    if (m_waiting.empty())
        return;
    Waiting waiting = std::move(m_waiting.begin()->second);
    m_waiting.erase(m_waiting.begin());
    if (waiting.context)
        waiting.then();
}

TimerDriver::TimerDriver(const SimClock& clock, const std::vector<QTimer*>& timers)
    : m_clock(clock)
{
    for (QTimer* timer : timers) {
        auto driven = std::make_unique<Driven>();
        Driven* d = driven.get();
        d->timer = timer;
        d->startedMs = clock.ms();
        // start() and setInterval() of a running timer both count its interval anew; each
        // start() notifies, even when the timer was running already.
        d->activeChange = timer->bindableActive().addNotifier([this, d] { restarted(*d); });
        d->intervalChange = timer->bindableInterval().addNotifier([this, d] { restarted(*d); });
        timer->installEventFilter(this);
        m_timers.push_back(std::move(driven));
    }
}

TimerDriver::~TimerDriver()
{
    for (const auto& d : m_timers)
        d->timer->removeEventFilter(this);
}

void TimerDriver::restarted(Driven& driven)
{
    driven.startedMs = m_clock.ms();
}

bool TimerDriver::eventFilter(QObject* watched, QEvent* event)
{
    // The wall clock's ticks never reach the program; the harness's do.
    if (event->type() == QEvent::Timer && !m_firing)
        return true;
    return QObject::eventFilter(watched, event);
}

QTimer* TimerDriver::nextDue(qint64& dueMs) const
{
    QTimer* first = nullptr;
    for (const auto& d : m_timers) {
        if (!d->timer->isActive())
            continue;
        const qint64 due = d->startedMs + std::max<qint64>(d->timer->interval(), kIdleTickMs);
        if (!first || due < dueMs) {
            first = d->timer;
            dueMs = due;
        }
    }
    return first;
}

void TimerDriver::fire(QTimer* timer)
{
    for (const auto& d : m_timers) {
        if (d->timer != timer || !timer->isActive())
            continue;
        // A repeating timer counts its next interval from this tick.
        d->startedMs = m_clock.ms();
        m_firing = true;
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
        m_firing = false;
        return;
    }
}

} // namespace tremora::soak
