// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace tremora
{

/// Puts a copied value into a narrow criteria box so that it reads from its start: a box that
/// showed the end of "128,0088" would look like 28,0088.
inline void showBoxText(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->home(false);
}

} // namespace tremora
