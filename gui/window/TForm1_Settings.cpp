// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Ustawienia" on the right: language, map picture, lamp, day calendar, catalogue
// summary, and the settings of the period display and of the replay.
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/Lamp.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/TForm1.h"
#include "map/MarkPainter.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tremora
{

using namespace controls;

namespace
{

constexpr int kDigitMax = 9;
const QTime kPeriodStartTime(11, 22, 11);
const QTime kPeriodEndTime(11, 22, 35);
constexpr int kSpeedMax = 100;
constexpr int kSpeedDefault = 2;
constexpr int kPeriodDefault = 4; // "1 rok"
constexpr int kListingDefault = 6; // "3 dni"
constexpr int kInstrumentEditWidth = 36;

QLabel* valueLabel(const char* name, const QString& text)
{
    auto* l = named(new QLabel(text), name);
    l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1c3a6e;"));
    return l;
}

// The groups of this tab sit close together: narrow margins, rows all but touching.
QGridLayout* groupGrid(QGroupBox* box, int rowSpacing)
{
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(rowSpacing);
    return layout;
}

} // namespace

QWidget* TForm1::buildSettingsTab()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(5);

    layout->addWidget(buildLanguageGroup());

    DsFancyButton2 = button("DsFancyButton2", QT_TR_NOOP("P1"));
    DsFancyButton3 = button("DsFancyButton3", QT_TR_NOOP("P2"));
    GphLamp1 = named(new Lamp, "GphLamp1");
    GphLamp1->setFixedSize(22, 22);
    DsFancyButton7 = button("DsFancyButton7", QT_TR_NOOP("Test"));
    DsFancyButton1 = button("DsFancyButton1", nullptr);
    DsFancyButton1->setParent(content);
    DsFancyButton1->hide();
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(caption(QT_TR_NOOP("Mapa:")));
    pictureRow->addWidget(DsFancyButton2);
    pictureRow->addWidget(DsFancyButton3);
    pictureRow->addStretch();
    pictureRow->addWidget(DsFancyButton7);
    pictureRow->addWidget(GphLamp1);
    layout->addLayout(pictureRow);

    MonthCalendar1 = named(new QCalendarWidget, "MonthCalendar1");
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    MonthCalendar1->setGridVisible(true);
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    MonthCalendar1->setMinimumDate(QDate(1973, 1, 1));
    MonthCalendar1->setFixedHeight(180);
    QFont calendarFont = MonthCalendar1->font();
    calendarFont.setPointSize(7);
    MonthCalendar1->setFont(calendarFont);
    layout->addWidget(MonthCalendar1);

    RadioButton6 = radio("RadioButton6", QT_TR_NOOP("Wszystkie magnitudy"), true);
    RadioButton7 = radio("RadioButton7", QT_TR_NOOP("Magnitudy wg. zakresu"), false);
    CheckBox1 = checkBox("CheckBox1", QT_TR_NOOP("Kasuj poprzednie punkty"), true);
    auto* dayRow = new QGridLayout;
    dayRow->addWidget(RadioButton6, 0, 0);
    dayRow->addWidget(CheckBox1, 0, 1);
    dayRow->addWidget(RadioButton7, 1, 0, 1, 2);
    layout->addLayout(dayRow);

    layout->addWidget(buildSummaryGroup());
    layout->addWidget(buildDisplayGroup());
    layout->addWidget(buildSimulationGroup());
    Button16 = button("Button16", QT_TR_NOOP("Przywróć ustawienia domyślne"));
    layout->addWidget(Button16);
    layout->addStretch();

    auto* scroll = new QScrollArea;
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return scroll;
}

QWidget* TForm1::buildLanguageGroup()
{
    auto* box = group(QT_TR_NOOP("Select language"));
    auto* layout = groupGrid(box, 1);
    RadioButton1 = radio("RadioButton1", QT_TR_NOOP("Polski"), true);
    RadioButton2 = radio("RadioButton2", QT_TR_NOOP("English"), false);
    RadioButton3 = radio("RadioButton3", QT_TR_NOOP("Deutsche"), false);
    RadioButton4 = radio("RadioButton4", QT_TR_NOOP("France"), false);
    RadioButton5 = radio("RadioButton5", QT_TR_NOOP("Russian"), false);
    QRadioButton* radios[] = { RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5 };
    for (int i = 0; i < 5; ++i)
        layout->addWidget(radios[i], i / 3, i % 3);
    return box;
}

QWidget* TForm1::buildSummaryGroup()
{
    auto* box = group(QT_TR_NOOP("Baza"));
    auto* layout = groupGrid(box, 1);
    Label3 = valueLabel("Label3", QStringLiteral("0"));
    Label7 = valueLabel("Label7", QStringLiteral("-"));
    Label9 = valueLabel("Label9", QStringLiteral("-"));
    Label16 = valueLabel("Label16", QStringLiteral("-"));
    layout->addWidget(caption(QT_TR_NOOP("Baza USGS:")), 0, 0);
    layout->addWidget(Label3, 0, 1);
    layout->addWidget(caption(QT_TR_NOOP("B. USGS od:")), 1, 0);
    layout->addWidget(Label7, 1, 1);
    layout->addWidget(caption(QT_TR_NOOP("B. USGS do:")), 2, 0);
    layout->addWidget(Label9, 2, 1);
    layout->addWidget(Label16, 3, 1);
    layout->setColumnStretch(1, 1);
    return box;
}

QWidget* TForm1::buildDisplayGroup()
{
    auto* box = group(QT_TR_NOOP("Wyświetlanie"));
    auto* layout = groupGrid(box, 2);

    SpinEdit1 = spin("SpinEdit1", 0, kDigitMax, 2);
    Label10 = named(new QLabel(QStringLiteral(",")), "Label10");
    SpinEdit3 = spin("SpinEdit3", 0, kDigitMax, 0);
    SpinEdit2 = spin("SpinEdit2", 0, kDigitMax, 9);
    Label11 = named(new QLabel(QStringLiteral(",")), "Label11");
    SpinEdit4 = spin("SpinEdit4", 0, kDigitMax, 9);
    auto magnitude = [](QSpinBox* whole, QLabel* comma, QSpinBox* tenths) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(whole);
        row->addWidget(comma);
        row->addWidget(tenths);
        row->addStretch();
        return row;
    };
    layout->addWidget(caption(QT_TR_NOOP("Magnituda OD")), 0, 0);
    layout->addLayout(magnitude(SpinEdit1, Label10, SpinEdit3), 0, 1);
    layout->addWidget(caption(QT_TR_NOOP("Magnituda DO")), 1, 0);
    layout->addLayout(magnitude(SpinEdit2, Label11, SpinEdit4), 1, 1);

    DateTimePicker1 = named(new DateTimePicker, "DateTimePicker1");
    DateTimePicker2 = named(new DateTimePicker, "DateTimePicker2");
    // The pickers keep the time of day they were made with; every date set later replaces only
    // the date, so a period runs from the start day to the end day inclusive.
    DateTimePicker1->setTime(kPeriodStartTime);
    DateTimePicker2->setTime(kPeriodEndTime);
    layout->addWidget(caption(QT_TR_NOOP("Data OD")), 2, 0);
    layout->addWidget(DateTimePicker1, 2, 1);
    layout->addWidget(caption(QT_TR_NOOP("Data DO")), 3, 0);
    layout->addWidget(DateTimePicker2, 3, 1);

    ComboBox1 = named(new QComboBox, "ComboBox1");
    addItems(ComboBox1,
        { QT_TR_NOOP("CAŁA BAZA"), QT_TR_NOOP("11 lat"), QT_TR_NOOP("5 lat"), QT_TR_NOOP("2 lata"),
            QT_TR_NOOP("1 rok"), QT_TR_NOOP("6 miesięcy"), QT_TR_NOOP("3 miesiące"), QT_TR_NOOP("1 miesiąc"),
            QT_TR_NOOP("2 tygodnie"), QT_TR_NOOP("1 tydzień"), QT_TR_NOOP("3 dni"),
            QT_TR_NOOP("24 godziny") });
    ComboBox1->setCurrentIndex(kPeriodDefault);
    // As wide as the longest item in the language of the moment.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SpinEdit5 = spin("SpinEdit5", kMinPointSize, kMaxPointSize, kDefaultPointSize);
    layout->addWidget(caption(QT_TR_NOOP("Zakresy")), 4, 0);
    layout->addWidget(ComboBox1, 4, 1);
    layout->addWidget(caption(QT_TR_NOOP("Wielkość punktu")), 5, 0);
    layout->addWidget(SpinEdit5, 5, 1, Qt::AlignLeft);

    Button14 = button("Button14", QT_TR_NOOP("Wyświetl"));
    Button15 = button("Button15", QT_TR_NOOP("Wyczyść"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button14);
    buttons->addWidget(Button15);
    layout->addLayout(buttons, 6, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    return box;
}

QWidget* TForm1::buildSimulationGroup()
{
    auto* box = group(QT_TR_NOOP("Symulacja"));
    auto* layout = groupGrid(box, 2);

    // The span chooser sits beside the button: it sets the period start, where a replay begins.
    Button8 = button("Button8", QT_TR_NOOP("Symulacja"));
    ComboBox2 = named(new QComboBox, "ComboBox2");
    addItems(ComboBox2,
        { QT_TR_NOOP("1 rok"), QT_TR_NOOP("6 miesięcy"), QT_TR_NOOP("3 miesiące"), QT_TR_NOOP("1 miesiąc"),
            QT_TR_NOOP("2 tygodnie"), QT_TR_NOOP("1 tydzień"), QT_TR_NOOP("3 dni"),
            QT_TR_NOOP("24 godziny") });
    ComboBox2->setCurrentIndex(kListingDefault);
    ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    CheckBox13 = checkBox("CheckBox13", QT_TR_NOOP("MIDI"), false);
    layout->addWidget(Button8, 0, 0, 1, 2);
    layout->addWidget(ComboBox2, 0, 2);
    layout->addWidget(CheckBox13, 0, 3);

    ScrollBar1 = named(new QScrollBar(Qt::Horizontal), "ScrollBar1");
    ScrollBar1->setRange(0, kSpeedMax);
    ScrollBar1->setValue(kSpeedDefault);
    layout->addWidget(caption(QT_TR_NOOP("Prędkość symulacji czasowej")), 1, 0, 1, 4);
    layout->addWidget(ScrollBar1, 2, 0, 1, 4);

    Edit29 = edit("Edit29", QStringLiteral("6"), kInstrumentEditWidth);
    Edit30 = edit("Edit30", QStringLiteral("12"), kInstrumentEditWidth);
    Edit31 = edit("Edit31", QStringLiteral("10"), kInstrumentEditWidth);
    layout->addWidget(caption(QT_TR_NOOP("Instrumenty")), 3, 0, 1, 4);
    auto* instruments = new QHBoxLayout;
    instruments->addWidget(caption(QT_TR_NOOP("Mag.")));
    instruments->addWidget(Edit29);
    instruments->addWidget(caption(QT_TR_NOOP("Głęb.")));
    instruments->addWidget(Edit30);
    instruments->addWidget(caption(QT_TR_NOOP("Pauza")));
    instruments->addWidget(Edit31);
    instruments->addStretch();
    layout->addLayout(instruments, 4, 0, 1, 4);

    CheckBox14 = checkBox("CheckBox14", QT_TR_NOOP("Wyciszaj"), false);
    CheckBox15 = checkBox("CheckBox15", QT_TR_NOOP("F1"), false);
    layout->addWidget(CheckBox14, 5, 0, 1, 2);
    layout->addWidget(CheckBox15, 5, 2, 1, 2);
    return box;
}

} // namespace tremora
