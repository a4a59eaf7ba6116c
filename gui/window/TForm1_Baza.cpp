// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Baza": the report list and the two charts, with the search panel, the listings of the
// last days and the location picture on the right.
#include "charts/ChartContents.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/ColumnScrollArea.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/TrackBar.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/TForm1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tremora
{

using namespace controls;

namespace
{

constexpr int kNumberEditWidth = 56;
constexpr int kZoomMin = 2;
constexpr int kZoomMax = 17;
constexpr int kZoomDefault = 7;
ChartView* makeChart(const char* name, ChartContent content)
{
    auto* view = named(new ChartView, name);
    view->setContent(std::move(content));
    return view;
}

QHBoxLayout* rangeRow(QCheckBox* box, QLineEdit* from, QLineEdit* to)
{
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(from);
    row->addWidget(caption(QT_TRANSLATE_NOOP("tremora::TForm1", "do")));
    row->addWidget(to);
    return row;
}

// The SearchPanel controller writes the conjunction, which follows the radio buttons.
QLabel* conjunction(const char* name)
{
    auto* l = named(new QLabel(translated(QT_TRANSLATE_NOOP("tremora::TForm1", "i"))), name);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("color: #1c3a6e; font-style: italic;"));
    return l;
}

} // namespace

QWidget* TForm1::buildBaseTab()
{
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(buildBasePages(), 1);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->setSpacing(4);
    sideLayout->addWidget(buildSearchPanel());

    auto* recent = group(QT_TR_NOOP("Pokaż oststnie"));
    auto* recentLayout = new QHBoxLayout(recent);
    recentLayout->setContentsMargins(4, 4, 4, 4);
    Button2 = button("Button2", QT_TR_NOOP("Dziś"));
    Button3 = button("Button3", QT_TR_NOOP("7 dni"));
    Button4 = button("Button4", QT_TR_NOOP("1 miesiąc"));
    Button5 = button("Button5", QT_TR_NOOP("3 miesiące"));
    for (QPushButton* b : { Button2, Button3, Button4, Button5 }) {
        b->setStyleSheet(QStringLiteral("padding: 3px 4px;"));
        recentLayout->addWidget(b);
    }
    sideLayout->addWidget(recent);
    sideLayout->addWidget(buildLocationPanel());
    sideLayout->addStretch();

    // The panel is taller than a small screen; it scrolls rather than squeezing its controls.
    auto* scroll = named(new ColumnScrollArea(side, kBaseSidePanelWidth), "BaseSidePanel");
    layout->addWidget(scroll);
    return page;
}

QWidget* TForm1::buildSearchPanel()
{
    auto* panel = group(QT_TR_NOOP("Wyszukiwanie"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(2);

    DateTimePicker3 = named(new DateTimePicker, "DateTimePicker3");
    DateTimePicker4 = named(new DateTimePicker, "DateTimePicker4");
    auto* dates = new QHBoxLayout;
    dates->addWidget(caption(QT_TR_NOOP("Data od")));
    dates->addWidget(DateTimePicker3, 1);
    dates->addWidget(caption(QT_TR_NOOP("do")));
    dates->addWidget(DateTimePicker4, 1);
    layout->addLayout(dates);

    CheckBox2 = checkBox("CheckBox2", QT_TR_NOOP("Magnituda od"), false);
    Edit10 = edit("Edit10", QStringLiteral("5,0"), kNumberEditWidth);
    Edit11 = edit("Edit11", QStringLiteral("9,9"), kNumberEditWidth);
    CheckBox3 = checkBox("CheckBox3", QT_TR_NOOP("Głebokość od"), false);
    Edit6 = edit("Edit6", QStringLiteral("0,0"), kNumberEditWidth);
    Edit9 = edit("Edit9", QStringLiteral("1000"), kNumberEditWidth);
    CheckBox4 = checkBox("CheckBox4", QT_TR_NOOP("Długość geog.od"), false);
    Edit13 = edit("Edit13", QStringLiteral("-180,0"), kNumberEditWidth);
    Edit14 = edit("Edit14", QStringLiteral("180,0"), kNumberEditWidth);
    CheckBox5 = checkBox("CheckBox5", QT_TR_NOOP("Szerokość ge. od"), false);
    Edit15 = edit("Edit15", QStringLiteral("-90,0"), kNumberEditWidth);
    Edit16 = edit("Edit16", QStringLiteral("90,0"), kNumberEditWidth);
    Label17 = conjunction("Label17");
    Label18 = conjunction("Label18");
    Label19 = conjunction("Label19");

    layout->addLayout(rangeRow(CheckBox2, Edit10, Edit11));
    layout->addWidget(Label17);
    layout->addLayout(rangeRow(CheckBox3, Edit6, Edit9));
    layout->addWidget(Label18);
    layout->addLayout(rangeRow(CheckBox4, Edit13, Edit14));
    layout->addWidget(Label19);
    layout->addLayout(rangeRow(CheckBox5, Edit15, Edit16));

    RadioButton8 = radio("RadioButton8", QT_TR_NOOP("i"), true);
    RadioButton9 = radio("RadioButton9", QT_TR_NOOP("lub"), false);
    Button1 = button("Button1", QT_TR_NOOP("Pokaż przefiltrowane"));
    auto* action = new QHBoxLayout;
    action->addWidget(RadioButton8);
    action->addWidget(RadioButton9);
    action->addWidget(Button1, 1);
    layout->addLayout(action);

    Label29 = named(new QLabel(QStringLiteral("0")), "Label29");
    Label36 = named(new QLabel(QStringLiteral("0 J")), "Label36");
    Label37 = named(new QLabel(QStringLiteral("0 Wh")), "Label37");
    auto* totals = new QGridLayout;
    totals->addWidget(caption(QT_TR_NOOP("Rek.:")), 0, 0);
    totals->addWidget(Label29, 0, 1);
    totals->addWidget(caption(QT_TR_NOOP("Energia:")), 1, 0);
    totals->addWidget(Label36, 1, 1);
    totals->addWidget(Label37, 1, 2);
    for (QLabel* l : { Label29, Label36, Label37 })
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1c3a6e;"));
    layout->addLayout(totals);

    DsFancyButton5 = button("DsFancyButton5", QT_TR_NOOP("Mag"));
    DsFancyButton6 = button("DsFancyButton6", QT_TR_NOOP("Energia"));
    DsFancyButton8 = button("DsFancyButton8", QT_TR_NOOP("G-R"));
    CheckBox12 = checkBox("CheckBox12", QT_TR_NOOP("Log"), true);
    auto* charts = new QHBoxLayout;
    charts->addWidget(DsFancyButton5);
    charts->addWidget(DsFancyButton6);
    charts->addWidget(DsFancyButton8);
    charts->addWidget(CheckBox12);
    layout->addLayout(charts);
    return panel;
}

QWidget* TForm1::buildLocationPanel()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    Panel13 = named(new QFrame, "Panel13");
    Panel13->setFrameShape(QFrame::StyledPanel);
    auto* zoom = new QGridLayout(Panel13);
    zoom->setContentsMargins(4, 2, 4, 2);
    CheckBox11 = checkBox("CheckBox11", QT_TR_NOOP("Automatycznie importuj zdjęcie lokalizacji"), true);
    TrackBar1 = named(new TrackBar(Qt::Horizontal), "TrackBar1");
    TrackBar1->setRange(kZoomMin, kZoomMax);
    TrackBar1->setValue(kZoomDefault);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    Label35 = named(new QLabel(QStringLiteral("16384 x")), "Label35");
    zoom->addWidget(CheckBox11, 0, 0, 1, 2);
    zoom->addWidget(TrackBar1, 1, 0);
    zoom->addWidget(Label35, 1, 1);
    layout->addWidget(Panel13);

    Button11 = button("Button11", QT_TR_NOOP("Wyświetl"));
    Edit20 = edit("Edit20", QString());
    Edit20->setReadOnly(true);
    auto* row = new QHBoxLayout;
    row->addWidget(Button11);
    row->addWidget(Edit20, 1);
    layout->addLayout(row);

    // The marker canvas lies exactly over the picture.
    auto* picture = new QWidget;
    picture->setFixedSize(kTileSide, kTileSide);
    auto* stack = new QGridLayout(picture);
    stack->setContentsMargins(0, 0, 0, 0);
    Image19 = named(new MapImage, "Image19");
    QPalette empty = Image19->palette();
    empty.setColor(QPalette::Window, QColor(40, 46, 56));
    Image19->setPalette(empty);
    PaintBox2 = named(new PaintBox, "PaintBox2");
    stack->addWidget(Image19, 0, 0);
    stack->addWidget(PaintBox2, 0, 0);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    Edit21 = edit("Edit21", QString());
    Edit22 = edit("Edit22", QString());
    Edit23 = edit("Edit23", QString());
    Edit24 = edit("Edit24", QString());
    Edit25 = edit("Edit25", QStringLiteral("10,0"));
    Edit26 = edit("Edit26", QStringLiteral("50,89"));
    Edit27 = edit("Edit27", QStringLiteral("15,025"));
    Button13 = button("Button13", nullptr);
    for (QWidget* hidden : std::initializer_list<QWidget*> {
             Edit21, Edit22, Edit23, Edit24, Edit25, Edit26, Edit27, Button13 }) {
        hidden->setParent(box);
        hidden->hide();
    }
    return box;
}

QWidget* TForm1::buildBasePages()
{
    PageControl4 = named(new QTabWidget, "PageControl4");

    ControlPanel1 = named(new QTableView, "ControlPanel1");
    ControlPanel1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ControlPanel1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ControlPanel1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ControlPanel1->setShowGrid(true);
    ControlPanel1->setAlternatingRowColors(true);
    ControlPanel1->verticalHeader()->hide();
    ControlPanel1->verticalHeader()->setDefaultSectionSize(18);
    // The columns are narrow (a date gets 70 px): a condensed face keeps whole dates readable.
    QFont tableFont = ControlPanel1->font();
    tableFont.setStretch(QFont::Condensed);
    ControlPanel1->setFont(tableFont);
    addTab(PageControl4, ControlPanel1, QT_TR_NOOP("Baza USGS"));

    DBChart1 = makeChart("DBChart1", emptyChart(kMagnitudeTitle, ValueFormat::Plain));
    DBChart2 = makeChart("DBChart2", emptyChart(kEnergyTitle, ValueFormat::GWh));
    DBChart3
        = makeChart("DBChart3", distributionChart(MagnitudeDistribution {}, chartTitle(kDistributionTitle)));
    addTab(PageControl4, DBChart1, QT_TR_NOOP("Magnituda"));
    addTab(PageControl4, DBChart2, QT_TR_NOOP("Energia"));
    addTab(PageControl4, DBChart3, QT_TR_NOOP("Rozkład magnitud"));
    return PageControl4;
}

} // namespace tremora
