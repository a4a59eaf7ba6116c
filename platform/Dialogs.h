// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// Modal message boxes. Each call returns when the user has dismissed the box.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    /// A warning box with a single OK button.
    virtual void warning(const QString& text) = 0;
    /// An error box (failed conversions, unreadable files).
    virtual void error(const QString& text) = 0;
};

} // namespace tremora
