// SPDX-License-Identifier: GPL-3.0-or-later
// The report table: a listing that stops at the 30,000-row limit, with the nearest place looked
// up over a full place list for every row, then the first paint of the table view; and the same
// through the search panel ("Pokaż przefiltrowane" with every record matching).

#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "bench/support/Timing.h"
#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/ReportTable.h"
#include "gui/controllers/SearchPanel.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace
{

using namespace tremora;
using tremora::bench::Answering;
using tremora::bench::median;
using tremora::bench::whileAnswering;

constexpr double kToday = 46000;
constexpr int kRecords = 40'000;
constexpr quint16 kListedDays = 31;

struct Fixture : fakes::FakePlatform {
    TForm1 form;
    ProgramState state;
    ProgramEvents events;
    CriteriaGroup criteria = CriteriaGroup::search(form, dialogs);
    std::unique_ptr<ReportTable> table;
    std::unique_ptr<SearchPanel> search;

    Fixture()
        : FakePlatform(kToday + 0.5)
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<float> lon(-180, 180);
        std::uniform_real_distribution<float> lat(-80, 80);
        std::uniform_int_distribution<int> mag(0, 80);
        std::uniform_int_distribution<int> depth(0, 7000);

        Catalogue& catalogue = state.catalogue;
        for (int i = 1; i <= kRecords; ++i) {
            QuakeRecord& r = catalogue[i];
            const double t = kToday - kListedDays + (kListedDays + 1.0) * i / (kRecords + 1);
            r.OriginDate = static_cast<double>(static_cast<long long>(t));
            r.OriginTime = t - r.OriginDate;
            r.Longitude = lon(random);
            r.Latitude = lat(random);
            r.Mag10 = static_cast<std::uint8_t>(mag(random));
            r.Depth10 = static_cast<std::uint16_t>(depth(random));
            r.SourceCode = static_cast<std::uint8_t>(i % 4);
        }
        catalogue.CatalogueCount = kRecords;

        PlaceList& places = state.placeList;
        for (int p = 1; p <= kPlaceCapacity; ++p) {
            PlaceRecord& place = places[p];
            place.Longitude = lon(random);
            place.Latitude = lat(random);
            place.Code.assign("PL");
            place.PolishName.assign(QStringLiteral("Miejsce %1 Łódź").arg(p).toUtf8());
            place.EnglishName.assign(QStringLiteral("Place %1").arg(p).toUtf8());
        }
        places.PlaceCount = kPlaceCapacity;

        table = std::make_unique<ReportTable>(form, state, platform, events);
        search = std::make_unique<SearchPanel>(form, state, platform, events, criteria);
        form.resize(1280, 900);
        form.show();
        // The buttons sit on the tab "Baza", beside the table: that is where a listing runs.
        form.PageControl1->setCurrentIndex(TForm1::TabBase);
        QApplication::processEvents();
    }
};

std::vector<double> tablePauses;
std::vector<double> filterPauses;

void BM_Table30000Rows(benchmark::State& st)
{
    Fixture f;
    QTableView* view = f.form.ControlPanel1;
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        const Answering walk = whileAnswering(
            [&] { f.table->Wysw_tab_czas(kListedDays); }, [&] { return f.table->walkRunning(); });
        tablePauses.push_back(walk.longestWaitMs);
        view->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (f.table->model().rowCount() == 0 || f.dialogs.warnings.isEmpty())
        st.SkipWithError("the listing did not reach the row limit");
}

void BM_FilterList30000(benchmark::State& st)
{
    Fixture f;
    TForm1& form = f.form;
    form.DateTimePicker3->setDay(kToday - kListedDays - 1);
    form.DateTimePicker4->setDay(kToday);
    form.RadioButton8->setChecked(true);
    form.CheckBox2->setChecked(true);
    form.Edit10->setText(QStringLiteral("0,0"));
    form.Edit11->setText(QStringLiteral("10,0"));
    QTableView* view = form.ControlPanel1;
    QImage image(view->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        const Answering walk
            = whileAnswering([&] { form.Button1->click(); }, [&] { return f.search->walkRunning(); });
        filterPauses.push_back(walk.longestWaitMs);
        view->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (form.Label29->text() != QString::number(TableRowLimit))
        st.SkipWithError("the search did not reach the row limit");
}

// A fixed minimum time: one listing alone is too short a sample on a busy machine.
BENCHMARK(BM_Table30000Rows)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.05)->MinTime(0.5);
BENCHMARK(BM_FilterList30000)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.05)->MinTime(0.5);

} // namespace

int tremora::bench::measure()
{
    FigureReporter reporter(FigureReporter::Table::Shown);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The listings run on one thread: on a busy machine their CPU time is the steadier figure.
    if (const FigureReporter::Run* run = reporter.run("BM_Table30000Rows")) {
        std::printf("table_%d_rows: %.1f ms\n", TableRowLimit, run->GetAdjustedRealTime());
        std::printf("table_%d_rows_cpu: %.1f ms\n", TableRowLimit, run->GetAdjustedCPUTime());
    }
    if (!tablePauses.empty())
        std::printf("table_%d_ui_latency_ms: %.0f ms\n", TableRowLimit, median(tablePauses));
    if (const FigureReporter::Run* run = reporter.run("BM_FilterList30000")) {
        std::printf("filter_list_30000: %.1f ms\n", run->GetAdjustedRealTime());
        std::printf("filter_list_30000_cpu: %.1f ms\n", run->GetAdjustedCPUTime());
    }
    if (!filterPauses.empty())
        std::printf("filter_list_ui_latency_ms: %.0f ms\n", median(filterPauses));
    return 0;
}
