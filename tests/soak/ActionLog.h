// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tremora::soak
{

/// The last actions of the monkey, in fixed buffers, so that a run that dies (a crash, a
/// sanitizer's report) can still say what led there.
class ActionLog
{
public:
    static constexpr int kKept = 50;
    static constexpr int kLineBytes = 240;

    void add(const QString& line);
    QStringList lines() const;
    /// Writes the seed and the kept lines to a file descriptor without allocating: safe in a
    /// signal handler or a sanitizer's last call.
    void dump(int fd) const;
    unsigned long long seed = 0;

private:
    std::array<std::array<char, kLineBytes>, kKept> m_lines {};
    int m_next = 0;
    int m_count = 0;
};

/// The one log of the run.
ActionLog& actionLog();

} // namespace tremora::soak
