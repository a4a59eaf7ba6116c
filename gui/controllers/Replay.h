// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "replay/ReplayStepper.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace tremora
{

class MidiOut;
class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The replay in time: "Symulacja" (Button8) with its speed bar ScrollBar1, the sound settings
/// (CheckBox13 "MIDI", CheckBox14, CheckBox15, Edit29, Edit30, Edit31) and Timer4. The stepper
/// does the replay; this reads the controls, draws, logs, and wakes the stepper after each of its
/// pauses, so the window goes on meanwhile. Closing the window ends a replay with all notes off.
class Replay final : public QObject, private ReplayView
{
    Q_OBJECT
public:
    /// "Symulacja" refuses a map control smaller than this either way.
    static constexpr int kMinMapSide = 100;
    static constexpr const char* kMapTooSmallText = QT_TR_NOOP("Zbyt mała mapa, powiększ okno programu...");

    /// Plays through the platform's MIDI output, or the system's when it brings none.
    Replay(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);
    ~Replay() override;

    /// "Symulacja": (re)starts a replay from the period start.
    void Button8Click();
    /// A tick of Timer4.
    void Timer4Timer();
    /// "MIDI" clicked, either way: reopens the output at full volume.
    void CheckBox13Click();
    /// Ends a running replay at once, all notes off.
    void stopReplay();
    /// The catalogue was loaded anew: a running replay carries on from the record it had reached.
    void catalogueReloaded();

    bool isRunning() const { return m_stepper.running(); }
    const ReplayStepper& stepper() const { return m_stepper; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawQuake(const QuakeRecord& record) override;
    void logLine(const QString& line) override;
    void setStatus(const QString& text) override;

    /// The settings of the controls now; the number boxes keep their last good value when they no
    /// longer hold a number (a run already started with good ones).
    ReplaySettings settings();
    /// The name of the first number box that does not hold a whole number.
    std::optional<QString> faultyNumberBox() const;
    void follow(ReplayStepper::Next next);
    void wake(unsigned generation);

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    std::unique_ptr<MidiOut> m_systemMidi; // when the platform brings none
    MidiOut& m_midi;
    ReplayStepper m_stepper;
    ReplaySettings m_lastGood;
    // A pause outlived by a restart or a stop must not wake the run that follows.
    unsigned m_generation = 0;
};

} // namespace tremora
