// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/MessageBoxDialogs.h"

#include <QMessageBox>

namespace tremora
{

void MessageBoxDialogs::warning(const QString& text)
{
    QMessageBox::warning(m_parent, QStringLiteral("Tremora"), text, QMessageBox::Ok);
}

void MessageBoxDialogs::error(const QString& text)
{
    QMessageBox::critical(m_parent, QStringLiteral("Tremora"), text, QMessageBox::Ok);
}

} // namespace tremora
