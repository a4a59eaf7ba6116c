// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Charts.h"

#include "charts/ChartContents.h"
#include "charts/ChartSeries.h"
#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/Guarded.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/NumberText.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace tremora
{

namespace
{

constexpr int kMouseXPanel = 2;
constexpr int kMouseYPanel = 3;

// Walks the slots from `next` on for one slice of a chart with `part(first, last)` and says how
// far the walk has got.
template <typename Part> SlicedWalk::Progress walkPart(const Catalogue& catalogue, int& next, Part&& part)
{
    const int total = catalogue.CatalogueCount;
    const int last = next + SlicedWalk::kSliceRecords - 1;
    part(next, last);
    next = last + 1;
    return { std::min(next - 1, total), total, next > total };
}

} // namespace

Charts::Charts(
    TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, CriteriaGroup& search)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_search(search)
    , m_walk(platform.dialogs, events, *form.StatusBar1)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.DsFancyButton5, &QPushButton::clicked, this, &Charts::DsFancyButton5Click);
    connectGuarded(dialogs, m_form.DsFancyButton6, &QPushButton::clicked, this, &Charts::DsFancyButton6Click);
    connectGuarded(dialogs, m_form.DsFancyButton8, &QPushButton::clicked, this, &Charts::DsFancyButton8Click);
    connectGuarded(dialogs, m_form.CheckBox12, &QCheckBox::toggled, this, &Charts::CheckBox12Click);
    connectGuarded(dialogs, m_form.DBChart2, &ChartView::mouseMovedOver, this, &Charts::Mysz_przes_en);
    for (ChartView* chart : { m_form.DBChart1, m_form.DBChart2, m_form.DBChart3 })
        connectGuarded(dialogs, chart, &ChartView::saveFailed, this, &Charts::saveFailed);
    connect(&m_events, &ProgramEvents::languageChanged, this, &Charts::retitle);
    CheckBox12Click();
}

std::optional<SearchCriteria> Charts::selection(int tab)
{
    Q_EMIT m_events.listingTookOver();
    m_form.PageControl4->setCurrentIndex(tab);
    return m_search.criteria();
}

void Charts::DsFancyButton5Click()
{
    const std::optional<SearchCriteria> criteria = selection(TForm1::TabMagnitude);
    if (!criteria)
        return;
    const std::pair<double, double> period { m_form.DateTimePicker3->value(),
        m_form.DateTimePicker4->value() };
    m_walk.start([this, criteria = *criteria, period] {
        m_state.clearListing(ProgramState::Emptied::ShownList);
        auto series = std::make_shared<DaySeries>();
        // Room for every record at once: regrowing 24 MB twice over costs more than the walk.
        const auto room = static_cast<std::size_t>(std::max(m_state.catalogue.CatalogueCount, 0));
        series->values.reserve(room);
        series->days.reserve(room);
        auto next = std::make_shared<int>(1);
        return SlicedWalk::Walk { [this, criteria, series, next] {
                                     return walkPart(m_state.catalogue, *next, [&](int first, int last) {
                                         appendMagnitudes(m_state.catalogue, criteria, first, last, *series,
                                             m_state.ShownQuakes);
                                     });
                                 },
            [this, series, period] {
                trimSeries(*series);
                m_periods[MagnitudeChart] = period;
                m_form.DBChart1->setContent(magnitudeChart(
                    std::move(*series), periodTitle(kMagnitudeTitle, period.first, period.second)));
                Q_EMIT m_events.shownQuakesChanged();
            } };
    });
}

void Charts::DsFancyButton6Click()
{
    const std::optional<SearchCriteria> criteria = selection(TForm1::TabEnergy);
    if (!criteria)
        return;
    const std::pair<double, double> period { m_form.DateTimePicker3->value(),
        m_form.DateTimePicker4->value() };
    const double today = m_platform.clock.today();
    m_walk.start([this, criteria = *criteria, period, today] {
        m_state.clearListing(ProgramState::Emptied::ShownList);
        auto bucketWh = std::make_shared<std::vector<double>>(kEnergyDayBuckets, 0.0);
        auto next = std::make_shared<int>(1);
        return SlicedWalk::Walk { [this, criteria, period, bucketWh, next] {
                                     return walkPart(m_state.catalogue, *next, [&](int first, int last) {
                                         addDayEnergy(m_state.catalogue, criteria, first, last, period.first,
                                             *bucketWh);
                                     });
                                 },
            [this, period, today, bucketWh] {
                m_periods[EnergyChart] = period;
                m_form.DBChart2->setContent(energyChart(energySeriesOf(*bucketWh, period.first, today),
                    periodTitle(kEnergyTitle, period.first, period.second)));
                Q_EMIT m_events.shownQuakesChanged();
            } };
    });
}

void Charts::DsFancyButton8Click()
{
    const std::optional<SearchCriteria> criteria = selection(TForm1::TabDistribution);
    if (!criteria)
        return;
    const std::pair<double, double> period { m_form.DateTimePicker3->value(),
        m_form.DateTimePicker4->value() };
    m_walk.start([this, criteria = *criteria, period] {
        auto mags = std::make_shared<std::vector<std::uint8_t>>();
        auto next = std::make_shared<int>(1);
        return SlicedWalk::Walk { [this, criteria, mags, next] {
                                     return walkPart(m_state.catalogue, *next, [&](int first, int last) {
                                         appendSelectedMagnitudes(
                                             m_state.catalogue, criteria, first, last, *mags);
                                     });
                                 },
            [this, period, mags] {
                m_periods[DistributionChart] = period;
                m_distribution = magnitudeDistribution(*mags);
                m_form.DBChart3->setContent(distributionChart(
                    m_distribution, periodTitle(kDistributionTitle, period.first, period.second)));
            } };
    });
}

void Charts::retitle()
{
    const auto title = [this](ChartIndex chart, const char* prefix) {
        const auto& period = m_periods[chart];
        return period ? periodTitle(prefix, period->first, period->second) : chartTitle(prefix);
    };
    m_form.DBChart1->setTitle(title(MagnitudeChart, kMagnitudeTitle));
    m_form.DBChart2->setTitle(title(EnergyChart, kEnergyTitle));
    // Its axes and legend speak too; the distribution is kept, so nothing is counted again.
    m_form.DBChart3->setContent(
        distributionChart(m_distribution, title(DistributionChart, kDistributionTitle)));
}

void Charts::CheckBox12Click()
{
    const bool on = m_form.CheckBox12->isChecked();
    m_form.DBChart1->setLogarithmic(on);
    m_form.DBChart2->setLogarithmic(on);
}

void Charts::Mysz_przes_en(int x, int y)
{
    m_form.StatusBar1->setPanelText(kMouseXPanel, FixedText(x));
    m_form.StatusBar1->setPanelText(kMouseYPanel, FixedText(y));
}

void Charts::saveFailed(const QString& path)
{
    m_platform.dialogs.error(tr("Nie można zapisać wykresu: %1").arg(path));
}

} // namespace tremora
