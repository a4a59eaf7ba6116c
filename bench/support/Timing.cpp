// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/support/Timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace tremora::bench
{

double seconds(const std::function<void()>& op)
{
    const auto start = std::chrono::steady_clock::now();
    op();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Answering whileAnswering(const std::function<void()>& start, const std::function<bool()>& running)
{
    constexpr int kTickMs = 10;
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer probe;
    probe.setInterval(kTickMs);
    QObject::connect(&probe, &QTimer::timeout, &probe,
        [&] { longest = std::max(longest, double(sinceTick.restart()) - kTickMs); });
    QElapsedTimer t;
    t.start();
    sinceTick.start();
    probe.start();
    start();
    while (running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(); // what the work's end asked to paint
    longest = std::max(longest, double(sinceTick.elapsed()) - kTickMs);
    return { double(t.nsecsElapsed()) / 1e9, longest };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace tremora::bench
