// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Charts.h"

#include "charts/ChartContents.h"
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

namespace tremora
{

namespace
{

constexpr int kMouseXPanel = 2;
constexpr int kMouseYPanel = 3;

} // namespace

Charts::Charts(
    TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, CriteriaGroup& search)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_search(search)
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
    m_state.clearListing(ProgramState::Emptied::ShownList);
    m_periods[MagnitudeChart] = { m_form.DateTimePicker3->value(), m_form.DateTimePicker4->value() };
    const QString title
        = periodTitle(kMagnitudeTitle, m_form.DateTimePicker3->value(), m_form.DateTimePicker4->value());
    m_form.DBChart1->setContent(
        magnitudeChart(magnitudeSeries(m_state.catalogue, *criteria, m_state.ShownQuakes), title));
    Q_EMIT m_events.shownQuakesChanged();
}

void Charts::DsFancyButton6Click()
{
    const std::optional<SearchCriteria> criteria = selection(TForm1::TabEnergy);
    if (!criteria)
        return;
    m_state.clearListing(ProgramState::Emptied::ShownList);
    const double from = m_form.DateTimePicker3->value();
    m_periods[EnergyChart] = { from, m_form.DateTimePicker4->value() };
    const QString title = periodTitle(kEnergyTitle, from, m_form.DateTimePicker4->value());
    m_form.DBChart2->setContent(
        energyChart(energySeries(m_state.catalogue, *criteria, from, m_platform.clock.today()), title));
    Q_EMIT m_events.shownQuakesChanged();
}

void Charts::DsFancyButton8Click()
{
    const std::optional<SearchCriteria> criteria = selection(TForm1::TabDistribution);
    if (!criteria)
        return;
    m_periods[DistributionChart] = { m_form.DateTimePicker3->value(), m_form.DateTimePicker4->value() };
    m_distribution = magnitudeDistribution(selectedMagnitudes(m_state.catalogue, *criteria));
    const QString title
        = periodTitle(kDistributionTitle, m_form.DateTimePicker3->value(), m_form.DateTimePicker4->value());
    m_form.DBChart3->setContent(distributionChart(m_distribution, title));
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
