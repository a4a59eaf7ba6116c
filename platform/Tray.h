// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// The notification area: balloons that reach the user while the window is hidden or behind
/// others. Desktops show them as notifications.
class Tray
{
public:
    enum class BalloonIcon { None, Info, Warning, Error };
    virtual ~Tray() = default;
    virtual void balloon(const QString& title, const QString& text, BalloonIcon icon, int milliseconds) = 0;
};

} // namespace tremora
