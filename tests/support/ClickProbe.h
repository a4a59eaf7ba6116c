// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <vector>

class QAbstractButton;

namespace tremora::test
{

/// Clicks a button the way a user's clicks arrive: from outside the window's thread, every few
/// milliseconds, whatever the window is doing. Measures how long each click waits before the
/// window handles it.
class ClickProbe
{
public:
    explicit ClickProbe(QAbstractButton& button);
    ClickProbe(const ClickProbe&) = delete;
    ClickProbe& operator=(const ClickProbe&) = delete;

    /// Keeps clicking while `running` holds (the window's own events run meanwhile); returns the
    /// worst wait in milliseconds.
    qint64 clickWhile(const std::function<bool()>& running, int timeoutMs = 120'000);

    qint64 worstMs() const { return m_worstMs; }
    /// The wait that all clicks but the `allowed` slowest kept within.
    qint64 worstButMs(int allowed) const;
    int clicks() const { return int(m_waitsMs.size()); }

private:
    QAbstractButton& m_button;
    std::atomic<bool> m_pending { false };
    std::atomic<qint64> m_postedAtNs { 0 };
    qint64 m_worstMs = 0;
    std::vector<qint64> m_waitsMs;
};

} // namespace tremora::test
