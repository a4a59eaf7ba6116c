// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Pause.h"

#include <QTimer>

namespace tremora
{

void TimerPause::after(int milliseconds, QObject* context, std::function<void()> then)
{
    QTimer::singleShot(milliseconds, context, std::move(then));
}

} // namespace tremora
