// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window, one per main tab, plus the popup menu and the chart window, for
// checking the look without a display: tremora_window_shot OUTPUT_PREFIX [WORKDIR].
#include "app/Program.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/MapImage.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace tremora;

namespace
{
constexpr qint64 kPictureWaitMs = 10'000;
constexpr qint64 kMarkerTickMs = 700;
constexpr int kGridZoom = 3;
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tremora_window_shot OUTPUT_PREFIX [WORKDIR]\n");
        return 2;
    }
    QApplication app(argc, argv);
    ProgramOptions options;
    if (argc > 2)
        options.workDir = QString::fromLocal8Bit(argv[2]);
    Program program(options);
    TForm1& form = program.form();
    form.resize(1280, 760);
    form.show();
    program.FormCreate();
    const QString prefix = QString::fromLocal8Bit(argv[1]);
    for (int tab = 0; tab < form.PageControl1->count(); ++tab) {
        form.PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        form.grab().save(QStringLiteral("%1-tab%2.png").arg(prefix).arg(tab));
    }
    form.PageControl1->setCurrentIndex(TForm1::TabQuakes);
    QApplication::processEvents();
    program.shell().DsFancyButton7Click();
    QApplication::processEvents();
    form.Form2->grab().save(prefix + QStringLiteral("-chart.png"));
    form.PageControl3->setCurrentIndex(TForm1::TabFilters);
    QApplication::processEvents();
    form.PageControl3->grab().save(prefix + QStringLiteral("-filters.png"));
    form.BarPopupMenu1->adjustSize();
    form.BarPopupMenu1->grab().save(prefix + QStringLiteral("-menu.png"));

    // The location picture of the newest row of the last three months, and the grid around it.
    const auto waitFor = [](const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < kPictureWaitMs)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    };
    form.PageControl1->setCurrentIndex(TForm1::TabBase);
    form.Button5->click();
    if (form.ControlPanel1->model()->rowCount() > 0) {
        form.ControlPanel1->selectRow(0);
        waitFor([&] { return !form.Image19->picture().isNull(); });
        // Timer6 paints the marker on its first tick.
        QElapsedTimer sinceShown;
        sinceShown.start();
        waitFor([&] { return sinceShown.elapsed() > kMarkerTickMs; });
        form.grab().save(prefix + QStringLiteral("-location.png"));
        form.TrackBar2->setValue(kGridZoom);
        form.Button9->click();
        waitFor([&] { return !form.Image6->picture().isNull(); });
        form.PageControl1->setCurrentIndex(TForm1::TabSatellite);
        QApplication::processEvents();
        form.grab().save(prefix + QStringLiteral("-grid.png"));
    }
    return 0;
}
