// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace tremora
{

/// Real message boxes over a parent window.
class MessageBoxDialogs final : public Dialogs
{
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget* parent) { m_parent = parent; }
    void warning(const QString& text) override;
    void error(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace tremora
