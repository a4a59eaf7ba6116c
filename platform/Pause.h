// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

namespace tremora
{

/// Runs the next step of an operation after a pause without waiting for it: the pause is a
/// single-shot timer, and the window goes on meanwhile. Tests replace it to skip the waiting.
class Pause
{
public:
    virtual ~Pause() = default;
    /// Calls `then` once, `milliseconds` from now, unless `context` has been destroyed by then.
    virtual void after(int milliseconds, QObject* context, std::function<void()> then) = 0;
};

/// The real pause: a QTimer.
class TimerPause final : public Pause
{
public:
    void after(int milliseconds, QObject* context, std::function<void()> then) override;
};

} // namespace tremora
