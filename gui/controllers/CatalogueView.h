// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace tremora
{

class Clock;
class Dialogs;
class ProgramEvents;
class TForm1;
struct LoadResult;
struct ProgramState;

/// Loads the catalogue file at start-up, and shows the catalogue summary (count, first and last
/// date, last time) in the settings tab and the load status in the status bar whenever the
/// catalogue is loaded anew (at start-up and after each update that saved it). When old records
/// gave way, it moves the indices the program state holds along with them.
class CatalogueView final : public QObject
{
    Q_OBJECT
public:
    CatalogueView(
        TForm1& form, ProgramState& state, Dialogs& dialogs, const Clock& clock, ProgramEvents& events);

    // Status texts, shown translated.
    static constexpr const char* kLoadedText = QT_TR_NOOP("Baza USGS odczytana poprawnie.");
    static constexpr const char* kMissingText = QT_TR_NOOP("Brak bazy USGS...");
    static constexpr const char* kPartialText = QT_TR_NOOP("Baza USGS odczytana częściowo.");

    /// Loads the catalogue file; the load is announced as catalogueReloaded.
    void Wczytaj_baze();
    /// Shows the outcome of a load: summary, status text (what gave way in a full catalogue).
    /// A file that could not be read whole, or that held damaged records (left out of the
    /// catalogue), is set aside under "Baza_USGS.dat.uszkodzona-<date>" before anything can save
    /// over it, and the user is told so in the status bar and the log; only a file that cannot
    /// be set aside (or not opened at all) gets an error box.
    void showLoad(const LoadResult& result);
    /// Writes the summary labels from the catalogue as it is; an empty catalogue leaves them.
    void showSummary();

private:
    /// A load's news, given once: in the status bar (in the language of the moment), as a line
    /// of the log and, to stay, in "Ostrzeżenia".
    void tellOnce(const std::function<QString()>& text);

    TForm1& m_form;
    ProgramState& m_state;
    Dialogs& m_dialogs;
    const Clock& m_clock;
    ProgramEvents& m_events;
};

} // namespace tremora
