// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/MonthPlan.h"

#include <QObject>
#include <QString>

#include <functional>

namespace tremora
{

class TForm1;
struct Platform;
struct ProgramState;

/// Brings the catalogue up to date from the USGS event service: the update button, the periodic
/// timer Timer2 with its interval in Edit12, the one-shot Timer5, the lamp and the button's
/// caption colour (Timer7).
///
/// One update fetches the missing months one request each into the reply file, parses and merges
/// each reply, and saves and reloads the catalogue at the end when anything changed. Downloads
/// keep the window painting; meanwhile a second start is refused, and closing the window ends the
/// update without saving. A reply refused for matching too many events is fetched again in
/// halves (down to single days); a missing or unrecognised reply is tried again twice first.
class UpdateCycle final : public QObject
{
    Q_OBJECT
public:
    static inline const QString kImportStartText = QStringLiteral("Import bazy z serwera USGS...");
    static inline const QString kReplyReceivedText = QStringLiteral("Poprawnie zaimportowano dane z USGS");
    static inline const QString kNoReplyText = QStringLiteral("Nie otrzymałem pliku z USGS.");
    static inline const QString kSavingText = QStringLiteral("Zapisywanie bazy do pliku...");
    static inline const QString kSavedText = QStringLiteral("Baza zapisana, odczutuję ponownie...");
    static inline const QString kReloadedText = QStringLiteral(" - Baza odczytana...");
    static inline const QString kUpdatedText = QStringLiteral("Aktualizacja: ");
    static inline const QString kDefaultIntervalText = QStringLiteral("5");

    static constexpr int kMsPerMinute = 60'000;
    /// Attempts after the first for a download that brought nothing usable.
    static constexpr int kRetries = 2;
    static constexpr int kRetryPauseMs = 3'000;
    /// HTTP status of the service's answer for a period without events.
    static constexpr int kHttpNoContent = 204;
    /// Status bar panel that shows the progress.
    static constexpr int kStatusPanel = 4;

    UpdateCycle(TForm1& form, ProgramState& state, Platform& platform);
    ~UpdateCycle() override;

    /// The day redraw run by Timer5 after its update (the map display's calendar day).
    void setDayRedraw(std::function<void()> redraw) { m_dayRedraw = std::move(redraw); }

    /// One whole update. Returns false when refused because an update is already running.
    /// A ConversionError from a reply ends it with the lamp red and nothing saved.
    bool Akt_Bazy();
    /// Downloads the period of Edit7..Edit8 into the reply file and logs the outcome.
    void Wczyt_zakres_dat();

    void DsFancyButton4Click();
    void Timer2Timer();
    void Timer5Timer();
    /// Sets Timer2's interval from Edit12 (minutes); a text that is no number becomes "5".
    void Zmiana_timera();
    void Timer7Timer();

    bool isRunning() const { return m_running; }
    /// Path of the reply file in the working folder.
    QString replyPath() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Fetch { Done, NoReply, Refused, Stopped, CatalogueFull };
    enum class ReplyKind { Missing, Catalogue, NoEvents, SearchLimit, Other };

    Fetch fetchPeriod(const MonthRequest& period, int StartCount);
    ReplyKind classifyReply() const;
    void showPeriod(const MonthRequest& period);
    void showProgress(int month, int months, const MonthRequest& request);
    void showCatalogueDates();
    void finishWithSave();
    void log(const QString& line);
    void setLamp(bool updating);
    void switchTimer2On();
    QString updatedLine() const;

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    std::function<void()> m_dayRedraw;
    bool m_running = false;
    bool m_stopRequested = false;
};

} // namespace tremora
