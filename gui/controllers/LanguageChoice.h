// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/window/Language.h"

#include <QObject>

namespace tremora
{

class ProgramEvents;
class TForm1;

/// The group "Select language": "Polski" (RadioButton1) and "English" (RadioButton2) put the
/// whole program into that language at once, Qt's own dialogs included; the other languages have
/// no translation and stay disabled. The window's captions follow at once; the areas hear of it
/// through ProgramEvents::languageChanged. Place names follow the buttons on their own (Lok).
class LanguageChoice final : public QObject
{
    Q_OBJECT
public:
    /// Installs the language the buttons show (Polish in a new window), so a window starts in it
    /// whatever a window before it left installed.
    LanguageChoice(TForm1& form, ProgramEvents& events);

    /// Checks the language's button, which switches the program to it.
    void choose(Language language);
    Language language() const;

private:
    void apply(Language language);

    TForm1& m_form;
    ProgramEvents& m_events;
};

} // namespace tremora
