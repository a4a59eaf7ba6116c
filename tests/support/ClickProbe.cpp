// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ClickProbe.h"

#include "tests/support/Waiting.h"

#include <QAbstractButton>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <thread>

namespace tremora::test
{

namespace
{

constexpr auto kClickEvery = std::chrono::milliseconds(5);
constexpr qint64 kNsPerMs = 1'000'000;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

ClickProbe::ClickProbe(QAbstractButton& button)
    : m_button(button)
{
    QObject::connect(&m_button, &QAbstractButton::clicked, &m_button, [this] {
        if (!m_pending)
            return;
        const qint64 waited = (nowNs() - m_postedAtNs) / kNsPerMs;
        m_worstMs = std::max(m_worstMs, waited);
        m_waitsMs.push_back(waited);
        m_pending = false;
    });
}

qint64 ClickProbe::clickWhile(const std::function<bool()>& running, int timeoutMs)
{
    std::atomic<bool> done { false };
    std::thread user([this, &done] {
        while (!done) {
            if (!m_pending) {
                m_postedAtNs = nowNs();
                m_pending = true;
                QMetaObject::invokeMethod(&m_button, &QAbstractButton::click, Qt::QueuedConnection);
            }
            std::this_thread::sleep_for(kClickEvery);
        }
    });
    waitUntil([&] { return !running(); }, timeoutMs);
    done = true;
    user.join();
    // Let a click still on its way arrive, so that it counts here and not in a later probe.
    waitUntil([this] { return !m_pending; }, timeoutMs);
    return m_worstMs;
}

qint64 ClickProbe::worstButMs(int allowed) const
{
    if (int(m_waitsMs.size()) <= allowed)
        return 0;
    std::vector<qint64> waits = m_waitsMs;
    std::nth_element(waits.begin(), waits.end() - 1 - allowed, waits.end());
    return *(waits.end() - 1 - allowed);
}

} // namespace tremora::test
