// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SyntheticReplies.h"

#include "catalogue/DayNumber.h"

namespace tremora::test
{

QByteArray syntheticMonth(int year, int month, int perDay)
{
    QByteArray csv = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
                     "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
    for (int day = 1; day <= daysInMonth(year, month); ++day) {
        for (int i = 0; i < perDay; ++i) {
            const QByteArray date = QByteArray::number(year) + '-'
                + QByteArray::number(month).rightJustified(2, '0') + '-'
                + QByteArray::number(day).rightJustified(2, '0');
            const QByteArray time = QByteArray::number(i % 24).rightJustified(2, '0') + ':'
                + QByteArray::number(i % 60).rightJustified(2, '0') + ":07.250Z";
            csv += date + 'T' + time + ',' + QByteArray::number(-40 + i % 80) + ".5,"
                + QByteArray::number(-170 + (day * 7 + i) % 340) + ".25," + QByteArray::number(5 + i % 600)
                + ",4." + QByteArray::number(i % 10) + ",mb,,,,0.5,us,syn" + date + '-'
                + QByteArray::number(i) + ',' + date
                + "T23:00:00.000Z,\"somewhere\",earthquake,,,,,reviewed,us,us\n";
        }
    }
    return csv;
}

} // namespace tremora::test
