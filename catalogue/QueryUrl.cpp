// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/QueryUrl.h"

#include <QRandomGenerator>

namespace tremora
{

namespace
{

struct DayParts {
    QString year;
    QString month;
    QString day;
};

// Characters are taken by position, as the edits hold them; nothing is checked here.
DayParts dayParts(const QString& text, DateLayout layout)
{
    if (layout == DateLayout::YearMonthDay)
        return { text.mid(0, 4), text.mid(5, 2), text.mid(8, 2) };
    return { text.mid(6, 4), text.mid(3, 2), text.mid(0, 2) };
}

QString dayPiece(const DayParts& d)
{
    return d.year + QLatin1Char('-') + d.month + QLatin1Char('-') + d.day;
}

} // namespace

QString Wczyt_zakres_dat_url(
    const QString& host, const QString& firstDay, const QString& lastDay, DateLayout layout, int randomPart)
{
    QString base = host;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const int random = ((randomPart % kQueryRandomLimit) + kQueryRandomLimit) % kQueryRandomLimit;
    return base + QStringLiteral("/fdsnws/event/") + QStringLiteral("1") + QStringLiteral("/query?starttime=")
        + dayPiece(dayParts(firstDay, layout)) + QStringLiteral("%2000:00:00&minmagnitude=0&format=csv&")
        + QStringLiteral("endtime=") + dayPiece(dayParts(lastDay, layout))
        + QStringLiteral("%2023:59:59.999&orderby=time-asc") + QStringLiteral("&") + QString::number(random);
}

int randomQueryPart()
{
    return static_cast<int>(QRandomGenerator::global()->bounded(kQueryRandomLimit));
}

} // namespace tremora
