// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/MessageBoxDialogs.h"

#include <QMessageBox>

namespace tremora
{

namespace
{

// The box is modal to the user but not to the program: it shows and the handler goes on, so no
// event loop runs inside the handler and whatever runs (an update, a replay) keeps going.
void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    auto* box = new QMessageBox(icon, QStringLiteral("Tremora"), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

} // namespace

void MessageBoxDialogs::warning(const QString& text)
{
    showBox(m_parent, QMessageBox::Warning, text);
}

void MessageBoxDialogs::error(const QString& text)
{
    showBox(m_parent, QMessageBox::Critical, text);
}

} // namespace tremora
