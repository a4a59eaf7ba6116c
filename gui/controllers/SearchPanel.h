// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/SearchFilter.h"

#include <QObject>

namespace tremora
{

class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The eight boxes and the four switches of the search panel as they stand; the filtered listing
/// and the charts read the same selection.
SearchBoxes searchBoxes(const TForm1& form);

/// The search panel of the tab "Baza": the filtered listing "Pokaż przefiltrowane" into the report
/// table and the shown list, and the conjunction labels between the criteria rows.
class SearchPanel final : public QObject
{
    Q_OBJECT
public:
    SearchPanel(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);

    /// The eight boxes and the four switches as they stand.
    SearchBoxes boxes() const;
    /// Checks the checked criteria; warns about the first fault and returns false.
    bool formularz1();
    /// "Pokaż przefiltrowane": lists the matching records newest first, at most TableRowLimit.
    void Button1Click();
    /// "i" / "lub" chosen: the labels between the criteria rows say which.
    void Zm_war_baza();

private:
    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
};

} // namespace tremora
