// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/ReportTable.h"

#include "gui/controllers/Guarded.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/ConversionError.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/Energy.h"
#include "table/PeriodSpan.h"
#include "table/RecentListing.h"
#include "table/ReportRow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <memory>

#include <limits>

namespace tremora
{

namespace
{

// Days back of the buttons of the group "Pokaż ostatnie".
constexpr quint16 kTodayDays = 0;
constexpr quint16 kWeekDays = 6;
constexpr quint16 kMonthDays = 31;
constexpr quint16 kThreeMonthsDays = 92;

// Whole days from `earlier` to `later` for the progress bar; a span that is no number, or none
// an int can hold, counts as none.
int daysBetween(double later, double earlier)
{
    const double days = later - earlier;
    return days >= 0 && days < double(std::numeric_limits<int>::max()) ? static_cast<int>(days) : 0;
}

// Where a listing of the last days stands between two slices.
struct RecentRows {
    RecentRows(ReportTableModel& model, QLabel& counterLabel)
        : counter(counterLabel)
        , rows(model)
    {
    }
    RecentWalk walk;
    ListingCounter counter;
    // Rows appear together when the walk is through.
    ReportTableModel::AppendBatch rows;
};

} // namespace

ReportTable::ReportTable(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_walk(platform.dialogs, events, *form.StatusBar1)
{
    connect(&events, &ProgramEvents::listingFinished, this, &ReportTable::showTotals);
    setUpView();
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.Button2, &QPushButton::clicked, this, &ReportTable::Button2Click);
    connectGuarded(dialogs, m_form.Button3, &QPushButton::clicked, this, &ReportTable::Button3Click);
    connectGuarded(dialogs, m_form.Button4, &QPushButton::clicked, this, &ReportTable::Button4Click);
    connectGuarded(dialogs, m_form.Button5, &QPushButton::clicked, this, &ReportTable::Button5Click);
    connectGuarded(dialogs, m_form.ComboBox2, &QComboBox::activated, this, &ReportTable::ComboBox2Change);
}

void ReportTable::setUpView()
{
    QTableView* view = m_form.ControlPanel1;
    view->setModel(&m_state.reportRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setWordWrap(false);
    // The window pops BarPopupMenu1 up on this request (one connection, so one menu).
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // Every row has the same height, so the view never asks the rows for their size.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < ReportTableModel::ColumnCount; ++c)
        view->setColumnWidth(c, ReportTableModel::columnWidth(c));
}

ReportTableModel& ReportTable::model()
{
    return m_state.reportRows;
}

ReportTableModel::AppendBatch ReportTable::batch()
{
    return ReportTableModel::AppendBatch(m_state.reportRows);
}

void ReportTable::Wysw_tab1(int n)
{
    m_state.Wysw_tab1(n, placeLanguage(m_form.RadioButton1->isChecked(), m_form.RadioButton2->isChecked()));
}

void ReportTable::Wysw_tab_czas(quint16 d)
{
    m_form.PageControl4->setCurrentIndex(TForm1::TabReport);
    const double cutoff = m_platform.clock.today() - d;
    m_walk.start([this, cutoff] {
        m_state.clearListing(ProgramState::Emptied::Table);
        auto listing = std::make_shared<RecentRows>(m_state.reportRows, *m_form.Label29);
        // The walk goes back from the newest record; how far back it is shows how far it got.
        const double newest
            = m_state.catalogue.CatalogueCount > 0 ? m_state.catalogue.newest().OriginDate : cutoff;
        const int span = std::max(daysBetween(newest, cutoff), 1);
        return SlicedWalk::Walk {
            [this, cutoff, newest, span, listing] {
                RecentWalk& walk = listing->walk;
                continueRecentWalk(m_state.catalogue, cutoff, TableRowLimit, SlicedWalk::kSliceRows, walk,
                    [this, listing](int index, int count) {
                        Wysw_tab1(index);
                        listing->counter.count(count);
                    });
                const int reached
                    = walk.next >= 1 ? daysBetween(newest, m_state.catalogue[walk.next].OriginDate) : span;
                return SlicedWalk::Progress { std::min(reached, span), span, walk.through };
            },
            [this, listing] {
                const int visited = listing->walk.visited;
                m_form.Label29->setText(QString::number(visited));
                if (visited == TableRowLimit)
                    m_platform.dialogs.warning(
                        QCoreApplication::translate("tremora::RecentListing", kTableRowLimitMessage));
                showTotals();
            }
        };
    });
}

void ReportTable::Button2Click()
{
    Wysw_tab_czas(kTodayDays);
}

void ReportTable::Button3Click()
{
    Wysw_tab_czas(kWeekDays);
}

void ReportTable::Button4Click()
{
    Wysw_tab_czas(kMonthDays);
}

void ReportTable::Button5Click()
{
    Wysw_tab_czas(kThreeMonthsDays);
}

void ReportTable::ComboBox2Change()
{
    const int item = m_form.ComboBox2->currentIndex();
    const std::optional<int> days = periodSpanDays(item);
    if (!days)
        return;
    m_form.DateTimePicker1->setDay(m_platform.clock.today() - *days);
    // The map's period chooser shows the same span, so both say what the pickers hold (a
    // chooser shown without being picked changes nothing).
    m_form.ComboBox1->setCurrentIndex(kFirstSpanItem + item);
}

void ReportTable::clearTable()
{
    m_state.reportRows.clear();
}

void ReportTable::showTotals()
{
    m_form.Label36->setText(Przel_mno(m_state.EnergySumJ) + QLatin1Char('J'));
    m_form.Label37->setText(Przel_mno(m_state.EnergySumWh) + QStringLiteral("Wh"));
}

} // namespace tremora
