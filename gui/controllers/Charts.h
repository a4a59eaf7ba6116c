// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/MagnitudeDistribution.h"
#include "gui/controllers/SlicedWalk.h"
#include "search/SearchFilter.h"

#include <QObject>

#include <array>
#include <optional>
#include <utility>

namespace tremora
{

class CriteriaGroup;
class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The charts of the tab "Baza": "Mag" (the magnitudes of the records the search selects),
/// "Energia" (the energy released per day), "G-R" (their frequency-magnitude distribution), the
/// logarithmic axes of "Log", the mouse position over the energy chart and the failed saves. Each
/// chart walks the catalogue in slices; the chart shows when the walk is through.
class Charts final : public QObject
{
    Q_OBJECT
public:
    Charts(
        TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, CriteriaGroup& search);

    /// "Mag": every selected magnitude in catalogue order; the first of them become the shown
    /// earthquakes.
    void DsFancyButton5Click();
    /// "Energia": the energy per day from the start picker's day through today.
    void DsFancyButton6Click();
    /// "G-R": the frequency-magnitude distribution of the selection with its fitted line.
    void DsFancyButton8Click();
    /// "Log": the vertical axes of the magnitude and energy charts logarithmic or linear.
    void CheckBox12Click();
    /// The mouse over the energy chart: its position in status panels 2 and 3.
    void Mysz_przes_en(int x, int y);
    /// A chart is still walking the catalogue.
    bool walkRunning() const { return m_walk.running(); }

private:
    /// The chart takes the window over: its tab shown, the panel checked and converted; nothing
    /// when a box is faulty (its warning has been shown).
    std::optional<SearchCriteria> selection(int tab);
    void saveFailed(const QString& path);
    /// Puts the charts' titles (and the distribution's words) into the language of the moment.
    void retitle();

    enum ChartIndex { MagnitudeChart, EnergyChart, DistributionChart, ChartCount };
    /// The period each chart shows, from its start day to its end day; none before it is drawn.
    std::array<std::optional<std::pair<double, double>>, ChartCount> m_periods;
    MagnitudeDistribution m_distribution;

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    CriteriaGroup& m_search;
    SlicedWalk m_walk;
};

} // namespace tremora
