// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window, one per main tab, plus the popup menu and the chart window, for
// checking the look without a display:
//
//   tremora_window_shot [--lang pl|en] OUTPUT_PREFIX [WORKDIR [TODAY [REPLY.csv...]]]
//
// The window opens as at a first start, filling the screen (on the offscreen platform, the screen
// of its configuration file: size and device pixel ratio), in the language asked for; it reads and
// remembers no settings. TODAY (yyyy-MM-dd) stands the clock at noon of that day, so a catalogue
// of an old month is shown as if it were current; the USGS replies given (time-ascending CSV)
// become the catalogue of WORKDIR first. `make screenshots` takes the README's pictures so.
#include "app/Program.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/controllers/ReportTable.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/MessageBoxDialogs.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"
#include "platform/Clock.h"
#include "platform/Pause.h"
#include "platform/QtDownloader.h"
#include "state/ProgramState.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

using namespace tremora;

namespace
{
constexpr qint64 kPictureWaitMs = 10'000;
constexpr qint64 kMarkerTickMs = 700;
constexpr int kGridZoom = 3;

// Makes the replies the catalogue file of the folder; false with a message when one cannot be.
bool importReplies(const QString& workDir, const QStringList& replies)
{
    auto catalogue = std::make_unique<Catalogue>();
    catalogue->CatalogueFileName = QDir(workDir).filePath(QString::fromLatin1(kCatalogueFileName));
    QuietObserver quiet;
    for (const QString& reply : replies) {
        QFile file(reply);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tremora_window_shot: cannot read %s\n", qPrintable(reply));
            return false;
        }
        Analiza(file.readAll(), *catalogue, catalogue->ImportCount, false, quiet);
    }
    catalogue->CatalogueCount = catalogue->ImportCount;
    const SaveResult saved = SaveCatalogue(*catalogue);
    if (!saved.ok)
        std::fprintf(stderr, "tremora_window_shot: %s\n", qPrintable(saved.error));
    return saved.ok;
}

class StandingClock final : public Clock
{
public:
    explicit StandingClock(double day)
        : m_day(day)
    {
    }
    double today() const override { return m_day; }
    double now() const override { return m_day + 0.5; }

private:
    double m_day;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The arguments after the application object has taken its own.
    QStringList args = QCoreApplication::arguments().mid(1);
    ProgramOptions options;
    if (args.size() > 1 && args[0] == QLatin1String("--lang")) {
        options.language = languageFromCode(args[1]);
        if (!options.language) {
            std::fprintf(stderr, "tremora_window_shot: --lang takes pl or en\n");
            return 2;
        }
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr,
            "usage: tremora_window_shot [--lang pl|en] OUTPUT_PREFIX [WORKDIR [TODAY [REPLY.csv...]]]\n");
        return 2;
    }
    if (args.size() > 1)
        options.workDir = args[1];
    const QDate today = args.size() > 2 ? QDate::fromString(args[2], Qt::ISODate) : QDate();
    if (args.size() > 2 && !today.isValid()) {
        std::fprintf(stderr, "tremora_window_shot: TODAY must be yyyy-MM-dd\n");
        return 2;
    }
    const QStringList replies = args.mid(3);
    if (!replies.isEmpty() && !importReplies(options.workDir, replies))
        return 1;
    SystemClock systemClock;
    StandingClock standingClock(today.isValid() ? dayOf(today) : 0);
    MessageBoxDialogs dialogs;
    QtDownloader downloader;
    TimerPause pause;
    Platform platform { today.isValid() ? static_cast<Clock&>(standingClock) : systemClock, dialogs,
        downloader, pause, options.eventHost, options.tileHost };
    Program program(platform, options);
    TForm1& form = program.form();
    dialogs.setParent(&form);
    form.showFillingScreen();
    program.FormCreate();
    if (!replies.isEmpty()) {
        // The demo: the whole month on the map ("Wyświetl") and its last three months listed.
        const Catalogue& catalogue = program.state().catalogue;
        if (catalogue.CatalogueCount > 0)
            form.DateTimePicker1->setDay(catalogue[1].OriginDate);
        form.Button14->click();
        while (program.mapDisplay().displayRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        form.Button5->click();
        while (program.reportTable().walkRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    }
    const QString prefix = args[0];
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
    while (program.reportTable().walkRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
