// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/RowActions.h"

#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/Guarded.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/ReportTableModel.h"
#include "table/RowPosition.h"

#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

namespace tremora
{

RowActions::RowActions(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events,
    CriteriaGroup& search, CriteriaGroup& warnings)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_search(search)
    , m_warnings(warnings)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.Kopiujlokalizacjdowyszukiwania1, &QAction::triggered, this,
        &RowActions::Kopiujlokalizacjdowyszukiwania1Click);
    connectGuarded(
        dialogs, m_form.jwwpromieniu100km1, &QAction::triggered, this, &RowActions::jwwpromieniu100km1Click);
    connectGuarded(dialogs, m_form.Kopiujlokalizacjdoostrzee1, &QAction::triggered, this,
        &RowActions::Kopiujlokalizacjdoostrzee1Click);
    connectGuarded(
        dialogs, m_form.jwwpromieniu100km2, &QAction::triggered, this, &RowActions::jwwpromieniu100km2Click);
    // The table's model is set before this controller is made, so its selection model stays.
    connect(m_form.ControlPanel1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &RowActions::selectionChanged);
}

void RowActions::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    // Shift-clicks and Ctrl+A select many rows at once (for a copy); only the row the user is on
    // is shown, rather than asking for a picture per row.
    const auto rowCount = [](const QItemSelection& s) {
        qsizetype n = 0;
        for (const QItemSelectionRange& range : s)
            n += range.height();
        return n;
    };
    if (rowCount(selected) > 1 || rowCount(deselected) > 1) {
        const int current = m_form.ControlPanel1->currentIndex().row();
        if (current >= 0)
            guarded(m_platform.dialogs, [this, current] { Klik(current); });
        return;
    }
    // Every row whose state changed, the one left first: moving from A to B runs Klik for A,
    // then for B, so B's picture is the one asked for last.
    for (const QItemSelection* change : { &deselected, &selected }) {
        for (const QItemSelectionRange& range : *change) {
            for (int row = range.top(); row <= range.bottom(); ++row) {
                if (!guarded(m_platform.dialogs, [this, row] { Klik(row); }))
                    return;
            }
        }
    }
}

void RowActions::Klik(int row)
{
    Q_EMIT m_events.rowSelectionChanged();
    const ReportTableModel& rows = m_state.reportRows;
    m_state.SelectedLonText = rows.cell(row, ReportTableModel::Longitude);
    m_state.SelectedLatText = rows.cell(row, ReportTableModel::Latitude);
    m_state.SelectedMagText = rows.cell(row, ReportTableModel::Magnitude);
    if (m_form.CheckBox11->isChecked()) {
        const float lon = positionDegrees(m_state.SelectedLonText);
        const float lat = positionDegrees(m_state.SelectedLatText);
        Q_EMIT m_events.rowPictureRequested(lon, lat);
    }
    m_form.Edit20->setText(
        pointText(rows.cell(row, ReportTableModel::Latitude), rows.cell(row, ReportTableModel::Longitude)));
}

bool RowActions::haveSelection() const
{
    return !m_state.SelectedLonText.isEmpty() && !m_state.SelectedLatText.isEmpty();
}

void RowActions::showWarningFilters()
{
    m_form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    m_form.PageControl3->setCurrentIndex(TForm1::TabFilters);
}

void RowActions::Kopiujlokalizacjdowyszukiwania1Click()
{
    if (haveSelection())
        m_search.copyPoint(m_state.SelectedLonText, m_state.SelectedLatText);
}

void RowActions::jwwpromieniu100km1Click()
{
    if (haveSelection())
        m_search.copyBox(m_state.SelectedLonText, m_state.SelectedLatText);
}

void RowActions::Kopiujlokalizacjdoostrzee1Click()
{
    if (!haveSelection())
        return;
    m_warnings.copyPoint(m_state.SelectedLonText, m_state.SelectedLatText);
    showWarningFilters();
}

void RowActions::jwwpromieniu100km2Click()
{
    if (!haveSelection())
        return;
    m_warnings.copyBox(m_state.SelectedLonText, m_state.SelectedLatText);
    showWarningFilters();
}

} // namespace tremora
