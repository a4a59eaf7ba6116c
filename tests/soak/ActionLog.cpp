// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/soak/ActionLog.h"

#include <algorithm>
#include <cstring>

#include <unistd.h>

namespace tremora::soak
{

namespace
{

void put(int fd, const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= std::size_t(n);
    }
}

} // namespace

ActionLog& actionLog()
{
    static ActionLog log;
    return log;
}

void ActionLog::add(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    std::array<char, kLineBytes>& slot = m_lines[std::size_t(m_next)];
    const std::size_t n = std::min<std::size_t>(std::size_t(utf8.size()), kLineBytes - 1);
    std::memcpy(slot.data(), utf8.constData(), n);
    slot[n] = '\0';
    m_next = (m_next + 1) % kKept;
    m_count = std::min(m_count + 1, kKept);
}

QStringList ActionLog::lines() const
{
    QStringList out;
    for (int i = 0; i < m_count; ++i)
        out << QString::fromUtf8(m_lines[std::size_t((m_next - m_count + i + kKept) % kKept)].data());
    return out;
}

void ActionLog::dump(int fd) const
{
    char number[24];
    char* p = number + sizeof number;
    *--p = '\0';
    unsigned long long s = seed;
    do {
        *--p = char('0' + s % 10);
        s /= 10;
    } while (s > 0);
    put(fd, "\nsoak: the run died; seed ");
    put(fd, p);
    put(fd, " (SOAK_SEED reruns it); its last actions:\n");
    for (int i = 0; i < m_count; ++i) {
        put(fd, "  ");
        put(fd, m_lines[std::size_t((m_next - m_count + i + kKept) % kKept)].data());
        put(fd, "\n");
    }
}

} // namespace tremora::soak
