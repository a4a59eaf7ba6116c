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

#include <memory>
#include <optional>

namespace tremora
{

namespace
{

// Where "Pokaż przefiltrowane" stands between two slices: it walks from the newest record down.
struct FilteredListing {
    FilteredListing(ReportTableModel& model, QLabel& counterLabel, int count)
        : next(count)
        , total(count)
        , counter(counterLabel)
        , rows(model)
    {
    }
    int next;
    int total;
    int matches = 0;
    ListingCounter counter;
    // Rows appear together when the walk is through.
    ReportTableModel::AppendBatch rows;
};

} // namespace

SearchPanel::SearchPanel(
    TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, CriteriaGroup& criteria)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_criteria(criteria)
    , m_walk(platform.dialogs, events, *form.StatusBar1)
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

    const PlaceLanguage language = placeLanguage(f.RadioButton1->isChecked(), f.RadioButton2->isChecked());
    m_walk.start([this, criteria = *criteria, language] {
        m_state.clearListing();
        auto listing = std::make_shared<FilteredListing>(m_state.reportRows, *m_form.Label29,
            std::min(m_state.catalogue.CatalogueCount, kCatalogueCapacity));
        return SlicedWalk::Walk {
            [this, criteria, language, listing] {
                FilteredListing& l = *listing;
                const QuakeRecord* records = m_state.catalogue.slots();
                int looked = 0;
                int made = 0;
                while (l.next >= 1 && l.matches < TableRowLimit && looked < SlicedWalk::kSliceRecords
                    && made < SlicedWalk::kSliceRows) {
                    const int i = l.next--;
                    ++looked;
                    if (!MatchesSearch(records[i], criteria))
                        continue;
                    m_state.Wysw_tab1(i, language);
                    ++l.matches;
                    ++made;
                    if (m_state.ShownQuakes.append(records[i], kShownCapacity))
                        l.counter.count(m_state.ShownQuakes.ShownCount);
                }
                const bool through = l.next < 1 || l.matches >= TableRowLimit;
                return SlicedWalk::Progress { l.total - std::max(l.next, 0), l.total, through };
            },
            [this, listing] {
                const int matches = listing->matches;
                if (matches == TableRowLimit)
                    m_platform.dialogs.warning(
                        QCoreApplication::translate("tremora::RecentListing", kTableRowLimitMessage));
                m_form.Label29->setText(QString::number(matches));
                Q_EMIT m_events.listingFinished();
                Q_EMIT m_events.shownQuakesChanged();
            }
        };
    });
}

} // namespace tremora
