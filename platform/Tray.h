// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// The tray icon: hides and shows the main window and shows balloons.
class Tray
{
public:
    enum class BalloonIcon { None, Info, Warning, Error };
    virtual ~Tray() = default;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    virtual void balloon(const QString& title, const QString& text, BalloonIcon icon, int milliseconds) = 0;
};

} // namespace tremora
