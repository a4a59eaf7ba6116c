// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <QByteArrayView>

namespace tremora
{

/// Writes the log line of an earthquake shown on the map:
/// "N: date - time, LAT LON, MAG, DEPTH", numbers as FixedText writes them. A whole-catalogue
/// display logs millions of these, so the line is built in a buffer the writer reuses, with no
/// allocation per line; the date text is kept while consecutive records share their day.
class QuakeLogLine
{
public:
    /// The line for the record at 1-based catalogue position `position` (UTF-8, no line end);
    /// valid until the next call.
    QByteArrayView format(int position, const QuakeRecord& record);

private:
    static constexpr int kLineRoom = 160;
    static constexpr int kDateRoom = 16;

    void cacheDate(double originDate);

    char m_line[kLineRoom] = {};
    char m_date[kDateRoom] = {};
    int m_dateLength = 0;
    double m_cachedDay = 0;
    bool m_haveDate = false;
};

} // namespace tremora
