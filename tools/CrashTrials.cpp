// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_crash_trials: kills a real save of a full catalogue, and separately a real update that
// ends in a save, with SIGKILL at random moments, and checks after each kill that the catalogue
// file is byte for byte the old catalogue or the new one and that it loads.
//   tremora_crash_trials --dir DIR --data REPLY.csv [--trials N] [--only save|update]
// Prints "save_kill_trials: I/N intact" and "update_kill_trials: I/N intact", and how many kills
// left the old file and how many the new one. Exits 1 when any file was neither.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueUpdate.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "tools/EventServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace tremora;

namespace
{

constexpr std::size_t kRecordBytes = sizeof(QuakeRecord);
constexpr char kReady = '!';

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An old record of its own for every i, one every 400 s from 1 January 1973.
QuakeRecord filler(int i)
{
    constexpr int kPerDay = 216;
    QuakeRecord r;
    r.OriginDate = double(dayNumber(1973, 1, 1) + (i - 1) / kPerDay);
    r.OriginTime = ((i - 1) % kPerDay) * 400 / 86400.0;
    r.Longitude = float(i % 360 - 180);
    r.Latitude = float(i % 180 - 90);
    r.Mag10 = std::uint8_t(10 + i % 60);
    r.Depth10 = std::uint16_t(i % 7000);
    return r;
}

// A full catalogue of fillers first .. and then `newest` at its end.
QByteArray fullImage(int first, const QByteArray& newest = {})
{
    const int fillers = kCatalogueCapacity - int(newest.size() / qsizetype(kRecordBytes));
    QByteArray image(qsizetype(kCatalogueCapacity) * qsizetype(kRecordBytes), Qt::Uninitialized);
    auto* out = reinterpret_cast<QuakeRecord*>(image.data());
    for (int i = 0; i < fillers; ++i)
        out[i] = filler(first + i);
    std::memcpy(out + fillers, newest.constData(), std::size_t(newest.size()));
    return image;
}

QByteArray recordsOf(const QByteArray& reply)
{
    Catalogue c;
    QuietObserver quiet;
    Analiza(reply, c, 0, false, quiet);
    return QByteArray(
        reinterpret_cast<const char*>(c.slots() + 1), qsizetype(c.ImportCount) * qsizetype(kRecordBytes));
}

double updateToday()
{
    return double(dayNumber(2015, 7, 3)) + 0.5;
}

void announce()
{
    const char ready = kReady;
    if (write(STDOUT_FILENO, &ready, 1) != 1)
        _exit(3);
}

// The child of a save trial: the catalogue of fillers from `first` on, saved over the file.
int childSave(const QString& file, int first)
{
    Catalogue c;
    const QByteArray image = fullImage(first);
    std::memcpy(c.slots() + 1, image.constData(), std::size_t(image.size()));
    c.CatalogueCount = kCatalogueCapacity;
    c.CatalogueFileName = file;
    announce();
    return SaveCatalogue(c).ok ? 0 : 1;
}

// The child of an update trial: the program's update of the file from the service at `url`.
int childUpdate(int argc, char** argv, const QString& file, const QString& url)
{
    QCoreApplication app(argc, argv);
    Catalogue c;
    c.CatalogueFileName = file;
    LoadCatalogue(c);
    c.ImportCount = c.CatalogueCount;
    fakes::FixedClock clock(updateToday());
    fakes::RecordingDialogs dialogs;
    QtDownloader downloader;
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, url, QString() };
    CatalogueUpdate update(c, platform, QFileInfo(file).dir().filePath(QString::fromLatin1(kReplyFileName)));
    int code = 1;
    QObject::connect(
        &update, &CatalogueUpdate::finished, &app, [&](CatalogueUpdate::Outcome outcome, const QString&) {
            code = outcome == CatalogueUpdate::Outcome::Completed ? 0 : 1;
            app.quit();
        });
    announce();
    update.start(DateLayout::YearMonthDay);
    app.exec();
    return code;
}

struct Child {
    pid_t pid = -1;
    int out = -1;
};

Child spawn(const std::vector<std::string>& args)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    return { pid, pipeEnds[0] };
}

// Waits for the child's sign that the work begins.
bool awaitReady(const Child& child)
{
    char c = 0;
    const bool ready = read(child.out, &c, 1) == 1 && c == kReady;
    return ready;
}

int finish(Child& child, bool kill)
{
    if (kill)
        ::kill(child.pid, SIGKILL);
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.out);
    return status;
}

// Everything but the catalogue file that a killed child may leave: the save's temporary file,
// the reply and its temporary file.
int removeLeftovers(QDir dir)
{
    int left = 0;
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (name != QString::fromLatin1(kCatalogueFileName)) {
            dir.remove(name);
            ++left;
        }
    }
    return left;
}

struct Tally {
    int intact = 0;
    int old = 0;
    int fresh = 0;
    int killedMidway = 0;
    int leftovers = 0;
};

// One kind of trial: `args` starts the child; the file holds `oldImage` before each. The first
// run is not killed: it measures the work and gives the new file.
Tally runTrials(const char* name, int trials, const QDir& dir, const std::vector<std::string>& args,
    const QByteArray& oldImage, QByteArray newImage)
{
    const QString file = dir.filePath(QString::fromLatin1(kCatalogueFileName));
    const auto putOld = [&] {
        QFile f(file);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(oldImage) == oldImage.size();
    };
    Tally tally;
    if (!putOld())
        return tally;

    // Three runs that are not killed: the shortest gives the span the kills fall in (the first
    // runs with a cold cache), and each must write the new catalogue.
    constexpr int kCalibrationRuns = 3;
    qint64 workNs = std::numeric_limits<qint64>::max();
    for (int run = 0; run < kCalibrationRuns; ++run) {
        Child child = spawn(args);
        QElapsedTimer timer;
        if (!awaitReady(child)) {
            std::fprintf(stderr, "%s: the child did not start\n", name);
            return tally;
        }
        timer.start();
        const int status = finish(child, false);
        workNs = std::min(workNs, std::max<qint64>(timer.nsecsElapsed(), 1'000'000));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s: the child's work failed (status %d)\n", name, status);
            return tally;
        }
        if (newImage.isEmpty())
            newImage = readFile(file);
        if (readFile(file) != newImage) {
            std::fprintf(stderr, "%s: the work did not write the expected catalogue\n", name);
            return tally;
        }
        removeLeftovers(dir);
        if (!putOld())
            return tally;
    }

    std::mt19937_64 random(20261208);
    Catalogue loaded;
    loaded.CatalogueFileName = file;
    for (int t = 0; t < trials; ++t) {
        Child child = spawn(args);
        if (!awaitReady(child)) {
            finish(child, true);
            continue;
        }
        // A moment anywhere in the work.
        const auto delay = std::uniform_int_distribution<qint64>(0, workNs)(random);
        std::this_thread::sleep_for(std::chrono::nanoseconds(delay));
        const int s = finish(child, true);
        if (WIFSIGNALED(s))
            ++tally.killedMidway;
        tally.leftovers += removeLeftovers(dir);

        const QByteArray now = readFile(file);
        const bool isOld = now == oldImage;
        const bool isNew = now == newImage;
        const LoadResult load = LoadCatalogue(loaded);
        const bool loads = load.error.isEmpty() && loaded.CatalogueCount == kCatalogueCapacity;
        if ((isOld || isNew) && loads)
            ++tally.intact;
        else
            std::fprintf(stderr, "%s: trial %d left a file of %lld bytes that is neither catalogue\n", name,
                t, static_cast<long long>(now.size()));
        tally.old += isOld;
        tally.fresh += isNew;
        if (isNew && !putOld())
            break;
    }
    return tally;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--child-save") == 0)
        return childSave(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc >= 4 && std::strcmp(argv[1], "--child-update") == 0)
        return childUpdate(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QString dirPath, data, only;
    int trials = 200;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--dir")
            dirPath = QString::fromLocal8Bit(argv[i + 1]);
        else if (key == "--data")
            data = QString::fromLocal8Bit(argv[i + 1]);
        else if (key == "--trials")
            trials = std::atoi(argv[i + 1]);
        else if (key == "--only")
            only = QString::fromLocal8Bit(argv[i + 1]);
    }
    if (dirPath.isEmpty() || data.isEmpty() || trials <= 0) {
        std::fprintf(stderr,
            "usage: tremora_crash_trials --dir DIR --data REPLY.csv [--trials N] [--only save|update]\n");
        return 2;
    }
    QDir dir(dirPath);
    dir.mkpath(QStringLiteral("."));
    removeLeftovers(dir);
    const QString file = dir.filePath(QString::fromLatin1(kCatalogueFileName));
    bool allIntact = true;

    if (only.isEmpty() || only == QStringLiteral("save")) {
        // Two full catalogues that differ in every record; each save writes the other one.
        const Tally t = runTrials("save", trials, dir,
            { "tremora_crash_trials", "--child-save", file.toStdString(), "1" }, fullImage(2), fullImage(1));
        std::printf("save_kill_trials: %d/%d intact\n", t.intact, trials);
        std::printf("save_kill_trials_old_new: %d old, %d new, %d killed during the work, %d leftover files "
                    "removed\n",
            t.old, t.fresh, t.killedMidway, t.leftovers);
        allIntact = allIntact && t.intact == trials;
    }
    if (only.isEmpty() || only == QStringLiteral("update")) {
        EventServer server;
        QFile reply(data);
        if (!reply.open(QIODevice::ReadOnly) || server.addCsv(reply.readAll()) <= 0 || server.start() < 0) {
            std::fprintf(stderr, "cannot serve %s\n", qPrintable(data));
            return 2;
        }
        // A full catalogue up to noon of 30 June 2015; the update brings 30 June to 3 July and
        // drops as many of its oldest records.
        const QByteArray old
            = fullImage(1, recordsOf(server.answer("2015-06-29", "2015-06-30 12:00:00").body));
        const Tally t = runTrials("update", trials, dir,
            { "tremora_crash_trials", "--child-update", file.toStdString(), server.baseUrl().toStdString() },
            old, QByteArray());
        std::printf("update_kill_trials: %d/%d intact\n", t.intact, trials);
        std::printf(
            "update_kill_trials_old_new: %d old, %d new, %d killed during the work, %d leftover files "
            "removed\n",
            t.old, t.fresh, t.killedMidway, t.leftovers);
        allIntact = allIntact && t.intact == trials;
    }
    std::fflush(stdout);
    return allIntact ? 0 : 1;
}
