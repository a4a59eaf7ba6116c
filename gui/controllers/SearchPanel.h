// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controllers/SlicedWalk.h"

#include <QObject>

namespace tremora
{

class CriteriaGroup;
class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The search panel of the tab "Baza": the filtered listing "Pokaż przefiltrowane" into the report
/// table and the shown list, and the conjunction labels between the criteria rows. The charts read
/// the same criteria.
class SearchPanel final : public QObject
{
    Q_OBJECT
public:
    SearchPanel(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events,
        CriteriaGroup& criteria);

    /// "Pokaż przefiltrowane": lists the matching records newest first, at most TableRowLimit, in
    /// slices; the rows show when the walk is through.
    void Button1Click();
    /// The listing is still walking the catalogue.
    bool walkRunning() const { return m_walk.running(); }
    /// "i" / "lub" chosen: the labels between the criteria rows say which.
    void Zm_war_baza();

private:
    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    CriteriaGroup& m_criteria;
    SlicedWalk m_walk;
};

} // namespace tremora
