// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the map display over real earthquakes: builds a catalogue from USGS replies
// (time-ascending CSV files), shows every earthquake with "Wyświetl" on the built-in map and on
// the plates picture, at two window sizes, and saves each window as a PNG.
//
//   tremora_map_snapshot <output folder> <picture folder> <reply.csv>...
#include "app/Program.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

using namespace tremora;

namespace
{

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(TForm1& form, const QString& path)
{
    settle();
    const bool ok = form.grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: tremora_map_snapshot <output folder> <picture folder> <reply.csv>...\n");
        return 2;
    }
    const QDir out(args[1]);
    QDir().mkpath(out.path());
    QTemporaryDir work;
    const QString plates = WindowShell::kPlatesPictureFile;
    QFile::copy(QDir(args[2]).filePath(plates), QDir(work.path()).filePath(plates));

    fakes::FixedClock clock(double(dayNumber(2025, 5, 31)) + 0.5);
    fakes::RecordingDialogs dialogs;
    fakes::ScriptedDownloader downloader;
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, QString(), QString() };
    ProgramOptions options;
    options.workDir = work.path();
    Program program(platform, options);
    program.FormCreate();

    Catalogue& catalogue = program.state().catalogue;
    QuietObserver observer;
    for (int i = 3; i < args.size(); ++i) {
        QFile file(args[i]);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(args[i]));
            return 1;
        }
        const AnalizaResult r = Analiza(file.readAll(), catalogue, catalogue.ImportCount, false, observer);
        std::printf("%s: %d rows\n", qPrintable(args[i]), r.rowsPlaced);
    }
    catalogue.CatalogueCount = catalogue.ImportCount;
    std::printf("catalogue: %d records\n", catalogue.CatalogueCount);

    TForm1& form = program.form();
    form.showNormal();
    const auto showAll = [&] {
        form.ComboBox1->setCurrentIndex(0); // "CAŁA BAZA"
        Q_EMIT form.ComboBox1->activated(0);
        form.DateTimePicker2->setDay(catalogue.newest().OriginDate);
        form.Button15->click();
        form.Button14->click();
        while (program.mapDisplay().displayRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    bool ok = true;
    for (const QSize size : { QSize(1280, 800), QSize(1000, 640) }) {
        form.resize(size);
        settle();
        const QString tag = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        program.shell().showBuiltInMap();
        showAll();
        ok &= save(form, out.filePath(QStringLiteral("map-world-%1.png").arg(tag)));
        program.shell().DsFancyButton3Click();
        showAll();
        ok &= save(form, out.filePath(QStringLiteral("map-plates-%1.png").arg(tag)));
        std::printf("memo: %d lines, last: %s\n", form.Memo1->lineCount(),
            qPrintable(form.Memo1->line(form.Memo1->lineCount() - 1)));
    }
    return ok ? 0 : 1;
}
