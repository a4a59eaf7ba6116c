// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/SystemTray.h"

#include <QSystemTrayIcon>

namespace tremora
{

void SystemTray::balloon(const QString& title, const QString& text, BalloonIcon icon, int milliseconds)
{
    QSystemTrayIcon::MessageIcon shown = QSystemTrayIcon::NoIcon;
    switch (icon) {
    case BalloonIcon::None:
        break;
    case BalloonIcon::Info:
        shown = QSystemTrayIcon::Information;
        break;
    case BalloonIcon::Warning:
        shown = QSystemTrayIcon::Warning;
        break;
    case BalloonIcon::Error:
        shown = QSystemTrayIcon::Critical;
        break;
    }
    m_icon.showMessage(title, text, shown, milliseconds);
}

} // namespace tremora
