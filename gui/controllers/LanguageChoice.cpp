// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/LanguageChoice.h"

#include "gui/window/TForm1.h"
#include "state/ProgramEvents.h"

#include <QRadioButton>

namespace tremora
{

LanguageChoice::LanguageChoice(TForm1& form, ProgramEvents& events)
    : m_form(form)
    , m_events(events)
{
    m_form.RadioButton2->setEnabled(true);
    connect(m_form.RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            apply(Language::Polish);
    });
    connect(m_form.RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            apply(Language::English);
    });
    apply(language());
}

Language LanguageChoice::language() const
{
    return m_form.RadioButton2->isChecked() ? Language::English : Language::Polish;
}

void LanguageChoice::choose(Language language)
{
    (language == Language::English ? m_form.RadioButton2 : m_form.RadioButton1)->setChecked(true);
}

void LanguageChoice::apply(Language language)
{
    // A missing translation leaves those texts as they are written; there is nothing to tell.
    installLanguage(language);
    m_form.retranslate();
    Q_EMIT m_events.languageChanged();
}

} // namespace tremora
