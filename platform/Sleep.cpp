// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Sleep.h"

#include <QEventLoop>
#include <QTimer>

namespace tremora
{

void EventLoopSleep::sleep(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tremora
