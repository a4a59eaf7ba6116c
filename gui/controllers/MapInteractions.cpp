// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/MapInteractions.h"

#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/Guarded.h"
#include "gui/controllers/MapCanvas.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/ShownQuakes.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/NumberText.h"
#include "table/RowPosition.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tremora
{

namespace
{

enum CursorPanel { LatitudePanel = 0, LongitudePanel = 1, XPanel = 2, YPanel = 3 };

// A table position counts in units of 0.0001; a magnitude in tenths.
constexpr double kUnitsPerTenth = 1000.0;

} // namespace

MapInteractions::MapInteractions(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events,
    CriteriaGroup& search, CriteriaGroup& warnings)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_search(search)
    , m_warnings(warnings)
{
    TForm1& f = m_form;
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, f.PaintBox1, &PaintBox::mouseMoved, this, &MapInteractions::Pozycja);
    connectGuarded(
        dialogs, f.PaintBox1, &PaintBox::buttonPressed, this, &MapInteractions::Mapa_klik_wciskany);
    connectGuarded(dialogs, f.PaintBox1, &PaintBox::clicked, this, &MapInteractions::Mapa_klik_puszczany);
    connectGuarded(
        dialogs, f.Kopiujpooenie1, &QAction::triggered, this, &MapInteractions::Kopiujpooenie1Click);
    connectGuarded(dialogs, f.Kopiujpooenieostrzee1, &QAction::triggered, this,
        &MapInteractions::Kopiujpooenieostrzee1Click);
    connectGuarded(dialogs, f.Pokanamapie1, &QAction::triggered, this, &MapInteractions::Pokanamapie1Click);
    connectGuarded(dialogs, f.Pokawszystkonamapie1, &QAction::triggered, this,
        &MapInteractions::Pokawszystkonamapie1Click);
    connectGuarded(dialogs, f.Timer1, &QTimer::timeout, this, &MapInteractions::Timer1Timer);
    connectGuarded(dialogs, f.Timer3, &QTimer::timeout, this, &MapInteractions::Timer3Timer);
    // A row selected anew ends the blink of the earthquake selected before.
    connect(&m_events, &ProgramEvents::rowSelectionChanged, m_form.Timer1, &QTimer::stop);
    connect(&m_events, &ProgramEvents::replayStarted, this, &MapInteractions::replayStarted);
    connect(&m_events, &ProgramEvents::replayFinished, this, &MapInteractions::replayFinished);
}

void MapInteractions::Pozycja(int x, int y)
{
    m_cursor.x = x;
    m_cursor.y = y;
    const std::optional<GeoPoint> at = mapPositionAt(mapFit(m_form), x, y);
    if (!at)
        return; // off the picture: the panels keep what they said
    m_cursor.lon = at->lon;
    m_cursor.lat = at->lat;
    // A mouse move comes often: the panels are painted with the next frame, not each at once.
    const StatusBar* bar = m_form.StatusBar1;
    bar->panel(LatitudePanel)->setText(FixedText(m_cursor.lat));
    bar->panel(LongitudePanel)->setText(FixedText(m_cursor.lon));
    bar->panel(XPanel)->setText(QString::number(x));
    bar->panel(YPanel)->setText(QString::number(y));
}

void MapInteractions::Mapa_klik_wciskany(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    // The right button alone opens the popup menu, which copies the rectangle marked before.
    if (buttons == Qt::RightButton && modifiers == Qt::NoModifier)
        return;
    m_dragStart = m_cursor;
    Q_EMIT m_events.mapClearRequested();
}

void MapInteractions::Mapa_klik_puszczany()
{
    m_dragEnd = m_cursor;
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    m_form.PaintBox1->drawRectangle(
        QPoint(m_dragStart.x, m_dragStart.y), QPoint(m_dragEnd.x, m_dragEnd.y), highlight);
}

void MapInteractions::copyRectangle(CriteriaGroup& criteria)
{
    criteria.copyRectangle(m_dragStart.lon, m_dragStart.lat, m_dragEnd.lon, m_dragEnd.lat);
}

void MapInteractions::Kopiujpooenie1Click()
{
    copyRectangle(m_search);
    m_form.PageControl1->setCurrentIndex(TForm1::TabBase);
}

void MapInteractions::Kopiujpooenieostrzee1Click()
{
    copyRectangle(m_warnings);
    m_form.PageControl3->setCurrentIndex(TForm1::TabFilters);
}

void MapInteractions::Pokanamapie1Click()
{
    const ProgramState& s = m_state;
    if (s.SelectedMagText.isEmpty() || s.SelectedLonText.isEmpty() || s.SelectedLatText.isEmpty())
        return;
    // Read once here: a text that is no number gets one error box, not one per blink.
    m_selectedLon = positionDegrees(s.SelectedLonText);
    m_selectedLat = positionDegrees(s.SelectedLatText);
    m_selectedMag10
        = static_cast<int>(std::lround(double(positionUnits(s.SelectedMagText)) / kUnitsPerTenth));
    m_form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    m_form.Timer1->start();
}

void MapInteractions::Pokawszystkonamapie1Click()
{
    m_form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    m_form.Timer3->start();
}

void MapInteractions::Timer1Timer()
{
    m_blinkPhase = !m_blinkPhase;
    const MarkColours colours = m_blinkPhase ? kOrdinaryMark : kBlinkSelectedMark;
    MarkCanvas canvas = mapMarkCanvas(m_form);
    Poz(canvas, static_cast<std::uint8_t>(std::clamp(m_selectedMag10, 0, 255)), colours.fill, m_selectedLon,
        m_selectedLat, colours.outline);
    m_form.PaintBox1->update();
}

void MapInteractions::Timer3Timer()
{
    const int shown = m_state.ShownQuakes.ShownCount;
    if (m_state.catalogue.CatalogueCount == 0 || shown == 0 || m_form.Timer1->isActive())
        return;
    m_form.Timer3->setInterval(blinkIntervalMs(shown));
    m_blinkPhase = !m_blinkPhase;
    drawQuakes(m_form, m_state.ShownQuakes, m_blinkPhase ? kOrdinaryMark : kBlinkShownMark);
}

void MapInteractions::replayStarted()
{
    m_form.Timer1->stop();
    m_form.Timer3->stop();
}

void MapInteractions::replayFinished()
{
    m_form.Timer3->start();
}

} // namespace tremora
