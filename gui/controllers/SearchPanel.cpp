// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/SearchPanel.h"

#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/Guarded.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/Platform.h"
#include "search/SearchFilter.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace tremora
{

namespace
{

// Records between two looks at the clock of the progress bar.
constexpr int kProgressStride = 4096;

} // namespace

SearchPanel::SearchPanel(
    TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, CriteriaGroup& criteria)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_criteria(criteria)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.Button1, &QPushButton::clicked, this, &SearchPanel::Button1Click);
    connectGuarded(dialogs, m_form.RadioButton8, &QRadioButton::toggled, this, &SearchPanel::Zm_war_baza);
    connect(&m_events, &ProgramEvents::languageChanged, this, &SearchPanel::Zm_war_baza);
    Zm_war_baza();
}

void SearchPanel::Zm_war_baza()
{
    m_criteria.showConjunction();
}

void SearchPanel::Button1Click()
{
    TForm1& f = m_form;
    Q_EMIT m_events.listingTookOver();
    f.PageControl4->setCurrentIndex(TForm1::TabReport);
    const std::optional<SearchCriteria> criteria = m_criteria.criteria();
    if (!criteria)
        return;

    m_state.clearListing();
    int matches = 0;
    ListingCounter counter(*f.Label29);
    {
        // Rows appear together when the walk is through.
        const ReportTableModel::AppendBatch batch(m_state.reportRows);
        const PlaceLanguage language
            = placeLanguage(f.RadioButton1->isChecked(), f.RadioButton2->isChecked());
        const Catalogue& catalogue = m_state.catalogue;
        const QuakeRecord* records = catalogue.slots();
        HeldProgress progress(*f.StatusBar1, catalogue.CatalogueCount);
        for (int i = catalogue.CatalogueCount; i >= 1 && matches < TableRowLimit; --i) {
            if (i % kProgressStride == 0)
                progress.step(catalogue.CatalogueCount - i);
            if (!MatchesSearch(records[i], *criteria))
                continue;
            m_state.Wysw_tab1(i, language);
            ++matches;
            if (m_state.ShownQuakes.append(records[i], kShownCapacity))
                counter.count(m_state.ShownQuakes.ShownCount);
        }
    }
    if (matches == TableRowLimit)
        m_platform.dialogs.warning(
            QCoreApplication::translate("tremora::RecentListing", kTableRowLimitMessage));
    f.Label29->setText(QString::number(matches));
    Q_EMIT m_events.listingFinished();
    Q_EMIT m_events.shownQuakesChanged();
}

} // namespace tremora
