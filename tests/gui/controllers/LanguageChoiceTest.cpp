// SPDX-License-Identifier: GPL-3.0-or-later
// The window in both languages: every text of every control speaks the language chosen, none is
// cut off by its control at the window's least size, Polish comes back exactly as it was, and
// Qt's own dialogs speak the window's language too.
#include "ProgramTestSupport.h"

#include "gui/controllers/LanguageChoice.h"
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tremora
{
namespace
{

/// The texts the translation keeps as they are written (names, abbreviations, the language
/// names): a text that reads the same in English must be one of these.
QSet<QString> keptAsWritten()
{
    QFile file(QStringLiteral(TREMORA_TRANSLATIONS_TS));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TREMORA_TRANSLATIONS_TS;
    QSet<QString> kept;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            if (xml.readElementText() == source && finished)
                kept.insert(source);
        }
    }
    return kept;
}

/// A number, a date, a number with a short unit ("0 J", "16384 x"), or no letter at all: a value
/// or a sign, not a word.
bool isValue(const QString& text)
{
    static const QRegularExpression value(QStringLiteral("^[-+0-9 ,.:]*( ?[A-Za-z]{1,2})?$"));
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    return value.match(text).hasMatch() || !text.contains(letter);
}

bool hasPolishLetters(const QString& text)
{
    static const QRegularExpression polish(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"));
    return text.contains(polish);
}

QString nameOf(const QObject* o)
{
    QString name;
    for (; o != nullptr && name.isEmpty(); o = o->parent())
        name = o->objectName();
    return name;
}

/// Every text the window shows, visible or not, by the object and place it is shown in.
using Texts = std::map<std::pair<const QObject*, int>, QString>;

Texts textsOf(TForm1& form)
{
    Texts texts;
    QList<QObject*> objects = form.findChildren<QObject*>();
    objects << &form;
    for (QObject* o : objects) {
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            texts[{ o, 0 }] = b->text();
        else if (auto* l = qobject_cast<QLabel*>(o))
            texts[{ o, 0 }] = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            texts[{ o, 0 }] = g->title();
        else if (auto* a = qobject_cast<QAction*>(o))
            texts[{ o, 0 }] = a->text();
        else if (auto* t = qobject_cast<QTextBrowser*>(o))
            texts[{ o, 0 }] = t->toPlainText();
        if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts[{ o, i }] = tabs->tabText(i);
        }
        if (auto* combo = qobject_cast<QComboBox*>(o)) {
            for (int i = 0; i < combo->count(); ++i)
                texts[{ o, i }] = combo->itemText(i);
        }
        if (auto* window = qobject_cast<QWidget*>(o); window != nullptr && window->isWindow())
            texts[{ o, -1 }] = window->windowTitle();
    }
    return texts;
}

/// The window at the least size of its contents in the language of the moment.
void showAtLeastSize(TForm1& form)
{
    form.show();
    QApplication::processEvents();
    form.resize(form.leastContentsSize() + QSize(0, form.StatusBar1->sizeHint().height()));
    QApplication::processEvents();
}

/// Fails for every visible text that its control cuts off: a control narrower than its text
/// needs, or one that its surroundings cut across.
void expectNothingCutOff(TForm1& form, const char* language)
{
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != &form)
            continue;
        SCOPED_TRACE(std::string(language) + " " + nameOf(w).toStdString());
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            text = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            text = g->title();
        else if (auto* c = qobject_cast<QComboBox*>(w))
            text = c->currentText();
        if (!text.isEmpty()) {
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << text.toStdString();
            // Scrolled out of view along a panel that scrolls is not cut off; cut across is.
            const QRect seen = w->visibleRegion().boundingRect();
            if (!seen.isEmpty()) {
                EXPECT_EQ(seen.width(), w->width()) << text.toStdString();
            }
        }
        if (auto* bar = qobject_cast<QTabBar*>(w)) {
            EXPECT_GE(bar->width(), bar->sizeHint().width()) << "tabs";
        }
    }
}

/// Every page of the main tabs and of the tabs inside them, one after the other.
void expectNothingCutOffOnAnyPage(TForm1& form, const char* language)
{
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        form.PageControl1->setCurrentIndex(page);
        for (QTabWidget* inner : { form.PageControl3, form.PageControl4 }) {
            for (int i = 0; i < inner->count(); ++i) {
                inner->setCurrentIndex(i);
                // A page shown for the first time since the language changed lays itself out,
                // then widens its column for the new captions: two passes.
                QApplication::processEvents();
                QApplication::processEvents();
                expectNothingCutOff(form, language);
            }
        }
    }
    form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
}

class LanguageChoiceTest : public test::ProgramFixture
{
};

TEST_F(LanguageChoiceTest, EveryTextSpeaksTheLanguageChosenAndFitsItsControl)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& form = program.form();
    ASSERT_TRUE(form.RadioButton2->isEnabled());

    showAtLeastSize(form);
    // The map keeps the shape of its picture and fills its control, but for the rounding of its
    // scale: no empty band.
    const QSize band = form.Image1->size() - form.Image1->drawnSize();
    EXPECT_LE(std::max(band.width(), band.height()), 1);
    expectNothingCutOffOnAnyPage(form, "pl");
    const Texts polish = textsOf(form);

    form.RadioButton2->click();
    QApplication::processEvents();
    EXPECT_EQ(program.languageChoice().language(), Language::English);
    const Texts english = textsOf(form);
    const QSet<QString> kept = keptAsWritten();
    ASSERT_FALSE(kept.isEmpty());
    for (const auto& [where, text] : english) {
        SCOPED_TRACE(nameOf(where.first).toStdString());
        const QString before = polish.at(where);
        // The program's name and version stand for the project's address when none was set.
        if (!before.isEmpty() && !isValue(before) && text == before && text != TForm1::projectAddress()) {
            EXPECT_TRUE(kept.contains(text)) << "left untranslated: " << text.toStdString();
        }
        EXPECT_FALSE(hasPolishLetters(text)) << text.toStdString();
    }
    showAtLeastSize(form);
    expectNothingCutOffOnAnyPage(form, "en");

    // Back in Polish, every text is exactly what it was.
    form.RadioButton1->click();
    QApplication::processEvents();
    EXPECT_TRUE(textsOf(form) == polish);

    // On a screen smaller than that least size the window stays within the screen; its contents
    // scroll instead of squeezing.
    const QRect available = form.screen()->availableGeometry();
    form.resize(available.size() * 2);
    form.fitToScreen();
    QApplication::processEvents();
    EXPECT_TRUE(available.contains(form.frameGeometry()));
    EXPECT_LE(form.width(), available.width());
}

TEST_F(LanguageChoiceTest, QtsOwnDialogsSpeakTheWindowsLanguage)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& form = program.form();
    form.show();
    // The texts of the export dialog's labels and buttons, the dialog closed again.
    const auto dialogTexts = [&form] {
        form.Eksportuj1->trigger();
        auto* dialog = form.findChild<QFileDialog*>(QStringLiteral("ExportDialog"));
        EXPECT_NE(dialog, nullptr);
        QStringList texts;
        if (dialog == nullptr)
            return texts;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            QString text;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                text = b->text();
            else if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            if (!text.isEmpty() && w->isVisible())
                texts << text;
        }
        texts << dialog->windowTitle();
        dialog->reject();
        QApplication::processEvents();
        return texts;
    };
    const QStringList polish = dialogTexts();
    program.languageChoice().choose(Language::English);
    const QStringList english = dialogTexts();
    ASSERT_FALSE(polish.isEmpty());
    ASSERT_EQ(polish.size(), english.size());
    // "Look in:", "File name:", "Save", "Cancel"...: none is left in English with Polish chosen.
    for (int i = 0; i < polish.size(); ++i)
        EXPECT_NE(polish[i], english[i]) << english[i].toStdString();
}

} // namespace
} // namespace tremora
