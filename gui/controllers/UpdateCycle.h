// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueUpdate.h"

#include <QObject>
#include <QString>

namespace tremora
{

class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The update's controls: the update button, the periodic timer Timer2 with its interval in
/// Edit12, the one-shot Timer5, the lamp and the button's caption colour (Timer7). It owns Timer2
/// and Timer5, and decides what becomes of them when the program events say that a long job, a
/// chosen day or a listing took the window.
///
/// The update itself (CatalogueUpdate) runs by events, so the window keeps answering while it
/// runs; meanwhile a second start is refused, and closing the window ends the update without
/// saving. This controller only moves what the update reports to the controls.
///
/// A replay may run meanwhile: it owns the log and the map then, so the update writes no log
/// lines and no day display follows it; the status bar says what the update does.
class UpdateCycle final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kDefaultIntervalText = QStringLiteral("5");
    static constexpr int kMsPerMinute = 60'000;
    static constexpr int kRetries = CatalogueUpdate::kRetries;
    static constexpr int kRetryPauseMs = CatalogueUpdate::kRetryPauseMs;

    UpdateCycle(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);
    ~UpdateCycle() override;

    /// Starts one whole update. Returns false when refused because an update is already running.
    /// A ConversionError from a reply ends it with the lamp red and nothing saved.
    bool Akt_Bazy();

    void DsFancyButton4Click();
    void Timer2Timer();
    void Timer5Timer();
    /// Another area took the window over: Timer5 stops, and neither its deferred work nor the day
    /// a running update would show afterwards comes.
    void Timer5Off();
    /// Sets Timer2's interval from Edit12 (minutes); a text that is no number becomes "5".
    void Zmiana_timera();
    void Timer7Timer();

    bool isRunning() const { return m_update.isRunning(); }
    /// The update is writing the catalogue file on its worker.
    bool isSaving() const { return m_update.isSaving(); }
    /// Path of the reply file in the working folder.
    QString replyPath() const { return m_update.replyPath(); }
    /// The update, for those who wait for its end (tests, benchmarks).
    CatalogueUpdate& update() { return m_update; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectUpdate();
    void updateFinished(CatalogueUpdate::Outcome outcome, const QString& message);
    void showCatalogueDates();
    void setLamp(bool updating);
    void switchTimer2On();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    CatalogueUpdate m_update;
    bool m_longJobRunning = false; // a long job (a display in slices) owns the log
    bool m_busyCursor = false; // set while the worker saves the catalogue
    bool m_dayAfterUpdate = false; // Timer5 started the running update and shows the day after it
    bool m_timer5AfterUpdate = false; // the button started it; Timer5 follows its end
    bool m_replayRunning = false; // a replay holds the log and the map
    QString m_lastFailure; // the error of the last failed update, until one completes
};

} // namespace tremora
