// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace tremora
{

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
    CatalogueView(TForm1& form, ProgramState& state, Dialogs& dialogs, ProgramEvents& events);

    static inline const QString kLoadedText = QStringLiteral("Baza USGS odczytana poprawnie.");
    static inline const QString kMissingText = QStringLiteral("Brak bazy USGS...");
    static inline const QString kPartialText = QStringLiteral("Baza USGS odczytana częściowo.");

    /// Loads the catalogue file; the load is announced as catalogueReloaded.
    void Wczytaj_baze();
    /// Shows the outcome of a load: summary, status text (what gave way in a full catalogue) and,
    /// for a file that could not be read, an error box.
    void showLoad(const LoadResult& result);
    /// Writes the summary labels from the catalogue as it is; an empty catalogue leaves them.
    void showSummary();

private:
    TForm1& m_form;
    ProgramState& m_state;
    Dialogs& m_dialogs;
    ProgramEvents& m_events;
};

} // namespace tremora
