// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/QuakeLogLine.h"

#include "catalogue/DayNumber.h"
#include "table/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tremora
{

namespace
{

constexpr long long kMsPerDay = 86'400'000;
constexpr long long kSecondsPerDay = 86'400;

char* writeUnsigned(char* out, unsigned long long v)
{
    char digits[24];
    char* p = digits + sizeof digits;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    const auto length = digits + sizeof digits - p;
    std::memcpy(out, p, std::size_t(length));
    return out + length;
}

char* writeInt(char* out, long long v)
{
    if (v < 0) {
        *out++ = '-';
        return writeUnsigned(out, 0 - static_cast<unsigned long long>(v));
    }
    return writeUnsigned(out, static_cast<unsigned long long>(v));
}

char* writeTwoDigits(char* out, int v)
{
    *out++ = static_cast<char>('0' + v / 10);
    *out++ = static_cast<char>('0' + v % 10);
    return out;
}

// "HH:mm:ss" as timeText writes it: the time of day rounded to the millisecond, then whole seconds.
char* writeTime(char* out, double dateTime)
{
    if (!std::isfinite(dateTime)) {
        *out++ = '-';
        return out;
    }
    const double fraction = dateTime - std::floor(dateTime);
    const long long s = (std::llround(fraction * double(kMsPerDay)) / 1000) % kSecondsPerDay;
    out = writeTwoDigits(out, int(s / 3600));
    *out++ = ':';
    out = writeTwoDigits(out, int(s / 60 % 60));
    *out++ = ':';
    return writeTwoDigits(out, int(s % 60));
}

char* writeText(char* out, const char* text)
{
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

} // namespace

void QuakeLogLine::cacheDate(double originDate)
{
    // Identical doubles give identical texts, NaN never matches and is written afresh.
    if (m_haveDate && originDate == m_cachedDay)
        return;
    const QByteArray text = dateText(originDate).toLatin1();
    m_dateLength = int(std::min<qsizetype>(text.size(), kDateRoom));
    std::memcpy(m_date, text.constData(), std::size_t(m_dateLength));
    m_cachedDay = originDate;
    m_haveDate = true;
}

QByteArrayView QuakeLogLine::format(int position, const QuakeRecord& record)
{
    cacheDate(record.OriginDate);
    char* p = m_line;
    p = writeInt(p, position);
    p = writeText(p, ": ");
    std::memcpy(p, m_date, std::size_t(m_dateLength));
    p += m_dateLength;
    p = writeText(p, " - ");
    p = writeTime(p, record.OriginTime);
    p = writeText(p, ", ");
    p = writeFixedText(p, record.Latitude);
    *p++ = ' ';
    p = writeFixedText(p, record.Longitude);
    p = writeText(p, ", ");
    p = writeFixedText(p, record.Mag10 / 10.0);
    p = writeText(p, ", ");
    p = writeFixedText(p, record.Depth10 / 10.0);
    return QByteArrayView(m_line, p - m_line);
}

} // namespace tremora
