// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace tremora
{

class CriteriaGroup;
class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// What the mouse does on the map and what the popup menus do with it: the cursor's latitude and
/// longitude in the status bar, a rectangle marked with the left button and copied into the
/// search or the warning criteria, and the blinking of one selected earthquake (Timer1) or of the
/// shown list (Timer3).
class MapInteractions final : public QObject
{
    Q_OBJECT
public:
    /// A cursor position: where it was on the map picture and in the box.
    struct CursorPlace {
        float lon = 0;
        float lat = 0;
        int x = 0;
        int y = 0;
    };

    MapInteractions(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events,
        CriteriaGroup& search, CriteriaGroup& warnings);

    /// Mouse move over PaintBox1: the position under it in status panels 0 to 3.
    void Pozycja(int x, int y);
    /// A button went down on the map: any but the right one alone starts a rectangle and clears
    /// the map.
    void Mapa_klik_wciskany(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    /// The left button went up over the map: the rectangle is drawn.
    void Mapa_klik_puszczany();
    void Kopiujpooenie1Click(); // the rectangle into the search criteria
    void Kopiujpooenieostrzee1Click(); // the rectangle into the warning criteria
    void Pokanamapie1Click(); // blink the selected row's earthquake
    void Pokawszystkonamapie1Click(); // blink the shown list
    void Timer1Timer();
    void Timer3Timer();

    const CursorPlace& cursor() const { return m_cursor; }
    const CursorPlace& dragStart() const { return m_dragStart; }

private:
    /// The last marked rectangle into the boxes of one set of criteria.
    void copyRectangle(CriteriaGroup& criteria);
    void replayStarted();
    void replayFinished();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    CriteriaGroup& m_search;
    CriteriaGroup& m_warnings;
    CursorPlace m_cursor; // lon/lat of the last position on the picture; x/y of the last move
    CursorPlace m_dragStart;
    CursorPlace m_dragEnd;
    bool m_blinkPhase = false; // shared by both blinks
    // The selected earthquake, read from its row's texts when its blink starts.
    float m_selectedLon = 0;
    float m_selectedLat = 0;
    int m_selectedMag10 = 0;
};

} // namespace tremora
