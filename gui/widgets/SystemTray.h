// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Tray.h"

class QSystemTrayIcon;

namespace tremora
{

/// The tray seam over the window's tray icon. Where the desktop has no notification area the
/// balloon goes nowhere, which is all a tray can do there.
class SystemTray final : public Tray
{
public:
    explicit SystemTray(QSystemTrayIcon& icon)
        : m_icon(icon)
    {
    }
    void balloon(const QString& title, const QString& text, BalloonIcon icon, int milliseconds) override;

private:
    QSystemTrayIcon& m_icon;
};

} // namespace tremora
