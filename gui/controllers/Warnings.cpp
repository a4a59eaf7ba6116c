// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Warnings.h"

#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/Guarded.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/Tray.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <utility>

namespace tremora
{

Warnings::Warnings(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, Tray& tray,
    CriteriaGroup& criteria)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_tray(tray)
    , m_criteria(criteria)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.RadioButton10, &QRadioButton::toggled, this, &Warnings::Zm_wart_alerty);
    connectGuarded(dialogs, &m_events, &ProgramEvents::recordsArrived, this, &Warnings::recordsArrived);
    // Records held by a faulty box are checked as soon as the user mends the criteria.
    m_criteria.onChange(this, [this] {
        if (!m_faultyBoxes)
            return;
        if (m_updating)
            m_checkAfterUpdate = true;
        else
            guarded(m_platform.dialogs, [this] { Alerty(); });
    });
    connect(&m_events, &ProgramEvents::catalogueUpdating, this, [this](bool updating) {
        m_updating = updating;
        if (updating || !std::exchange(m_checkAfterUpdate, false))
            return;
        // After the update's own news (recordsArrived), which may have checked them already.
        QTimer::singleShot(0, this, [this] {
            if (m_faultyBoxes && !m_updating)
                guarded(m_platform.dialogs, [this] { Alerty(); });
        });
    });
    connect(&m_events, &ProgramEvents::languageChanged, this, &Warnings::Zm_wart_alerty);
    Zm_wart_alerty();
}

void Warnings::Zm_wart_alerty()
{
    m_criteria.showConjunction();
}

void Warnings::catalogueLoaded()
{
    m_state.LastAlertIndex = m_state.catalogue.CatalogueCount;
    m_state.PendingAlertIndex = 0;
    m_ledger.settle(m_state.catalogue);
}

void Warnings::recordsArrived(int firstWritten, bool rebuild)
{
    if (rebuild) {
        // A catalogue built from 1973 is history, not news: the next check starts after it.
        catalogueLoaded();
        return;
    }
    int& pending = m_state.PendingAlertIndex;
    pending = pending == 0 ? firstWritten : std::min(pending, firstWritten);
    Alerty();
}

void Warnings::Alerty()
{
    if (const std::optional<QString> fault = m_criteria.fault()) {
        // Every update that brings records checks them: the same fault is said once, not every
        // few minutes, and a box changed since is news again.
        const SearchBoxes boxes = m_criteria.boxes();
        if (boxes != m_faultyBoxes)
            m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, tr(kHeldText) + *fault);
        m_faultyBoxes = boxes;
        return;
    }
    m_faultyBoxes.reset();
    const SearchCriteria criteria = m_criteria.converted();
    const Catalogue& catalogue = m_state.catalogue;
    const int first = alertStart(m_state.LastAlertIndex, m_state.PendingAlertIndex);
    const std::vector<int> matches = m_ledger.check(catalogue, first, criteria);
    m_state.LastAlertIndex = catalogue.CatalogueCount;
    m_state.PendingAlertIndex = 0;
    if (matches.empty())
        return;

    for (const int i : matches)
        m_form.Memo2->appendPlainText(AlertLine(catalogue[i]));
    m_form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    m_form.PageControl3->setCurrentIndex(TForm1::TabWarnings);
    // Notification services queue balloons rather than replace them: one per check, the last.
    m_tray.balloon(
        tr(kBalloonTitle), AlertLine(catalogue[matches.back()]), Tray::BalloonIcon::Info, kBalloonMs);
}

} // namespace tremora
