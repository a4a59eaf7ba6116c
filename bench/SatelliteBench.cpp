// SPDX-License-Identifier: GPL-3.0-or-later
// The satellite pictures: one tile cut, scaled and encoded from the built-in map, and a row
// selection with the automatic location picture on, through a listing of 30,000 rows.

#include "app/Program.h"
#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "catalogue/Catalogue.h"
#include "gui/controllers/Satellite.h"
#include "gui/widgets/MapImage.h"
#include "gui/window/TForm1.h"
#include "platform/testing/Doubles.h"
#include "resources/Resources.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"
#include "table/ReportTableModel.h"
#include "tiles/LocalTileSource.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

namespace
{

using namespace tremora;

constexpr double kToday = 46000;
constexpr int kRecords = 35'000;
constexpr int kListedDays = 92;
constexpr int kLocationZoom = 7;

void BM_TileLocal(benchmark::State& st)
{
    LocalTileSource source({ builtInMapPath() });
    const QImage& world = source.world();
    if (world.isNull()) {
        st.SkipWithError("the built-in map did not load");
        return;
    }
    std::mt19937 random(3);
    std::uniform_real_distribution<float> lon(-180, 180), lat(-80, 80);
    for (auto _ : st) {
        const TileCell cell = tileCell(lon(random), lat(random), kLocationZoom);
        const QByteArray jpeg = encodeTile(cutTile(world, cell));
        benchmark::DoNotOptimize(jpeg.constData());
    }
}
BENCHMARK(BM_TileLocal)->Unit(benchmark::kMillisecond)->MinTime(0.5);

struct Listing : fakes::FakePlatform {
    QTemporaryDir dir;
    std::unique_ptr<Program> program;

    Listing()
        : FakePlatform(kToday + 0.5)
    {
        ProgramOptions options;
        options.workDir = dir.path();
        program = std::make_unique<Program>(platform, options);
        program->FormCreate();
        std::mt19937 random(7);
        std::uniform_real_distribution<float> lon(-180, 180), lat(-80, 80);
        Catalogue& catalogue = program->state().catalogue;
        for (int i = 1; i <= kRecords; ++i) {
            QuakeRecord& r = catalogue[i];
            const double t = kToday - kListedDays + (kListedDays + 1.0) * i / (kRecords + 1);
            r.OriginDate = double(static_cast<long long>(t));
            r.OriginTime = t - r.OriginDate;
            r.Longitude = lon(random);
            r.Latitude = lat(random);
            r.Mag10 = 45;
        }
        catalogue.CatalogueCount = kRecords;
        program->form().resize(1280, 900);
        program->form().show();
        program->form().Button5->click();
        QApplication::processEvents();
    }
};

/// Selects rows one after the other, each time until its picture is shown, as the arrow key does
/// when the user waits for each picture.
void BM_RowSelectWithPicture(benchmark::State& st)
{
    Listing f;
    TForm1& form = f.program->form();
    Satellite& satellite = f.program->satellite();
    const int rows = form.ControlPanel1->model()->rowCount();
    if (rows < TableRowLimit || !form.CheckBox11->isChecked()) {
        st.SkipWithError("the listing did not reach 30,000 rows");
        return;
    }
    int row = 0;
    for (auto _ : st) {
        form.ControlPanel1->selectRow(row);
        while (satellite.busy())
            QApplication::processEvents(QEventLoop::AllEvents);
        row = (row + 997) % rows;
    }
    if (form.Image19->picture().isNull())
        st.SkipWithError("no picture was shown");
}
BENCHMARK(BM_RowSelectWithPicture)->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace

int tremora::bench::measure()
{
    FigureReporter reporter(FigureReporter::Table::Shown);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (const FigureReporter::Run* run = reporter.run("BM_TileLocal"))
        std::printf("tile_local_ms: %.2f ms\n", run->GetAdjustedRealTime());
    if (const FigureReporter::Run* run = reporter.run("BM_RowSelectWithPicture"))
        std::printf("row_select_with_picture_ms: %.2f ms\n", run->GetAdjustedRealTime());
    return 0;
}
