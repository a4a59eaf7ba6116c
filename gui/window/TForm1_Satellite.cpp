// SPDX-License-Identifier: GPL-3.0-or-later
// The tab "Mapa satelitarna": a four by four grid of satellite tiles and its zoom.
#include "gui/widgets/MapImage.h"
#include "gui/widgets/TrackBar.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/TForm1.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

namespace tremora
{

using namespace controls;

namespace
{
constexpr int kGridSide = 4;
constexpr int kZoomMin = 1;
constexpr int kZoomMax = 17;
constexpr int kZoomDefault = 1;
constexpr const char* kWebMapLink = "https://www.openstreetmap.org/#map=7/50.89/15.025";
} // namespace

QWidget* TForm1::buildSatelliteTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* grid = new QWidget;
    grid->setStyleSheet(QStringLiteral("background: #10151c;"));
    auto* gridLayout = new QGridLayout(grid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    // Named column by column, top to bottom: Image2..Image5 are the first column.
    MapImage** tiles[] = { &Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8, &Image9, &Image10,
        &Image11, &Image12, &Image13, &Image14, &Image15, &Image16, &Image17 };
    for (int i = 0; i < kGridSide * kGridSide; ++i) {
        auto* tile = new MapImage;
        tile->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        tile->setFixedSize(kTileSide, kTileSide);
        gridLayout->addWidget(tile, i % kGridSide, i / kGridSide);
        *tiles[i] = tile;
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(grid);
    scroll->setAlignment(Qt::AlignCenter);
    layout->addWidget(scroll, 1);

    Button9 = button("Button9", QT_TR_NOOP("Wyświetl lokalizację"));
    TrackBar2 = named(new TrackBar(Qt::Horizontal), "TrackBar2");
    TrackBar2->setRange(kZoomMin, kZoomMax);
    TrackBar2->setValue(kZoomDefault);
    TrackBar2->setTickPosition(QSlider::TicksBelow);
    TrackBar2->setFixedWidth(300);
    auto* controlsRow = new QHBoxLayout;
    controlsRow->addWidget(Button9);
    controlsRow->addWidget(caption(QT_TR_NOOP("Powiększenie")));
    controlsRow->addWidget(TrackBar2);
    controlsRow->addStretch();
    layout->addLayout(controlsRow);

    Button10 = button("Button10", nullptr);
    Label21 = named(new QLabel, "Label21");
    Edit28 = edit("Edit28", QString::fromLatin1(kWebMapLink));
    for (QWidget* hidden : std::initializer_list<QWidget*> { Button10, Label21, Edit28 }) {
        hidden->setParent(page);
        hidden->hide();
    }
    return page;
}

} // namespace tremora
