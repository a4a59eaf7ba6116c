// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

class Dialogs;
class TForm1;
struct ProgramState;

/// Loads the catalogue file and shows the catalogue summary (count, first and last date, last
/// time) in the settings tab and the load status in the status bar. Used at start-up and after
/// each update that saved the catalogue.
class CatalogueView
{
public:
    CatalogueView(TForm1& form, ProgramState& state, Dialogs& dialogs);

    static inline const QString kLoadedText = QStringLiteral("Baza USGS odczytana poprawnie.");
    static inline const QString kMissingText = QStringLiteral("Brak bazy USGS...");
    static inline const QString kPartialText = QStringLiteral("Baza USGS odczytana częściowo.");
    /// Status panel that carries the general messages.
    static constexpr int kStatusPanel = 4;

    void Wczytaj_baze();
    /// Writes the summary labels from the catalogue as it is; an empty catalogue leaves them.
    void showSummary();

private:
    TForm1& m_form;
    ProgramState& m_state;
    Dialogs& m_dialogs;
};

} // namespace tremora
