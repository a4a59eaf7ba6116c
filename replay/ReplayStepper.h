// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapSelection.h"

#include <QCoreApplication>
#include <QString>

namespace tremora
{

class Catalogue;
class Clock;
class MidiOut;
struct QuakeRecord;

/// What a replay reads from its controls, afresh at every step.
struct ReplaySettings {
    bool midi = false; // "MIDI"
    bool muteAfterQuake = false; // "Wyciszaj"
    bool quakeInstruments = false; // "F1": the instruments come from the earthquake itself
    int speed = 2; // the speed bar's position: the pause per simulated minute, in ms
    int pause = 10; // "Pauza", ms, to which each earthquake adds its magnitude in tenths
    int magnitudeInstrument = 6; // "Mag."
    int depthInstrument = 12; // "Głęb."
    MagnitudeRange range;
};

/// Where a replay shows itself.
class ReplayView
{
public:
    virtual ~ReplayView() = default;
    /// Draws the earthquake's mark and has it show at once.
    virtual void drawQuake(const QuakeRecord& record) = 0;
    virtual void logLine(const QString& line) = 0;
    virtual void setStatus(const QString& text) = 0;
};

/// The replay of the catalogue in time, one step per call and no waiting inside: a simulated
/// clock starts at the first earthquake of the period and walks minute by minute; each earthquake
/// is drawn when the clock reaches it, and the one after it is sounded and logged. Where the
/// replay pauses, the step returns and says how long to wait; the caller wakes it with resume().
/// Between ticks it waits for the caller's tick timer and carries on with tick().
class ReplayStepper
{
public:
    Q_DECLARE_TR_FUNCTIONS(tremora::ReplayStepper)

public:
    // Status texts, shown translated.
    static constexpr const char* kRunningText = QT_TR_NOOP("Włączona symulacja...");
    static constexpr const char* kClockText = QT_TR_NOOP("Symulacja czasowa: ");
    static constexpr const char* kEndedText = QT_TR_NOOP("Symulacja zakończona.");

    /// One hour as the replay holds it (a 32-bit float day), the match tolerance either side of
    /// the clock (30 s) and the clock's step (1 minute).
    static constexpr float kHour = 0.041666668f;
    static constexpr double kTolerance = double(kHour) / 120;
    static constexpr double kClockStep = double(kHour) / 60;
    static constexpr int kVelocity = 127;

    enum class Wait {
        Pause, // call resume() after `ms`
        NextTick, // call tick() at the next tick
        Ended, // the run is over
    };
    struct Next {
        Wait wait = Wait::Ended;
        int ms = 0;
    };

    ReplayStepper(const Catalogue& catalogue, const Clock& clock, MidiOut& midi, ReplayView& view);

    /// Places the run at the first record dated no earlier than the day before `periodStart`
    /// (the start picker's date-time). False, and no run, when that is the last record or
    /// beyond: nothing would be replayed.
    bool start(double periodStart);
    /// A tick of the tick timer: replays until it must pause or the tick is through.
    Next tick(const ReplaySettings& settings);
    /// Wakes the run after a pause.
    Next resume(const ReplaySettings& settings);
    /// Ends the run where it is.
    void stop();
    /// The catalogue was loaded anew while the run goes on: the oldest records may have given
    /// way and late ones come in between. The run carries on from the record it had reached,
    /// found again by its time, so nothing is replayed twice or passed over.
    void catalogueMoved();

    bool running() const { return m_phase != Phase::Idle; }
    /// Inside a tick, paused (resume() is due, not tick()).
    bool paused() const { return m_phase == Phase::QuakePause || m_phase == Phase::MinutePause; }

    /// The log line of a replayed earthquake, `listed` its number in the run.
    static QString simulationLine(int listed, const QuakeRecord& record);
    /// The two voices of one earthquake: depth, then magnitude, a program change and a note each.
    static void sound(MidiOut& midi, const QuakeRecord& record, const ReplaySettings& settings);
    static double eventTime(const QuakeRecord& record);

    int SimCursor = 0; // 1-based position of the next record
    double SimClock = 0; // the simulated date-time
    int SimListed = 0; // lines logged in this run

private:
    enum class Phase { Idle, BetweenTicks, LoopTop, QuakePause, Tail, MinutePause };
    /// Runs from the current phase to the next pause or the end of the tick.
    Next run(const ReplaySettings& settings);
    Next endTick();
    Next resumeStep(const ReplaySettings& settings);
    /// Remembers where the cursor is by time, for catalogueMoved(); returns `next`.
    Next noteCursor(Next next);

    const Catalogue& m_catalogue;
    const Clock& m_clock;
    MidiOut& m_midi;
    ReplayView& m_view;
    Phase m_phase = Phase::Idle;
    bool m_matched = false;
    // The time of the record at the cursor after the last step, and how many records before it
    // share that time (the cursor's place among them).
    double m_cursorTime = 0;
    int m_cursorTies = 0;
};

/// The interval of the tick timer for a speed-bar position: (100 - position) * 10 ms, and 1 ms at
/// the far end, where a zero interval would never tick.
int replayTickInterval(int speed);

} // namespace tremora
