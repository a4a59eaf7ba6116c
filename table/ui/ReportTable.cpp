// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ui/ReportTable.h"

#include "app/window/ProgramState.h"
#include "app/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/ConversionError.h"
#include "platform/Platform.h"
#include "platform/widgets/DateTimePicker.h"
#include "table/Energy.h"
#include "table/PeriodSpan.h"
#include "table/RecentListing.h"
#include "table/ReportRow.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

namespace tremora
{

namespace
{

// The counter label only changes every this many records of a listing.
constexpr int kCounterStep = 100;
// A repaint pushes the window to the screen; more often than this the eye gains nothing and a
// listing of 30,000 rows spends more time showing its counter than listing.
constexpr qint64 kCounterRepaintMs = 40;

// Days back of the buttons of the group "Pokaż ostatnie".
constexpr quint16 kTodayDays = 0;
constexpr quint16 kWeekDays = 6;
constexpr quint16 kMonthDays = 31;
constexpr quint16 kThreeMonthsDays = 92;

} // namespace

ReportTable::ReportTable(TForm1& form, ProgramState& state, Platform& platform)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
{
    setUpView();
    connect(m_form.Button2, &QPushButton::clicked, this, &ReportTable::Button2Click);
    connect(m_form.Button3, &QPushButton::clicked, this, &ReportTable::Button3Click);
    connect(m_form.Button4, &QPushButton::clicked, this, &ReportTable::Button4Click);
    connect(m_form.Button5, &QPushButton::clicked, this, &ReportTable::Button5Click);
    connect(m_form.ComboBox2, &QComboBox::currentIndexChanged, this, &ReportTable::ComboBox2Change);
}

void ReportTable::setUpView()
{
    QTableView* view = m_form.ControlPanel1;
    view->setModel(&m_model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    // The window pops BarPopupMenu1 up on this request (one connection, so one menu).
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // Every row has the same height, so the view never asks the rows for their size.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < ReportTableModel::ColumnCount; ++c)
        view->setColumnWidth(c, ReportTableModel::columnWidth(c));
}

void ReportTable::Wysw_tab1(int n)
{
    Catalogue& catalogue = m_state.catalogue;
    if (n < 1 || n > catalogue.CatalogueCount || n > kCatalogueCapacity)
        return;
    const QuakeRecord& record = catalogue[n];
    if (record.Mag10 == 0)
        return;

    const PlaceLanguage language
        = placeLanguage(m_form.RadioButton1->isChecked(), m_form.RadioButton2->isChecked());
    const QString place = Lok(m_state.placeList, record.Longitude, record.Latitude, language);
    m_model.appendRow(m_formatter.format(n, record, place, m_state.placeList.NearestPlaceDistance));

    // A new row means no row is selected any more.
    m_state.SelectedLonText = QStringLiteral("0");
    m_state.SelectedLatText = QStringLiteral("0");

    const double joules = QuakeEnergyJ(record.Mag10);
    m_state.EnergySumJ += joules;
    m_state.EnergySumWh += joules / kSecondsPerHour;
}

void ReportTable::Wysw_tab_czas(quint16 d)
{
    clearTable();
    m_form.PageControl4->setCurrentIndex(TForm1::TabReport);
    m_state.EnergySumJ = 0;
    m_state.EnergySumWh = 0;

    const double cutoff = m_platform.clock.today() - d;
    int visited = 0;
    m_counterShown.start();
    {
        auto rows = batch();
        visited = walkRecentRecords(m_state.catalogue, cutoff, TableRowLimit, [this](int index, int count) {
            Wysw_tab1(index);
            if (count % kCounterStep == 0)
                showCounter(count);
        });
    }
    m_form.Label29->setText(QString::number(visited));
    if (visited == TableRowLimit)
        m_platform.dialogs.warning(QString::fromUtf8(kTableRowLimitMessage));
    showTotals();
}

void ReportTable::showCounter(int visited)
{
    m_form.Label29->setText(QString::number(visited));
    // The window is not serviced during a listing; only the counter is brought to the screen.
    if (m_counterShown.elapsed() >= kCounterRepaintMs) {
        m_form.Label29->repaint();
        m_counterShown.start();
    }
}

void ReportTable::Button2Click()
{
    guarded(m_platform.dialogs, [this] { Wysw_tab_czas(kTodayDays); });
}

void ReportTable::Button3Click()
{
    guarded(m_platform.dialogs, [this] { Wysw_tab_czas(kWeekDays); });
}

void ReportTable::Button4Click()
{
    guarded(m_platform.dialogs, [this] { Wysw_tab_czas(kMonthDays); });
}

void ReportTable::Button5Click()
{
    guarded(m_platform.dialogs, [this] { Wysw_tab_czas(kThreeMonthsDays); });
}

void ReportTable::ComboBox2Change()
{
    const std::optional<int> days = periodSpanDays(m_form.ComboBox2->currentIndex());
    if (!days)
        return;
    m_form.DateTimePicker1->setDay(m_platform.clock.today() - *days);
}

void ReportTable::clearTable()
{
    m_model.clear();
}

void ReportTable::showTotals()
{
    m_form.Label36->setText(Przel_mno(m_state.EnergySumJ) + QLatin1Char('J'));
    m_form.Label37->setText(Przel_mno(m_state.EnergySumWh) + QStringLiteral("Wh"));
}

} // namespace tremora
