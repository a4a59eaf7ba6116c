// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controllers/SlicedWalk.h"
#include "table/ReportRow.h"
#include "table/ReportTableModel.h"

#include <QObject>

namespace tremora
{

class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The report table ControlPanel1: the only way rows enter it (Wysw_tab1), the listings of the
/// last days (Button2Click .. Button5Click), the record counter and the energy totals under the
/// search panel, and the span chooser ComboBox2 beside "Symulacja".
class ReportTable final : public QObject
{
    Q_OBJECT
public:
    /// Sets up ControlPanel1 over the table's rows and connects the four buttons and ComboBox2.
    ReportTable(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);

    ReportTableModel& model();

    /// Appends the row of catalogue record n (1-based), the nearest place in the language chosen
    /// in the settings, and adds its energy to the totals. A record of magnitude 0, or an index
    /// outside the catalogue, adds nothing.
    void Wysw_tab1(int n);

    /// Lists the newest records back to d days before today, newest first, at most
    /// TableRowLimit records visited, in slices; then shows the counter and the totals.
    void Wysw_tab_czas(quint16 d);
    /// A listing of the last days is still walking the catalogue.
    bool walkRunning() const { return m_walk.running(); }

    void Button2Click(); // "Dziś"
    void Button3Click(); // "7 dni"
    void Button4Click(); // "1 miesiąc"
    void Button5Click(); // "3 miesiące"

    /// Moves the period start (DateTimePicker1) to today minus the span chosen in ComboBox2,
    /// keeping its time of day, and shows the same span in ComboBox1.
    void ComboBox2Change();

    /// Empties the table; the totals and labels stay until the listing sets them.
    void clearTable();
    /// Writes the energy totals into Label36 ("... J") and Label37 ("... Wh").
    void showTotals();

    /// Holds back the views' updates while a listing appends many rows; the rows appear
    /// together when the last batch ends. Listings of many rows should keep one alive.
    ReportTableModel::AppendBatch batch();

private:
    void setUpView();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    SlicedWalk m_walk;
};

} // namespace tremora
