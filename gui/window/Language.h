// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace tremora
{

/// The languages the program speaks. Its texts are written in Polish; English is a translation
/// compiled into the program.
enum class Language { Polish, English };

/// "pl" or "en".
QString languageCode(Language language);
/// The language of a code ("pl", "en"); none for anything else.
std::optional<Language> languageFromCode(const QString& code);
/// Month and day names of the calendars in the language.
QLocale languageLocale(Language language);

/// From now on Qt's own texts (file dialogs, standard buttons, the context menus of text boxes)
/// and the program's texts are in `language`: Qt's translation comes from the system
/// (qtbase_pl.qm of qt6-translations-l10n), the program's own from its resources. Widgets hear of
/// it through a LanguageChange event; TForm1::retranslate() does the window at once.
/// False when a translation could not be loaded: those texts stay as they are written.
bool installLanguage(Language language);
/// The language installed last; Polish before any.
Language installedLanguage();

} // namespace tremora
