// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace tremora
{

/// Small helpers the window's building files share: each makes one control with its program
/// name as objectName and its default caption or value.
///
/// Captions are given as their Polish source text, marked for lupdate with QT_TR_NOOP inside
/// TForm1's members (or QT_TRANSLATE_NOOP("tremora::TForm1", ...) elsewhere). The control shows
/// the translation of the moment and keeps the source, so retranslate() can put it into another
/// language while the program runs.
namespace controls
{

/// The translation context of every caption made here.
inline constexpr const char* kCaptionContext = "tremora::TForm1";

template <typename T> T* named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

/// The translation of a caption's source text in the language of the moment.
QString translated(const char* source);

QLineEdit* edit(const char* name, const QString& text, int width = 0);
QCheckBox* checkBox(const char* name, const char* caption, bool checked);
QRadioButton* radio(const char* name, const char* caption, bool checked);
QPushButton* button(const char* name, const char* caption);
/// A label whose text is a caption, translated; labels showing values use plain QLabel.
QLabel* label(const char* name, const char* caption);
/// A caption label with no program name of its own.
QLabel* caption(const char* caption);
QSpinBox* spin(const char* name, int minimum, int maximum, int value);
QGroupBox* group(const char* title);
/// An action of a popup menu, with its program name.
QAction* action(QObject* menu, const char* name, const char* caption);
/// Adds `page` to `tabs` under a translated caption.
void addTab(QTabWidget* tabs, QWidget* page, const char* caption);
/// Fills `combo` with translated items.
void addItems(QComboBox* combo, std::initializer_list<const char*> items);

/// Puts every caption made by these helpers under `root` into the language of the moment.
void retranslate(QWidget* root);

} // namespace controls
} // namespace tremora
