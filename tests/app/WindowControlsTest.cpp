// SPDX-License-Identifier: GPL-3.0-or-later
// Every control the other areas read exists under its name with its starting caption or value.
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

constexpr int kNoCheck = -1;

struct Caption {
    const char* name;
    const char* text;
    int checked = kNoCheck; // for check boxes and radio buttons
};

// Captions and starting texts as the user first sees them.
const Caption kCaptions[] = {
    { "DsFancyButton4", "Aktualizacja bazy USGS" },
    { "Edit7", "2011-05-01" },
    { "Edit8", "2011-05-06" },
    { "CheckBox16", "WinXP", 0 },
    { "CheckBox10", "Auto. aktualizacja co", 1 },
    { "Edit12", "3" },
    { "CheckBox6", "Magnituda >=", 1 },
    { "Edit1", "6,0" },
    { "Edit19", "9,9" },
    { "CheckBox9", "Głębokość między", 0 },
    { "Edit17", "0,0" },
    { "Edit18", "3,0" },
    { "CheckBox7", "Długość geog. między", 0 },
    { "Edit2", "15,000" },
    { "Edit3", "17,000" },
    { "CheckBox8", "Szerokość geog. między", 0 },
    { "Edit4", "51,000" },
    { "Edit5", "53,000" },
    { "RadioButton10", "lub", 1 },
    { "RadioButton11", "i", 0 },
    { "Label30", "lub" },
    { "Label31", "lub" },
    { "Label32", "lub" },
    { "CheckBox2", "Magnituda od", 0 },
    { "Edit10", "5,0" },
    { "Edit11", "9,9" },
    { "CheckBox3", "Głebokość od", 0 },
    { "Edit6", "0,0" },
    { "Edit9", "1000" },
    { "CheckBox4", "Długość geog.od", 0 },
    { "Edit13", "-180,0" },
    { "Edit14", "180,0" },
    { "CheckBox5", "Szerokość ge. od", 0 },
    { "Edit15", "-90,0" },
    { "Edit16", "90,0" },
    { "RadioButton8", "i", 1 },
    { "RadioButton9", "lub", 0 },
    { "Label17", "i" },
    { "Label18", "i" },
    { "Label19", "i" },
    { "Button1", "Pokaż przefiltrowane" },
    { "Label29", "0" },
    { "Label36", "0 J" },
    { "Label37", "0 Wh" },
    { "DsFancyButton5", "Mag" },
    { "DsFancyButton6", "Energia" },
    { "CheckBox12", "Log", 1 },
    { "Button2", "Dziś" },
    { "Button3", "7 dni" },
    { "Button4", "1 miesiąc" },
    { "Button5", "3 miesiące" },
    { "CheckBox11", "Automatycznie importuj zdjęcie lokalizacji", 1 },
    { "Label35", "16384 x" },
    { "Button11", "Wyświetl" },
    { "Edit20", "" },
    { "Edit25", "10,0" },
    { "Edit26", "50,89" },
    { "Edit27", "15,025" },
    { "Button9", "Wyświetl lokalizację" },
    { "RadioButton1", "Polski", 1 },
    { "RadioButton2", "English", 0 },
    { "RadioButton3", "Deutsche", 0 },
    { "RadioButton4", "France", 0 },
    { "RadioButton5", "Russian", 0 },
    { "DsFancyButton2", "P1" },
    { "DsFancyButton3", "P2" },
    { "RadioButton6", "Wszystkie magnitudy", 1 },
    { "RadioButton7", "Magnitudy wg. zakresu", 0 },
    { "CheckBox1", "Kasuj poprzednie punkty", 1 },
    { "Label3", "0" },
    { "Label7", "-" },
    { "Label9", "-" },
    { "Label16", "-" },
    { "DsFancyButton7", "Test" },
    { "Label10", "," },
    { "Label11", "," },
    { "Button14", "Wyświetl" },
    { "Button15", "Wyczyść" },
    { "Button8", "Symulacja" },
    { "CheckBox13", "MIDI", 0 },
    { "Edit29", "6" },
    { "Edit30", "12" },
    { "Edit31", "10" },
    { "CheckBox14", "Wyciszaj", 0 },
    { "CheckBox15", "F1", 0 },
};

QString shownText(QObject* control)
{
    if (auto* e = qobject_cast<QLineEdit*>(control))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(control))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(control))
        return l->text();
    return QStringLiteral("<no text>");
}

class WindowControls : public ::testing::Test
{
protected:
    TForm1 form;
};

TEST_F(WindowControls, EveryControlStartsWithItsCaption)
{
    for (const Caption& c : kCaptions) {
        SCOPED_TRACE(c.name);
        auto* control = form.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(shownText(control), QString::fromUtf8(c.text));
        if (c.checked != kNoCheck) {
            auto* button = qobject_cast<QAbstractButton*>(control);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->isChecked(), c.checked == 1);
        }
    }
}

TEST_F(WindowControls, NumericControlsStartAtTheirDefaults)
{
    struct Range {
        QAbstractSlider* slider;
        int minimum, maximum, value;
    };
    for (const Range& r : { Range { form.TrackBar1, 2, 17, 7 }, Range { form.ScrollBar1, 0, 100, 2 } }) {
        SCOPED_TRACE(r.slider->objectName().toStdString());
        EXPECT_EQ(r.slider->minimum(), r.minimum);
        EXPECT_EQ(r.slider->maximum(), r.maximum);
        EXPECT_EQ(r.slider->value(), r.value);
    }
    struct Spin {
        QSpinBox* spin;
        int minimum, maximum, value;
    };
    for (const Spin& s : { Spin { form.SpinEdit1, 0, 9, 2 }, Spin { form.SpinEdit3, 0, 9, 0 },
             Spin { form.SpinEdit2, 0, 9, 9 }, Spin { form.SpinEdit4, 0, 9, 9 },
             Spin { form.SpinEdit5, 3, 17, 10 } }) {
        SCOPED_TRACE(s.spin->objectName().toStdString());
        EXPECT_EQ(s.spin->minimum(), s.minimum);
        EXPECT_EQ(s.spin->maximum(), s.maximum);
        EXPECT_EQ(s.spin->value(), s.value);
    }
    EXPECT_EQ(form.Edit12->maxLength(), 3);
}

TEST_F(WindowControls, DropDownListsHoldTheirPeriods)
{
    const QStringList ranges = { "CAŁA BAZA", "11 lat", "5 lat", "2 lata", "1 rok", "6 miesięcy",
        "3 miesiące", "1 miesiąc", "2 tygodnie", "1 tydzień", "3 dni", "24 godziny" };
    ASSERT_EQ(form.ComboBox1->count(), ranges.size());
    for (int i = 0; i < ranges.size(); ++i)
        EXPECT_EQ(form.ComboBox1->itemText(i), ranges[i]);
    EXPECT_EQ(form.ComboBox1->currentText(), QStringLiteral("1 rok"));

    const QStringList listings = { "1 rok", "6 miesięcy", "3 miesiące", "1 miesiąc", "2 tygodnie",
        "1 tydzień", "3 dni", "24 godziny" };
    ASSERT_EQ(form.ComboBox2->count(), listings.size());
    for (int i = 0; i < listings.size(); ++i)
        EXPECT_EQ(form.ComboBox2->itemText(i), listings[i]);
    EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("3 dni"));
}

TEST_F(WindowControls, PagesCarryTheirTabs)
{
    auto tabs = [](QTabWidget* pages) {
        QStringList titles;
        for (int i = 0; i < pages->count(); ++i)
            titles << pages->tabText(i);
        return titles;
    };
    EXPECT_EQ(
        tabs(form.PageControl1), QStringList({ "Trzęsienia Ziemi", "Baza", "Mapa satelitarna", "Info" }));
    EXPECT_EQ(tabs(form.PageControl2), QStringList({ "Ustawienia" }));
    EXPECT_EQ(tabs(form.PageControl3), QStringList({ "Ostrzeżenia", "Filtry" }));
    EXPECT_EQ(
        tabs(form.PageControl4), QStringList({ "Baza USGS", "Magnituda", "Energia", "Rozkład magnitud" }));
    EXPECT_EQ(form.PageControl4->widget(TForm1::TabReport), static_cast<QWidget*>(form.ControlPanel1));
}

TEST_F(WindowControls, TimersHaveTheirIntervalsAndAreNotRunningYet)
{
    struct Expected {
        QTimer* timer;
        int interval;
        bool enabled;
    };
    const Expected timers[] = { { form.Timer1, 500, false }, { form.Timer2, 60000, true },
        { form.Timer3, 1000, true }, { form.Timer4, 1000, false }, { form.Timer5, 1000, true },
        { form.Timer6, 500, false }, { form.Timer7, 1000, true } };
    for (const Expected& e : timers) {
        SCOPED_TRACE(e.timer->objectName().toStdString());
        EXPECT_EQ(e.timer->interval(), e.interval);
        EXPECT_EQ(TForm1::enabledAtStart(e.timer), e.enabled);
        EXPECT_FALSE(e.timer->isActive());
    }
}

TEST_F(WindowControls, StatusBarHasFivePanels)
{
    ASSERT_EQ(form.StatusBar1->panelCount(), 5);
    const int widths[] = { 70, 70, 30, 30 };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.StatusBar1->panel(i)->minimumWidth(), widths[i]);
    form.StatusBar1->setPanelText(4, QStringLiteral("Liczę..."));
    EXPECT_EQ(form.StatusBar1->panelText(4), QStringLiteral("Liczę..."));
    // An index past the panels is ignored rather than crashing.
    form.StatusBar1->setPanelText(5, QStringLiteral("x"));
    EXPECT_EQ(form.StatusBar1->panelText(5), QString());
}

TEST_F(WindowControls, PopupMenusListTheirItems)
{
    auto captions = [](QMenu* menu) {
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    };
    EXPECT_EQ(captions(form.BarPopupMenu1),
        QStringList({ "Kopiuj lokalizację do wyszukiwania", "j.w. w promieniu 100 km",
            "Kopiuj lokalizację do  \"ostrzeżeń\"", "j.w. w promieniu 100 km", "-", "Pokaż na mapie",
            "Pokaż wszystko na mapie", "-", "Kopiuj", "Eksportuj..." }));
    EXPECT_EQ(captions(form.BarPopupMenu2),
        QStringList({ "Kopiuj położenie do wyszukiwania", "Kopiuj położenie do \"ostrzeżeń\"" }));
    EXPECT_EQ(form.BarPopupMenu1->bannerText(), QStringLiteral("Kest"));
    EXPECT_EQ(form.jwwpromieniu100km2->objectName(), QStringLiteral("jwwpromieniu100km2"));
}

TEST_F(WindowControls, ChartWindowStartsHiddenWithItsCaption)
{
    ASSERT_NE(form.Form2, nullptr);
    EXPECT_FALSE(form.Form2->isVisible());
    EXPECT_EQ(form.Form2->windowTitle(), QStringLiteral("Moc burzy geomagnetycznej (GM)"));
    EXPECT_TRUE(form.Form2->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.Form2->UnitLabel->text(), QStringLiteral("mJ/m3/s"));
}

TEST_F(WindowControls, HiddenControlsExistButStayHidden)
{
    for (QWidget* w : std::initializer_list<QWidget*> { form.Button10, form.Label21, form.Button13,
             form.Edit21, form.Edit24, form.Edit28, form.DsFancyButton1 }) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(w->isHidden());
    }
}

TEST_F(WindowControls, CalendarShowsWeekNumbersFrom1973)
{
    EXPECT_EQ(form.MonthCalendar1->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
    EXPECT_EQ(form.MonthCalendar1->minimumDate(), QDate(1973, 1, 1));
}

} // namespace
} // namespace tremora
