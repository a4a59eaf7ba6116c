// SPDX-License-Identifier: GPL-3.0-or-later
// A catalogue at the service's real scale, through the whole program: a rebuild from January 1973
// to today over a loopback service that serves a synthetic catalogue of about 2.4 million events
// (the real rows of ../shared/data/usgs spread over the months), by the update button and the
// real downloader, checked to end with exactly the newest 1,999,999 events in order and the day
// display showing today. Then one month's update of that full catalogue, with its save, against a
// plain write of the same 80 MB plus a parse of the same month, taking turns; and the longest the
// window waited during that update.
#include "app/Program.h"
#include "bench/support/Main.h"
#include "bench/support/SharedData.h"
#include "bench/support/Timing.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/CatalogueView.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "table/ReportTableModel.h"
#include "tools/EventServer.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace tremora
{
namespace
{

constexpr int kRounds = 9;
const qint64 kCatalogueBytes = qint64(kCatalogueCapacity) * qint64(sizeof(QuakeRecord));

QByteArray dayText(const QDate& day)
{
    return day.toString(Qt::ISODate).toLatin1();
}

// What the program keeps of everything served up to `lastDay`, in order: each month's reply
// parsed on its own, so nothing of the catalogue's capacity plays a part.
std::vector<QuakeRecord> servedRecords(const EventServer& server, const QDate& lastDay)
{
    std::vector<QuakeRecord> records;
    records.reserve(std::size_t(server.eventCount()));
    auto month = std::make_unique<Catalogue>();
    QuietObserver quiet;
    for (QDate first(EventServer::kSyntheticFirstYear, 1, 1); first <= lastDay; first = first.addMonths(1)) {
        const QDate last = first.addMonths(1).addDays(-1);
        month->ImportCount = 0;
        Analiza(server.answer(dayText(first), dayText(last) + " 23:59:59.999").body, *month, 0, false, quiet);
        records.insert(records.end(), month->slots() + 1, month->slots() + 1 + month->ImportCount);
    }
    return records;
}

// Writes `bytes` and waits until they are on the disk.
bool plainWrite(const std::string& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced && done == bytes.size();
}

// How many of the oldest records of the catalogue file `before` are gone from `after`: the
// position in the old file of the record that now comes first. Counted from the records
// themselves, whatever any other part of the program does with its indices.
int oldestDropped(const QByteArray& before, const Catalogue& after)
{
    if (after.CatalogueCount <= 0)
        return -1;
    const auto* old = reinterpret_cast<const QuakeRecord*>(before.constData());
    const qsizetype count = before.size() / qsizetype(sizeof(QuakeRecord));
    for (qsizetype i = 0; i < count; ++i)
        if (std::memcmp(&old[i], &after[1], sizeof(QuakeRecord)) == 0)
            return int(i);
    return -1;
}

struct Bench {
    Bench()
    {
        server.addFolder(bench::sharedData(QStringLiteral("usgs")));
        server.serveSynthetic(today);
        server.start();
        clock.set(double(dayNumber(today.year(), today.month(), today.day())) + 0.5);
        platform.eventHost = server.baseUrl();
        ProgramOptions options;
        options.workDir = dir.path();
        program = std::make_unique<Program>(platform, options);
        program->FormCreate();
    }

    // Runs the event loop until the update ends; returns the longest the loop was held up.
    double waitForUpdate()
    {
        return bench::whileAnswering([] {}, [this] { return program->updateCycle().isRunning(); })
            .longestWaitMs;
    }

    // Empty where the rebuild left exactly what it should, else what is wrong.
    QString checkRebuild(const std::vector<QuakeRecord>& served)
    {
        const Catalogue& c = program->state().catalogue;
        if (served.size() <= std::size_t(kCatalogueCapacity))
            return QStringLiteral("only %1 events served").arg(served.size());
        if (c.CatalogueCount != kCatalogueCapacity)
            return QStringLiteral("%1 records").arg(c.CatalogueCount);
        const QuakeRecord* newest = served.data() + (served.size() - std::size_t(kCatalogueCapacity));
        if (std::memcmp(c.slots() + 1, newest, std::size_t(kCatalogueBytes)) != 0)
            return QStringLiteral("memory is not the newest served events");
        QFile file(c.CatalogueFileName);
        if (!file.open(QIODevice::ReadOnly)
            || file.readAll()
                != QByteArray::fromRawData(reinterpret_cast<const char*>(newest), qsizetype(kCatalogueBytes)))
            return QStringLiteral("the file is not the newest served events");
        if (c.newest().OriginDate != clock.today())
            return QStringLiteral("the newest record is not of today");
        return {};
    }

    // The day display of today, as Timer5 shows it after a button-started update.
    QString checkDay()
    {
        program->updateCycle().Timer5Timer();
        waitForUpdate();
        const TForm1& f = program->form();
        const ReportTableModel& rows = program->state().reportRows;
        const QString todayText = today.toString(Qt::ISODate);
        if (f.Label29->text().toInt() == 0 || rows.rowCount() == 0)
            return QStringLiteral("the day display shows nothing");
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.cell(row, ReportTableModel::Date) != todayText)
                return QStringLiteral("the day display shows %1").arg(rows.cell(row, ReportTableModel::Date));
        return {};
    }

    const QDate today = QDate::currentDate();
    EventServer server;
    QTemporaryDir dir;
    fakes::FixedClock clock;
    fakes::RecordingDialogs dialogs;
    QtDownloader downloader;
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, QString(), QString() };
    std::unique_ptr<Program> program;
};

} // namespace

int bench::measure()
{
    Bench b;
    std::fprintf(stderr, "(synthetic service: %d events from January %d to %s)\n", b.server.eventCount(),
        EventServer::kSyntheticFirstYear, qPrintable(b.today.toString(Qt::ISODate)));

    // The rebuild, as a user starts it on an empty catalogue.
    QElapsedTimer rebuild;
    rebuild.start();
    b.program->form().DsFancyButton4->click();
    const double longestPause = b.waitForUpdate();
    const double rebuildS = double(rebuild.nsecsElapsed()) / 1e9;
    const Catalogue& c = b.program->state().catalogue;
    std::fprintf(stderr, "(rebuild: %d requests, %d records, first %s, last %s)\n", b.server.requestCount(),
        c.CatalogueCount, qPrintable(dateText(c[1].OriginDate)), qPrintable(dateText(c.newest().OriginDate)));

    QString wrong = b.checkRebuild(servedRecords(b.server, b.today));
    if (wrong.isEmpty())
        wrong = b.checkDay();
    if (!wrong.isEmpty()) {
        std::printf("rebuild_2m4_s: wrong result: %s\n", qPrintable(wrong));
        return 1;
    }
    std::printf("rebuild_2m4_s: %.1f s\n", rebuildS);
    std::printf("rebuild_longest_pause_ms: %.0f ms\n", longestPause);

    // A month later: the service has 10,000 more events, the full catalogue takes them.
    ProgramState& state = b.program->state();
    const QByteArray image = [&] {
        QFile file(state.catalogue.CatalogueFileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QDate later = b.today.addMonths(1);
    b.server.serveSynthetic(later);
    b.clock.set(double(dayNumber(later.year(), later.month(), later.day())) + 0.5);
    const QByteArray monthReply = b.server.answer(dayText(b.today), dayText(later) + " 23:59:59.999").body;
    const std::string plainPath = QDir(b.dir.path()).filePath(QStringLiteral("plain.dat")).toStdString();
    auto scratch = std::make_unique<Catalogue>();
    QuietObserver quiet;

    std::vector<double> ours, plain, pauses;
    int dropped = 0;
    for (int round = 0; round < kRounds; ++round) {
        // The file as the last save left it: on the disk. Left in the page cache, the update's
        // own flush would also have to write these 80 MB, which no real update ever meets.
        if (!plainWrite(state.catalogue.CatalogueFileName.toStdString(), image))
            return 1;
        b.program->catalogueView().Wczytaj_baze();
        state.catalogue.ImportCount = state.catalogue.CatalogueCount;

        ours.push_back(seconds([&] {
            b.program->updateCycle().Akt_Bazy();
            pauses.push_back(b.waitForUpdate());
        }));
        dropped = oldestDropped(image, state.catalogue);
        plain.push_back(seconds([&] {
            plainWrite(plainPath, image);
            scratch->ImportCount = 0;
            Analiza(monthReply, *scratch, 0, false, quiet);
        }));
    }
    if (dropped <= 0 || state.catalogue.CatalogueCount != kCatalogueCapacity
        || state.catalogue.newest().OriginDate != b.clock.today()) {
        std::printf("update_full_catalogue_ms: wrong result (%d dropped)\n", dropped);
        return 1;
    }
    std::fprintf(stderr, "(one month: %d events in, as many out)\n", dropped);
    const double oursMs = median(ours) * 1000.0;
    const double plainMs = median(plain) * 1000.0;
    std::printf("update_full_catalogue_ms: %.1f ms\n", oursMs);
    std::printf("update_full_catalogue_reference_ms: %.1f ms\n", plainMs);
    std::printf("update_full_catalogue_ratio: %.2f x\n", oursMs / plainMs);
    // The worst wait for a click during one month's update, save included (median of the rounds).
    std::printf("update_full_ui_latency_ms: %.0f ms\n", median(pauses));
    return 0;
}

} // namespace tremora
