// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/Pause.h"

#include <QObject>
#include <QPointer>
#include <QProperty>

#include <atomic>
#include <functional>
#include <map>
#include <vector>

class QTimer;

namespace tremora::soak
{

/// Time as the soak runs it: milliseconds since 1970 (UTC), moved on only by the harness, never
/// by the wall clock, so that a run depends on its seed and not on how busy the machine is. The
/// event service reads it from its own threads.
class SimClock final : public Clock
{
public:
    explicit SimClock(qint64 startMs)
        : m_ms(startMs)
    {
    }
    double today() const override;
    double now() const override;
    qint64 ms() const { return m_ms; }
    void set(qint64 ms) { m_ms = ms; }

private:
    std::atomic<qint64> m_ms;
};

/// Pauses that end when the harness's clock reaches them.
class SimPause final : public Pause
{
public:
    explicit SimPause(const SimClock& clock)
        : m_clock(clock)
    {
    }
    void after(int milliseconds, QObject* context, std::function<void()> then) override;
    /// When the first pause ends; -1 for none.
    qint64 nextDue() const;
    /// Ends the first pause (its function runs unless its context is gone).
    void fireNext();

private:
    struct Waiting {
        QPointer<QObject> context;
        std::function<void()> then;
    };
    const SimClock& m_clock;
    std::multimap<qint64, Waiting> m_waiting; // by end, then in order of asking
};

/// Runs the program's timers on the harness's clock: their own ticks, which would come by the
/// wall clock, are swallowed, and each is fired when its interval has passed on the soak's clock,
/// counted from its last start, as a QTimer counts.
class TimerDriver final : public QObject
{
public:
    TimerDriver(const SimClock& clock, const std::vector<QTimer*>& timers);
    ~TimerDriver() override;

    /// The timer due first and when; nullptr when none runs.
    QTimer* nextDue(qint64& dueMs) const;
    /// Fires a timer as its own tick would.
    void fire(QTimer* timer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Driven {
        QTimer* timer = nullptr;
        qint64 startedMs = 0; // on the soak's clock
        QPropertyNotifier activeChange;
        QPropertyNotifier intervalChange;
    };
    void restarted(Driven& driven);

    const SimClock& m_clock;
    std::vector<std::unique_ptr<Driven>> m_timers;
    bool m_firing = false;
};

} // namespace tremora::soak
