// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Trzęsienia Ziemi": the map with its drawing canvas, the log, the update panel and the
// warning pages under the map.
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/MapPageLayout.h"
#include "gui/window/TForm1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tremora
{

using namespace controls;

namespace
{
constexpr int kLogMinimumWidth = 200;
constexpr int kEditPadding = 16;
constexpr int kNumberEditWidth = 48;
constexpr int kIntervalMaxLength = 3;
} // namespace

QWidget* TForm1::buildQuakesTab()
{
    auto* page = new QWidget;

    // The canvas lies exactly over the picture: both share one grid cell.
    auto* mapArea = new QWidget;
    mapArea->setObjectName(QStringLiteral("MapArea"));
    mapArea->setAttribute(Qt::WA_StyledBackground);
    mapArea->setStyleSheet(QStringLiteral("#MapArea { background: #0b1a33; }"));
    auto* stack = new QGridLayout(mapArea);
    stack->setContentsMargins(0, 0, 0, 0);
    Image1 = named(new MapImage, "Image1");
    QPalette sea = Image1->palette();
    sea.setColor(QPalette::Window, QColor(11, 26, 51));
    Image1->setPalette(sea);
    PaintBox1 = named(new PaintBox, "PaintBox1");
    PaintBox1->setCursor(Qt::CrossCursor);
    PaintBox1->setMouseTracking(true);
    stack->addWidget(Image1, 0, 0);
    stack->addWidget(PaintBox1, 0, 0);

    auto* layout = new MapPageLayout(page, mapArea, buildLowerPanel(), [this] {
        const QSize picture = Image1->picture().size();
        return picture.isEmpty() ? 0.0 : double(picture.width()) / picture.height();
    });
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    // Another picture may have another shape.
    connect(Image1, &MapImage::pictureChanged, layout, &QLayout::invalidate);
    return page;
}

QWidget* TForm1::buildLowerPanel()
{
    auto* panel = new QWidget;
    panel->setMinimumHeight(kLowerPanelHeight);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    Memo1 = named(new LogMemo, "Memo1");
    QFont small = Memo1->font();
    small.setPointSize(7);
    Memo1->setFont(small);
    Memo1->setMinimumWidth(kLogMinimumWidth);

    layout->addWidget(buildUpdatePanel());
    layout->addWidget(Memo1, 1);
    layout->addWidget(buildWarningPages());
    return panel;
}

QWidget* TForm1::buildUpdatePanel()
{
    auto* panel = group(QT_TR_NOOP("Baza USGS"));
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setVerticalSpacing(3);

    DsFancyButton4 = button("DsFancyButton4", QT_TR_NOOP("Aktualizacja bazy USGS"));
    Edit7 = edit("Edit7", QStringLiteral("2011-05-01"));
    Edit8 = edit("Edit8", QStringLiteral("2011-05-06"));
    // As wide as a date, so the panel leaves the log its room.
    for (QLineEdit* day : { Edit7, Edit8 })
        day->setFixedWidth(day->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + kEditPadding);
    CheckBox16 = checkBox("CheckBox16", QT_TR_NOOP("WinXP"), false);
    CheckBox10 = checkBox("CheckBox10", QT_TR_NOOP("Auto. aktualizacja co"), true);
    Edit12 = edit("Edit12", QStringLiteral("3"), 30);
    Edit12->setMaxLength(kIntervalMaxLength);

    layout->addWidget(DsFancyButton4, 0, 0, 1, 3);
    auto* span = new QHBoxLayout;
    span->addWidget(Edit7);
    span->addWidget(new QLabel(QStringLiteral("–")));
    span->addWidget(Edit8);
    span->addStretch();
    layout->addLayout(span, 1, 0, 1, 3);
    layout->addWidget(CheckBox16, 2, 0, 1, 3);
    layout->addWidget(CheckBox10, 3, 0);
    layout->addWidget(Edit12, 3, 1);
    layout->addWidget(caption(QT_TR_NOOP("min.")), 3, 2);
    return panel;
}

QWidget* TForm1::buildWarningPages()
{
    PageControl3 = named(new QTabWidget, "PageControl3");
    PageControl3->setDocumentMode(true);
    PageControl3->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    Memo2 = named(new QPlainTextEdit, "Memo2");
    Memo2->setReadOnly(true);
    Memo2->setStyleSheet(QStringLiteral("color: #d00000;"));
    addTab(PageControl3, Memo2, QT_TR_NOOP("Ostrzeżenia"));

    auto* filters = new QWidget;
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(1);

    CheckBox6 = checkBox("CheckBox6", QT_TR_NOOP("Magnituda >="), true);
    Edit1 = edit("Edit1", QStringLiteral("6,0"), kNumberEditWidth);
    Edit19 = edit("Edit19", QStringLiteral("9,9"), kNumberEditWidth);
    CheckBox9 = checkBox("CheckBox9", QT_TR_NOOP("Głębokość między"), false);
    Edit17 = edit("Edit17", QStringLiteral("0,0"), kNumberEditWidth);
    Edit18 = edit("Edit18", QStringLiteral("3,0"), kNumberEditWidth);
    CheckBox7 = checkBox("CheckBox7", QT_TR_NOOP("Długość geog. między"), false);
    Edit2 = edit("Edit2", QStringLiteral("15,000"), kNumberEditWidth);
    Edit3 = edit("Edit3", QStringLiteral("17,000"), kNumberEditWidth);
    CheckBox8 = checkBox("CheckBox8", QT_TR_NOOP("Szerokość geog. między"), false);
    Edit4 = edit("Edit4", QStringLiteral("51,000"), kNumberEditWidth);
    Edit5 = edit("Edit5", QStringLiteral("53,000"), kNumberEditWidth);
    // The conjunction labels follow the radio buttons; the Warnings controller writes them.
    Label30 = named(new QLabel(translated(QT_TR_NOOP("lub"))), "Label30");
    Label31 = named(new QLabel(translated(QT_TR_NOOP("lub"))), "Label31");
    Label32 = named(new QLabel(translated(QT_TR_NOOP("lub"))), "Label32");
    RadioButton10 = radio("RadioButton10", QT_TR_NOOP("lub"), true);
    RadioButton11 = radio("RadioButton11", QT_TR_NOOP("i"), false);

    QCheckBox* boxes[] = { CheckBox6, CheckBox9, CheckBox7, CheckBox8 };
    QLineEdit* from[] = { Edit1, Edit17, Edit2, Edit4 };
    QLineEdit* to[] = { Edit19, Edit18, Edit3, Edit5 };
    QLabel* conjunctions[] = { Label30, Label31, Label32 };
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(boxes[row], row, 0);
        grid->addWidget(from[row], row, 1);
        grid->addWidget(to[row], row, 2);
        if (row < 3) {
            conjunctions[row]->setStyleSheet(QStringLiteral("color: #1c3a6e; font-style: italic;"));
            grid->addWidget(conjunctions[row], row, 3, 2, 1, Qt::AlignCenter);
        }
    }
    auto* radios = new QVBoxLayout;
    radios->addWidget(RadioButton10);
    radios->addWidget(RadioButton11);
    radios->addStretch();
    grid->addLayout(radios, 0, 4, 4, 1);
    addTab(PageControl3, filters, QT_TR_NOOP("Filtry"));
    return PageControl3;
}

} // namespace tremora
