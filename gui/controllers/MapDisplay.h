// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapProjection.h"
#include "map/MapSelection.h"
#include "map/MarkPainter.h"
#include "map/QuakeLogLine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <optional>

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
    /// "Wyświetl" walks this many records between two turns of the event loop (about 8 ms over
    /// matching records in an optimised build), so the window answers while it walks two million.
    static constexpr int kDisplaySliceRecords = 32'768;
    /// How often a walk shows its marks so far and its progress: painting the map after every
    /// slice would cost more than the walk.
    static constexpr int kDisplayShowMs = 150;

    /// Connects the map's controls and makes Image1 draw its picture at the projected size.
    MapDisplay(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);

    /// "Wyświetl": draws and logs every earthquake of the map period within the magnitude range,
    /// in slices between turns of the event loop; a catalogue of one slice is done at once. A
    /// second click starts afresh.
    void Button14Click();
    /// "Wyświetl" is still walking the catalogue.
    bool displayRunning() const { return m_display.has_value(); }
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
    /// Where a running "Wyświetl" stands: the period and range it was started with, the next
    /// record and the last one it walks to.
    struct DisplayRun {
        double start = 0;
        double end = 0;
        MagnitudeRange range;
        int next = 1;
        int last = 0;
        QElapsedTimer sinceShown; // since the map and the bar last showed the walk
    };

    void connectControls();
    void displaySlice();
    /// Ends a running "Wyświetl" where it stands: what it drew and logged stays.
    void stopDisplay();
    /// The catalogue was rearranged under a running "Wyświetl": it starts again over the new one.
    void restartDisplay();
    /// Marks and logs one matching record and keeps it in the shown list.
    void showQuake(MarkCanvas& canvas, int position, const QuakeRecord& record);
    void setStatus(const QString& text);
    void finishDrawing();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    QuakeLogLine m_logLine;
    std::optional<DisplayRun> m_display;
    QTimer m_nextSlice;
};

} // namespace tremora
