// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QItemSelection;

namespace tremora
{

class CriteriaGroup;
class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// A selected row of the report table: its texts are remembered (Klik), its point is shown in
/// Edit20 and, with CheckBox11 checked, its location picture is asked for. The entries of
/// BarPopupMenu1 copy the point, or a box of about 100 km around it, into the search criteria
/// or into the warning criteria.
class RowActions final : public QObject
{
    Q_OBJECT
public:
    RowActions(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events,
        CriteriaGroup& search, CriteriaGroup& warnings);

    /// A row's selection changed (either way): remember its texts, ask for the picture, show
    /// "lat,lon" in Edit20.
    void Klik(int row);

    void Kopiujlokalizacjdowyszukiwania1Click(); // the point into the search criteria
    void jwwpromieniu100km1Click(); // the box into the search criteria
    void Kopiujlokalizacjdoostrzee1Click(); // the point into the warning criteria
    void jwwpromieniu100km2Click(); // the box into the warning criteria

private:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    bool haveSelection() const;
    void showWarningFilters();

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    CriteriaGroup& m_search;
    CriteriaGroup& m_warnings;
};

} // namespace tremora
