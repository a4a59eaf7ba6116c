// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace tremora
{

/// Small helpers the window's building files share: each makes one control with its program
/// name as objectName and its default caption or value.
namespace controls
{

template <typename T> T* named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QLineEdit* edit(const char* name, const QString& text, int width = 0);
QCheckBox* checkBox(const char* name, const QString& caption, bool checked);
QRadioButton* radio(const char* name, const QString& caption, bool checked);
QPushButton* button(const char* name, const QString& caption);
QLabel* label(const char* name, const QString& text);
/// A caption label with no program name of its own.
QLabel* caption(const QString& text);
QSpinBox* spin(const char* name, int minimum, int maximum, int value);
QGroupBox* group(const QString& title);

} // namespace controls
} // namespace tremora
