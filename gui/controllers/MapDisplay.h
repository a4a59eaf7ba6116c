// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapProjection.h"
#include "map/MapSelection.h"
#include "map/MarkPainter.h"
#include "map/QuakeLogLine.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace tremora
{

class ProgramEvents;
class TForm1;
struct Platform;
struct QuakeRecord;
struct ProgramState;

/// The map display: the period of the pickers and the period chooser, "Wyświetl" and
/// "Wyczyść", the calendar day, and the drawing of marks over the map picture. Every earthquake
/// that reaches the map goes through here (Poz on PaintBox1's overlay), is logged in Memo1 and
/// kept in ShownQuakes for the blinking.
class MapDisplay final : public QObject
{
    Q_OBJECT
public:
    // Status texts, shown translated.
    static constexpr const char* kMapTooSmallText = QT_TR_NOOP("Zbyt mała mapa, powiększ okno programu...");
    static constexpr const char* kCountingText = QT_TR_NOOP("Liczę...");
    static constexpr const char* kDoneText = QT_TR_NOOP("Operacja zakończona.");
    /// "Wyświetl" refuses a map control smaller than this either way.
    static constexpr int kMinMapSide = 100;
    /// The calendar day hands at most this many earthquakes to the report table.
    static constexpr int kDayTableLimit = 10'000;

    /// Connects the map's controls and makes Image1 draw its picture at the projected size.
    MapDisplay(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);

    /// "Wyświetl": draws and logs every earthquake of the map period within the magnitude range.
    void Button14Click();
    /// "Wyczyść": clears the log, the marks and the shown list.
    void Button15Click();
    /// Removes every mark; the picture shows through.
    void Czysc_PaintBox();
    /// ComboBox1 changed: moves the period start back from today, or to the first record.
    void Zmiana_zakresu();
    /// Click on the calendar: stops the automatic update, then shows the day.
    void Kalendarz();
    /// Draws, logs and tabulates the earthquakes of the calendar's day.
    void Kalendarz2();
    /// The start picker closed: not before the first record (today with an empty catalogue).
    void Zm_daty1();
    /// The end picker closed: not after the last record (today with an empty catalogue).
    void Zm_daty2();

    /// The fitted map size from Image1's picture and size now.
    FittedSize fittedSize() const;
    /// The range of the four magnitude spin edits now.
    MagnitudeRange magnitudeRange() const;
    bool InMapMagnitudeRange(int mag10) const;
    /// A canvas over PaintBox1's overlay with the geometry and point size of the moment.
    MarkCanvas markCanvas();
    /// Draws one earthquake on the map (the caller repaints PaintBox1 when done).
    void drawQuake(MarkCanvas& canvas, const QuakeRecord& record, const MarkColours& colours);
    /// Draws the whole shown list in one colour scheme and schedules the repaint (a blink phase).
    void drawShownQuakes(const MarkColours& colours);

private:
    void connectControls();
    /// Marks and logs one matching record and keeps it in the shown list.
    void showQuake(MarkCanvas& canvas, int position, const QuakeRecord& record);
    void setStatus(const QString& text);
    void finishDrawing();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    QuakeLogLine m_logLine;
};

} // namespace tremora
