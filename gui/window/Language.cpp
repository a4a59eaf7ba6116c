// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/Language.h"

#include "resources/Resources.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace tremora
{

namespace
{

struct Installed {
    Language language = Language::Polish;
    QPointer<QTranslator> qt;
    QPointer<QTranslator> program;
};

Installed& installed()
{
    static Installed now;
    return now;
}

void remove(QPointer<QTranslator>& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

// Loads and installs one translation; the translator belongs to the application object.
bool install(QPointer<QTranslator>& slot, const QString& file, const QString& folder = {})
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    slot = translator;
    return true;
}

} // namespace

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("pl");
}

std::optional<Language> languageFromCode(const QString& code)
{
    for (Language language : { Language::Polish, Language::English }) {
        if (code == languageCode(language))
            return language;
    }
    return std::nullopt;
}

QLocale languageLocale(Language language)
{
    return language == Language::English ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                         : QLocale(QLocale::Polish, QLocale::Poland);
}

bool installLanguage(Language language)
{
    Installed& now = installed();
    remove(now.qt);
    remove(now.program);
    now.language = language;
    bool ok = true;
    // Qt's texts are written in English, the program's in Polish: each needs a translation only
    // into the other language.
    if (language != Language::English) {
        ok = install(now.qt, QStringLiteral("qtbase_") + languageCode(language),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            && ok;
    }
    if (language != Language::Polish)
        ok = install(now.program, translationPath(languageCode(language))) && ok;
    return ok;
}

Language installedLanguage()
{
    return installed().language;
}

} // namespace tremora
