// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/soak/Soak.h"

#include "app/Program.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/Replay.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/ConversionError.h"
#include "replay/ReplayStepper.h"
#include "search/AlertCheck.h"
#include "search/SearchFilter.h"
#include "state/ProgramState.h"
#include "tests/soak/ActionLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#ifdef TREMORA_SOAK_SANITIZED
// The heap the program holds, as the sanitizer's allocator counts it (libasan has it; GCC's
// headers do not declare it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace tremora::soak
{

namespace
{

constexpr qint64 kMsPerMinute = 60'000;
constexpr qint64 kMsPerHour = 60 * kMsPerMinute;
// The day starts half an hour before a month ends, so that both the day's and the month's turn
// come early, in the short soak too.
const QDateTime kStart(QDate(2026, 3, 31), QTime(23, 30), QTimeZone::utc());
// The downloader's limits: a month of the service comes in milliseconds over loopback, so a stall
// of a second or a reply still running after three is a failing service.
constexpr int kStallMs = 1000;
constexpr int kDeadlineMs = 3000;
constexpr qint64 kReplyCapBytes = 64LL << 20;
// How long the harness waits for the network before it calls the program hung.
constexpr qint64 kHungMs = 120'000;
// Records of the catalogue's end the warning bookkeeping looks at: far more than an update writes
// again (the newest 101) and than the service's late reports reach back.
constexpr int kWatchedRecords = 2000;
constexpr qint64 kPauseLimitMs = 250;
constexpr int kShownFailures = 20;
constexpr qint64 kMegabyte = 1 << 20;
// What one turn of the event loop may take of the soak's pauses and ticks.
constexpr int kMostPerTurn = 500;
constexpr qint64 kTurnNs = 5'000'000;

qint64 threadCpuNs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

quint64 digest(const QuakeRecord* records, qint64 count)
{
    // FNV-1a over whole words: fast enough for 80 MB after each update.
    quint64 h = 0xcbf29ce484222325ULL;
    const auto* words = reinterpret_cast<const quint64*>(records);
    const qint64 n = count * qint64(sizeof(QuakeRecord) / sizeof(quint64));
    for (qint64 i = 0; i < n; ++i)
        h = (h ^ words[i]) * 0x100000001b3ULL;
    return h;
}

// The handlers that may hold the window longer than a quarter of a second, and why.
struct AllowedPause {
    const char* labelStart;
    const char* reason;
};
constexpr AllowedPause kAllowedPauses[] = {
    { "click Button14",
        "\"Wyświetl\" draws and logs every earthquake of the period, up to the whole catalogue; it "
        "shows a progress bar and the busy cursor while it runs" },
};

const char* allowedReason(const QString& label)
{
    for (const AllowedPause& allowed : kAllowedPauses)
        if (label.startsWith(QLatin1String(allowed.labelStart)))
            return allowed.reason;
    return nullptr;
}

} // namespace

void CountingDialogs::add(const QString& text)
{
    ++count;
    last << text;
    constexpr std::size_t kMostKinds = 40;
    const QString kind = text.section(QLatin1Char('\n'), 0, 0).left(100);
    if (kinds.size() < kMostKinds || kinds.contains(kind))
        ++kinds[kind];
    if (last.size() > 5)
        last.removeFirst();
}

Download* CountingDownloader::download(const QString& url, const QString& filePath)
{
    Download* d = m_inner.download(url, filePath);
    ++m_inFlight;
    // Once, whichever comes first: the end, or the caller deleting a transfer under way.
    auto counted = std::make_shared<bool>(true);
    const auto done = [this, counted] {
        if (std::exchange(*counted, false))
            --m_inFlight;
    };
    QObject::connect(d, &Download::finished, d, done);
    QObject::connect(d, &QObject::destroyed, d, done);
    return d;
}

void PauseMeter::record(const QString& what, qint64 wallNs, qint64 cpuNs)
{
    // Shorter than a millisecond is no pause worth naming.
    constexpr qint64 kShortestNs = 1'000'000;
    if (wallNs < kShortestNs && cpuNs < kShortestNs)
        return;
    Worst& w = m_worst[what];
    w.wallNs = std::max(w.wallNs, wallNs);
    w.cpuNs = std::max(w.cpuNs, cpuNs);
}

Soak::Soak(const SoakSettings& settings)
    : m_settings(settings)
    , m_startMs(kStart.toMSecsSinceEpoch())
    , m_clock(m_startMs)
    , m_pause(m_clock)
    , m_network(kStallMs, kReplyCapBytes, kDeadlineMs)
    , m_downloader(m_network)
    , m_platform { m_clock, m_dialogs, m_downloader, m_pause, QString(), QString(), &m_midi }
{
    m_endMs = m_startMs + qint64(settings.hours * double(kMsPerHour));
    m_nextHourMs = m_startMs + kMsPerHour;
}

Soak::~Soak()
{
    m_timers.reset();
    m_program.reset();
    m_server.stop();
}

QString Soak::clockText() const
{
    const qint64 s = (m_clock.ms() - m_startMs) / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

void Soak::log(const QString& action)
{
    ++m_actions;
    actionLog().add(QStringLiteral("[%1] %2").arg(clockText(), action));
}

void Soak::fail(const QString& kind, const QString& text)
{
    ++m_failures;
    ++m_failureKinds[kind];
    if (m_failureTexts.size() < kShownFailures)
        m_failureTexts << QStringLiteral("[%1] %2: %3").arg(clockText(), kind, text);
    if (m_actionsBeforeFailure.isEmpty())
        m_actionsBeforeFailure = actionLog().lines();
}

qint64 Soak::rssBytes() const
{
#ifdef TREMORA_SOAK_SANITIZED
    // The sanitizer's allocator keeps what it frees in size classes that it hands back to the
    // system only page by page, so its resident memory climbs all day while the program holds
    // the same: there, the figure is the heap the program holds, as that allocator counts it.
    const qint64 held = qint64(__sanitizer_get_current_allocated_bytes());
#else
    // What the allocator keeps of freed memory for later is no growth: it goes back first, so
    // that the figure is the memory the program holds.
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    const qint64 held = fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
#endif
    // Nor is the map picture the user chose: the built-in one ("P1" at a first start and after
    // the defaults are restored) holds 24 MB more than the working folder's Ziemia.jpg.
    return held - m_program->form().Image1->picture().sizeInBytes();
}

void Soak::setUp()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_workDir = m_dir.filePath(QStringLiteral("work"));
    m_scratchDir = m_dir.filePath(QStringLiteral("saved"));
    QDir().mkpath(m_workDir);
    QDir().mkpath(m_scratchDir);
    const QDir data(m_settings.programData);
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), QDir(m_workDir).filePath(name));

    // The service: the synthetic catalogue up to the start, growing from there with the clock.
    if (m_server.addFolder(m_settings.replies) == 0)
        throw std::runtime_error("no replies in " + m_settings.replies.toStdString());
    m_live.seed = m_settings.seed;
    m_live.failures = EventServer::allFailures();
    const QDate start = kStart.date();
    if (m_settings.historyMonths > 0)
        m_live.firstDay = QDate(start.year(), start.month(), 1).addMonths(-m_settings.historyMonths);
    m_server.serveLive([this] { return m_clock.ms(); }, m_live);
    if (m_server.start() < 0)
        throw std::runtime_error("the event service cannot listen");
    m_platform.eventHost = m_server.baseUrl();

    // The catalogue the user had: exactly the service's as the day begins.
    const qint64 firstMs = m_live.firstDay.isValid()
        ? QDateTime(m_live.firstDay, QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch()
        : QDateTime(QDate(EventServer::kSyntheticFirstYear, 1, 1), QTime(0, 0), QTimeZone::utc())
              .toMSecsSinceEpoch();
    m_model = std::make_unique<ServiceModel>(m_server, firstMs, m_live.changeHorizonMinutes * kMsPerMinute);
    m_model->advance(m_startMs);
    QFile file(QDir(m_workDir).filePath(QString::fromLatin1(kCatalogueFileName)));
    if (!file.open(QIODevice::WriteOnly) || file.write(m_model->newestBytes(kCatalogueCapacity)) < 0)
        throw std::runtime_error("cannot write the catalogue");
    file.close();
    m_fileRecords.reserve(kCatalogueCapacity);
    readFile(true);
    m_fileMatchedMs = m_startMs;
    m_memoryMatchedMs = m_startMs;

    ProgramOptions options;
    options.workDir = m_workDir;
    m_program = std::make_unique<Program>(m_platform, options, &m_tray);
    TForm1& f = m_program->form();
    m_timers = std::make_unique<TimerDriver>(m_clock,
        std::vector<QTimer*> { f.Timer1, f.Timer2, f.Timer3, f.Timer4, f.Timer5, f.Timer6, f.Timer7 });
    m_monkey = std::make_unique<Monkey>(f, m_clock, m_scratchDir, m_settings.seed);
    connect(&m_program->updateCycle().update(), &CatalogueUpdate::finished, this,
        [this](CatalogueUpdate::Outcome outcome, const QString&) {
            m_ended.push_back({ outcome, m_program->updateCycle().update().firstWrittenIndex() });
        });

    m_program->FormCreate();
    f.show();
    // The user's settings: the automatic update every minute, warnings from magnitude 1.5 on.
    for (const auto& [edit, text] :
        { std::pair { f.Edit12, QStringLiteral("1") }, std::pair { f.Edit1, QStringLiteral("1,5") } }) {
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
        QTest::keyClick(edit, Qt::Key_Return);
        log(QStringLiteral("type \"%1\" into %2").arg(text, edit->objectName()));
    }
    m_program->startTimers();

    const Catalogue& c = m_program->state().catalogue;
    for (int i = std::max(1, c.CatalogueCount - kWatchedRecords); i <= c.CatalogueCount; ++i)
        m_known.insert({ c[i].OriginDate, c[i].OriginTime, c[i].Latitude, c[i].Longitude });
    m_memo2Lines = int(f.Memo2->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
    m_nextActionMs = m_startMs + m_monkey->nextPauseMs();
}

int Soak::run()
{
    m_wall.start();
    try {
        setUp();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soak: %s\n", e.what());
        return 2;
    }
    std::printf("soak: %g simulated hours from %s, seed %llu, %lld events served at the start, %d in "
                "the catalogue\n",
        m_settings.hours, qPrintable(kStart.toString(Qt::ISODate)),
        static_cast<unsigned long long>(m_settings.seed), static_cast<long long>(m_model->size()),
        m_program->state().catalogue.CatalogueCount);
    std::fflush(stdout);
    QTimer::singleShot(0, this, &Soak::step);
    QCoreApplication::exec();
    printReport();
    return m_exitCode;
}

void Soak::step()
{
    ++m_stepsRun;
    const auto later = [this](int ms) { QTimer::singleShot(ms, this, &Soak::step); };
    // The program waits for the network, or for the file its update writes on a worker: let the
    // wall clock run until the reply is in or the file is whole. A save takes a fraction of a
    // second; simulated minutes passing meanwhile would let the service change under an update
    // that has already fetched everything.
    static QElapsedTimer waiting;
    const bool saving = m_program->updateCycle().isSaving();
    if (m_downloader.inFlight() > 0 || saving) {
        if (!waiting.isValid())
            waiting.start();
        if (waiting.elapsed() > kHungMs) {
            fail(QStringLiteral("hang"),
                QStringLiteral("%1 has not ended after %2 s")
                    .arg(saving ? QStringLiteral("the catalogue's save") : QStringLiteral("a download"))
                    .arg(kHungMs / 1000));
            m_endMs = m_clock.ms();
        } else {
            later(1);
            return;
        }
    }
    waiting.invalidate();

    // Several pauses and ticks in one turn of the event loop while nothing else waits (a busy
    // replay pauses every few milliseconds); the user acts in a turn of their own.
    const qint64 turnEnd = m_wall.nsecsElapsed() + kTurnNs;
    for (int occurrences = 0; occurrences < kMostPerTurn; ++occurrences) {
        checkStep();
        if (m_done) {
            QCoreApplication::quit();
            return;
        }
        // What comes next on the soak's clock: a pause ending, a timer, or the user.
        qint64 timerDue = 0;
        QTimer* timer = m_timers->nextDue(timerDue);
        const qint64 pauseDue = m_pause.nextDue();
        qint64 next = m_nextActionMs;
        StepKind kind = StepKind::Action;
        if (timer && timerDue < next) {
            next = timerDue;
            kind = StepKind::Timer;
        }
        if (pauseDue >= 0 && pauseDue <= next) {
            next = pauseDue;
            kind = StepKind::Pause;
        }
        if (next >= m_endMs) {
            m_clock.set(m_endMs);
            finish();
            break;
        }
        if (occurrences > 0 && (kind == StepKind::Action || next >= m_nextHourMs))
            break;
        m_clock.set(std::max(next, m_clock.ms()));
        if (m_clock.ms() >= m_nextHourMs) {
            const qint64 rss = rssBytes();
            if (m_rssFirstHour < 0)
                m_rssFirstHour = rss;
            m_rssPeak = std::max(m_rssPeak, rss);
            m_rssLast = rss;
            m_rssHourly.push_back(rss);
            m_nextHourMs += kMsPerHour;
            std::fprintf(stderr,
                "soak: hour %d: %d actions; updates %d completed, %d without a reply, %d failed%s; %d "
                "failures; "
                "%d MB; %.0f s; \"%s\"\n",
                int(m_rssHourly.size()), m_actions, m_updates[0], m_updates[1], m_updates[3],
                m_program->updateCycle().isRunning() ? " (one runs)" : "", m_failures, int(rss / kMegabyte),
                double(m_wall.elapsed()) / 1000.0,
                qPrintable(m_program->form().StatusBar1->panelText(StatusBar::kMessagePanel)));
        }
        const bool updating = m_program->updateCycle().isRunning();
        perform(kind, timer);
        if (kind == StepKind::Action || m_downloader.inFlight() > 0
            || updating != m_program->updateCycle().isRunning() || m_wall.nsecsElapsed() > turnEnd)
            break;
    }
    later(0);
}

void Soak::perform(StepKind kind, QTimer* timer)
{
    ++m_steps[int(kind)];
    if (kind == StepKind::Timer)
        ++m_timerTicks[timer->objectName()];
    const bool updating = m_program->updateCycle().isRunning();
    const qint64 wall0 = m_wall.nsecsElapsed();
    const qint64 cpu0 = threadCpuNs();
    switch (kind) {
    case StepKind::Pause:
        m_stepLabel = QStringLiteral("a pause ending");
        m_pause.fireNext();
        break;
    case StepKind::Timer:
        m_stepLabel = QStringLiteral("%1 ticking").arg(timer->objectName());
        m_timers->fire(timer);
        break;
    case StepKind::Action:
        act();
        m_nextActionMs = m_clock.ms() + m_monkey->nextPauseMs();
        break;
    }
    m_pauses.record(m_stepLabel, m_wall.nsecsElapsed() - wall0, threadCpuNs() - cpu0);
    checkReplay(kind == StepKind::Action, m_stepLabel);
    if (!updating && m_program->updateCycle().isRunning() && kind == StepKind::Timer && m_monkey->oneIn(3)) {
        // Now and then the user acts at once, while the update's first request is under way.
        const QString started = m_stepLabel;
        const qint64 wall1 = m_wall.nsecsElapsed();
        const qint64 cpu1 = threadCpuNs();
        act(QStringLiteral(" (while an update runs)"));
        m_pauses.record(m_stepLabel, m_wall.nsecsElapsed() - wall1, threadCpuNs() - cpu1);
        checkReplay(true, m_stepLabel);
        m_stepLabel = started + QStringLiteral(", then ") + m_stepLabel;
    }
}

void Soak::act(const QString& suffix)
{
    const QString done = m_monkey->act();
    m_stepLabel = done;
    log(done + suffix);
}

void Soak::checkStep()
{
    // Since the last step only the network's answers and the program's own posted work ran.
    checkReplay(false, QStringLiteral("what followed ") + m_stepLabel);
    for (const Ended& ended : std::exchange(m_ended, {}))
        checkUpdate(ended);
}

Soak::FileIdentity Soak::fileIdentity() const
{
    struct stat st {
    };
    const QByteArray path
        = QFile::encodeName(QDir(m_workDir).filePath(QString::fromLatin1(kCatalogueFileName)));
    if (::stat(path.constData(), &st) != 0)
        return {};
    return { qint64(st.st_ino), qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
        qint64(st.st_size) };
}

qint64 Soak::readFile(bool keep)
{
    // The program writes the file whole under a new name and renames it: a file with the same
    // inode, time and size as the last one read is that one.
    const FileIdentity identity = fileIdentity();
    if (identity == m_fileIdentity && identity.size >= 0)
        return qint64(m_fileDigest);
    QFile file(QDir(m_workDir).filePath(QString::fromLatin1(kCatalogueFileName)));
    std::vector<QuakeRecord> scratch;
    std::vector<QuakeRecord>& into = keep ? m_fileRecords : scratch;
    if (!file.open(QIODevice::ReadOnly)) {
        into.clear();
        return -1;
    }
    const qint64 size = file.size();
    into.resize(std::size_t(size / qint64(sizeof(QuakeRecord))));
    const qint64 got
        = file.read(reinterpret_cast<char*>(into.data()), qint64(into.size() * sizeof(QuakeRecord)));
    const quint64 d = digest(into.data(), qint64(into.size()));
    if (keep) {
        m_fileDigest = d;
        m_fileIdentity = identity;
    }
    return got == size ? qint64(d) : -1;
}

void Soak::checkUpdate(const Ended& ended)
{
    using Outcome = CatalogueUpdate::Outcome;
    ++m_updates[int(ended.outcome)];
    TForm1& f = m_program->form();
    switch (ended.outcome) {
    case Outcome::Completed:
        checkCatalogue();
        checkWarnings(ended.firstWritten);
        break;
    case Outcome::NoReply:
    case Outcome::Failed: {
        const qint64 d = readFile(false);
        if (quint64(d) != m_fileDigest)
            fail(QStringLiteral("file"), QStringLiteral("an update that failed changed the catalogue file"));
        if (!f.Timer2->isActive() && f.Timer2->interval() > 0)
            fail(QStringLiteral("schedule"),
                QStringLiteral("the automatic updates stopped after a failed update (%1)")
                    .arg(f.StatusBar1->panelText(StatusBar::kMessagePanel)));
        break;
    }
    case Outcome::Stopped:
        if (!m_closing)
            fail(
                QStringLiteral("update"), QStringLiteral("an update was stopped without the window closing"));
        break;
    }
}

void Soak::checkCatalogue()
{
    const qint64 now = m_clock.ms();
    m_model->advance(now);
    const Catalogue& c = m_program->state().catalogue;
    const qint64 held = m_model->size();
    const qint64 expected = std::min<qint64>(held, kCatalogueCapacity);
    // In memory: exactly the service's newest events, whatever it revised or deleted, for every
    // change it makes lies within the newest records an update writes again.
    // A deletion leaves a full catalogue one short until the next arrival: the oldest record that
    // gave way cannot come back. Short is right only after one.
    const int capacity = c.CatalogueCount < expected ? c.CatalogueCount : kCatalogueCapacity;
    const qint64 at = m_model->firstDifference(c.slots() + 1, c.CatalogueCount, capacity);
    if (at < 0 && c.CatalogueCount < expected && m_memoryMatchedMs >= 0
        && !m_server.liveChangedBetween(m_memoryMatchedMs, now))
        fail(QStringLiteral("catalogue"),
            QStringLiteral("%1 records held, %2 expected, though the service deleted none since %3")
                .arg(c.CatalogueCount)
                .arg(expected)
                .arg(QDateTime::fromMSecsSinceEpoch(m_memoryMatchedMs, QTimeZone::utc())
                         .toString(Qt::ISODate)));
    if (at < 0 && c.CatalogueCount == expected)
        m_memoryMatchedMs = now;
    if (at >= 0) {
        const qint64 modelIndex = held - expected + at;
        const QString mine
            = at < c.CatalogueCount ? ServiceModel::describe(c[int(at + 1)]) : QStringLiteral("none");
        const QString theirs
            = modelIndex < held ? ServiceModel::describe(m_model->at(modelIndex)) : QStringLiteral("none");
        bool ordered = true;
        for (int i = 2; i <= c.CatalogueCount && ordered; ++i)
            ordered = c[i - 1].OriginDate + c[i - 1].OriginTime < c[i].OriginDate + c[i].OriginTime
                || (c[i - 1].OriginDate + c[i - 1].OriginTime == c[i].OriginDate + c[i].OriginTime
                    && c[i - 1].Hundredths < c[i].Hundredths);
        fail(QStringLiteral("catalogue"),
            QStringLiteral("%1 records held, %2 expected; record %3 is %4, the service's is %5%6; %7")
                .arg(c.CatalogueCount)
                .arg(expected)
                .arg(at + 1)
                .arg(mine, theirs, ordered ? QString() : QStringLiteral("; not in time order"),
                    tailDifference()));
    }
    // On disk: the same, as long as the service has only added events since they last agreed (a
    // revision alone changes no count, and the update saves only when a count changes).
    const qint64 d = readFile(true);
    const qint64 fileAt
        = m_model->firstDifference(m_fileRecords.data(), qint64(m_fileRecords.size()), kCatalogueCapacity);
    if (d == -1 || fileAt >= 0) {
        if (m_fileMatchedMs >= 0 && !m_server.liveChangedBetween(m_fileMatchedMs, now))
            fail(QStringLiteral("file"),
                QStringLiteral("the catalogue file differs from the service's newest %1 records at record %2 "
                               "though the service only added events since %3")
                    .arg(expected)
                    .arg(fileAt + 1)
                    .arg(QDateTime::fromMSecsSinceEpoch(m_fileMatchedMs, QTimeZone::utc())
                             .toString(Qt::ISODate)));
        m_fileMatchedMs = -1;
    } else {
        m_fileMatchedMs = now;
    }
}

QString Soak::tailDifference() const
{
    const Catalogue& c = m_program->state().catalogue;
    std::map<Key, QuakeRecord> mine;
    std::map<Key, QuakeRecord> theirs;
    for (int i = std::max(1, c.CatalogueCount - kWatchedRecords); i <= c.CatalogueCount; ++i)
        mine.emplace(Key { c[i].OriginDate, c[i].OriginTime, c[i].Latitude, c[i].Longitude }, c[i]);
    const Key oldest = mine.empty() ? Key {} : mine.begin()->first;
    for (qint64 i = std::max<qint64>(0, m_model->size() - kWatchedRecords); i < m_model->size(); ++i) {
        const QuakeRecord& r = m_model->at(i);
        const Key key { r.OriginDate, r.OriginTime, r.Latitude, r.Longitude };
        if (!(key < oldest))
            theirs.emplace(key, r);
    }
    QStringList missing, extra, changed;
    for (const auto& [key, record] : theirs) {
        const auto found = mine.find(key);
        if (found == mine.end())
            missing << ServiceModel::describe(record);
        else if (std::memcmp(&found->second, &record, sizeof record) != 0)
            changed << ServiceModel::describe(found->second) + QStringLiteral(" (the service's: ")
                    + ServiceModel::describe(record) + QLatin1Char(')');
    }
    for (const auto& [key, record] : mine)
        if (!theirs.contains(key) && !(key < oldest))
            extra << ServiceModel::describe(record);
    return QStringLiteral("among the newest: missing [%1], not served [%2], changed [%3]")
        .arg(missing.join(QStringLiteral("; ")), extra.join(QStringLiteral("; ")),
            changed.join(QStringLiteral("; ")));
}

void Soak::checkWarnings(int firstWritten)
{
    const Catalogue& c = m_program->state().catalogue;
    TForm1& f = m_program->form();
    // What arrived: records the program never held before.
    std::set<Key> present;
    for (int i = std::max(1, c.CatalogueCount - kWatchedRecords); i <= c.CatalogueCount; ++i) {
        const Key key { c[i].OriginDate, c[i].OriginTime, c[i].Latitude, c[i].Longitude };
        present.insert(key);
        if (m_known.insert(key).second)
            m_pending.push_back(c[i]);
    }

    QStringList said;
    const QStringList memo = f.Memo2->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int i = m_memo2Lines; i < memo.size(); ++i)
        said << memo[i];
    m_memo2Lines = int(memo.size());
    m_warningsReported += int(said.size());

    QStringList due;
    if (firstWritten > 0) {
        // The criteria as the user set them: only a checked criterion counts, and one whose boxes
        // do not hold good numbers leaves the arrivals for the next check.
        SearchBoxes b;
        b.magnitude = f.CheckBox6->isChecked();
        b.depth = f.CheckBox9->isChecked();
        b.longitude = f.CheckBox7->isChecked();
        b.latitude = f.CheckBox8->isChecked();
        b.texts = { f.Edit1->text(), f.Edit19->text(), f.Edit17->text(), f.Edit18->text(), f.Edit2->text(),
            f.Edit3->text(), f.Edit4->text(), f.Edit5->text() };
        const bool checked[] = { b.magnitude, b.depth, b.longitude, b.latitude };
        for (int criterion = 0; criterion < 4; ++criterion)
            if (!checked[criterion])
                b.texts[std::size_t(2 * criterion)] = b.texts[std::size_t(2 * criterion + 1)]
                    = QStringLiteral("0");
        std::optional<SearchCriteria> criteria;
        try {
            if (!alertBoxesFault(b))
                criteria = alertCriteria(b, f.RadioButton10->isChecked());
        } catch (const ConversionError&) {
        }
        if (criteria) {
            for (const QuakeRecord& r : m_pending) {
                // An event the service deleted before it was checked is no news.
                if (present.contains(Key { r.OriginDate, r.OriginTime, r.Latitude, r.Longitude })
                    && MatchesSearch(r, *criteria))
                    due << AlertLine(r);
            }
            m_pending.clear();
        }
    }
    // A line is written in the language of its moment, which the user may have changed since:
    // lines are compared by their figures.
    const auto figures = [](QString line) {
        line.removeIf([](QChar c) { return c.isLetter() || c == QLatin1Char('.'); });
        return line.simplified();
    };
    QStringList missing = due;
    QStringList missingFigures;
    for (const QString& line : due)
        missingFigures << figures(line);
    QStringList extra;
    for (const QString& line : said) {
        const qsizetype at = missingFigures.indexOf(figures(line));
        if (at < 0) {
            extra << line;
            continue;
        }
        missing.removeAt(at);
        missingFigures.removeAt(at);
    }
    // The criteria as the boxes show them, and the last box the user saw, to tell why.
    const auto boxes = [&f, this] {
        QStringList shown;
        const std::pair<QCheckBox*, std::pair<QLineEdit*, QLineEdit*>> rows[]
            = { { f.CheckBox6, { f.Edit1, f.Edit19 } }, { f.CheckBox9, { f.Edit17, f.Edit18 } },
                  { f.CheckBox7, { f.Edit2, f.Edit3 } }, { f.CheckBox8, { f.Edit4, f.Edit5 } } };
        for (const auto& [box, edits] : rows)
            shown << QStringLiteral("%1%2 \"%3\" \"%4\"")
                         .arg(box->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("[ ] "), box->text(),
                             edits.first->text().left(12), edits.second->text().left(12));
        return shown.join(QStringLiteral(", ")) + QStringLiteral("; last box: \"")
            + m_dialogs.last.value(m_dialogs.last.size() - 1) + QLatin1Char('"');
    };
    for (const QString& line : missing)
        fail(QStringLiteral("warning"),
            QStringLiteral("not reported in \"Ostrzeżenia\": %1 (criteria: %2)").arg(line, boxes()));
    for (const QString& line : extra)
        fail(QStringLiteral("warning"), QStringLiteral("reported without cause or twice: %1").arg(line));
    // The bookkeeping forgets what lies far behind the catalogue's end.
    if (m_known.size() > std::size_t(4 * kWatchedRecords)) {
        std::set<Key> kept;
        for (int i = std::max(1, c.CatalogueCount - kWatchedRecords); i <= c.CatalogueCount; ++i)
            kept.insert(Key { c[i].OriginDate, c[i].OriginTime, c[i].Latitude, c[i].Longitude });
        m_known = std::move(kept);
    }
}

void Soak::checkReplay(bool byUser, const QString& cause)
{
    TForm1& f = m_program->form();
    const Replay& replay = m_program->replay();
    const bool running = replay.isRunning();
    const int memoLines = f.Memo1->lineCount();
    if (running && !m_replayRunning)
        ++m_replays;
    if (m_replayRunning && !byUser) {
        if (!running) {
            // Its end: the clock of the replay reached the present or the catalogue's last record.
            const ReplayStepper& s = replay.stepper();
            const bool atItsEnd
                = s.SimCursor >= m_program->state().catalogue.CatalogueCount || s.SimClock >= m_clock.now();
            if (!atItsEnd && !m_closing)
                fail(QStringLiteral("replay"),
                    QStringLiteral("a replay ended before its end (at %1) on %2")
                        .arg(dateTimeText(s.SimClock), cause));
        } else if (memoLines < m_memo1Lines) {
            fail(QStringLiteral("replay"),
                QStringLiteral("the replay's log went from %1 lines to %2 on %3")
                    .arg(m_memo1Lines)
                    .arg(memoLines)
                    .arg(cause));
        }
    }
    m_replayRunning = running;
    m_memo1Lines = memoLines;
}

void Soak::finish()
{
    TForm1& f = m_program->form();
    // The user closes the window: whatever runs ends, the notes fall silent.
    m_closing = true;
    const int resets = m_midi.resets;
    const bool replaying = m_program->replay().isRunning();
    m_stepLabel = QStringLiteral("close the window");
    log(m_stepLabel);
    const qint64 wall0 = m_wall.nsecsElapsed();
    const qint64 cpu0 = threadCpuNs();
    f.close();
    m_pauses.record(m_stepLabel, m_wall.nsecsElapsed() - wall0, threadCpuNs() - cpu0);
    if (m_program->updateCycle().isRunning())
        fail(QStringLiteral("close"), QStringLiteral("an update still runs after the window closed"));
    if (m_program->replay().isRunning())
        fail(QStringLiteral("close"), QStringLiteral("the replay still runs after the window closed"));
    if (replaying && m_midi.resets == resets)
        fail(QStringLiteral("close"), QStringLiteral("closing the window did not silence the replay"));
    const qint64 rss = rssBytes();
    if (m_rssFirstHour < 0)
        m_rssFirstHour = rss;
    m_rssLast = rss;
    m_rssPeak = std::max(m_rssPeak, rss);
    m_done = true;
}

void Soak::printReport()
{
    // The pauses: the worst of any handler but the named ones, by the time the window's thread
    // spent in it (the wall clock of a machine shared with other work says more about the others).
    qint64 worstCpu = 0;
    qint64 worstWall = 0;
    QString worstWhat;
    for (const auto& [what, worst] : m_pauses.worst()) {
        if (allowedReason(what))
            continue;
        worstWall = std::max(worstWall, worst.wallNs);
        if (worst.cpuNs > worstCpu) {
            worstCpu = worst.cpuNs;
            worstWhat = what;
        }
    }
    const qint64 worstMs = worstCpu / 1'000'000;
    if (!m_settings.sanitized && worstMs > kPauseLimitMs)
        fail(QStringLiteral("pause"),
            QStringLiteral("%1 held the window for %2 ms").arg(worstWhat).arg(worstMs));
    const double growthMb = double(m_rssLast - std::max<qint64>(m_rssFirstHour, 0)) / double(kMegabyte);
    if (m_settings.hours > 1 && growthMb > 20)
        fail(QStringLiteral("memory"),
            QStringLiteral("the memory held grew by %1 MB after the first hour").arg(growthMb, 0, 'f', 1));

    std::printf("soak: %d updates completed, %d without a reply, %d failed, %d stopped; %d replays; %d "
                "warnings reported; %d boxes; %d MB resident at the end, %d MB at most\n",
        m_updates[0], m_updates[1], m_updates[3], m_updates[2], m_replays, m_warningsReported,
        m_dialogs.count, int(m_rssLast / kMegabyte), int(m_rssPeak / kMegabyte));
    std::printf("soak: %d steps: %d pauses, %d timer ticks, %d actions;",
        m_steps[0] + m_steps[1] + m_steps[2], m_steps[0], m_steps[1], m_steps[2]);
    for (const auto& [name, ticks] : m_timerTicks)
        std::printf(" %s %d", qPrintable(name), ticks);
    std::printf("\n");
    std::vector<std::pair<qint64, QString>> longest;
    for (const auto& [what, worst] : m_pauses.worst())
        longest.emplace_back(worst.cpuNs, what);
    std::sort(longest.rbegin(), longest.rend());
    for (std::size_t i = 0; i < std::min<std::size_t>(longest.size(), 5); ++i)
        std::printf("soak: pause of %lld ms: %s\n", static_cast<long long>(longest[i].first / 1'000'000),
            qPrintable(longest[i].second));
    std::printf("soak: the worst pause came from %s (%lld ms of the thread, %lld ms by the wall clock)\n",
        qPrintable(worstWhat), static_cast<long long>(worstMs),
        static_cast<long long>(worstWall / 1'000'000));
    for (const AllowedPause& allowed : kAllowedPauses) {
        qint64 ms = 0;
        for (const auto& [what, worst] : m_pauses.worst())
            if (what.startsWith(QLatin1String(allowed.labelStart)))
                ms = std::max(ms, worst.cpuNs / 1'000'000);
        std::printf("soak: allowed to pause: %s, at most %lld ms: %s\n", allowed.labelStart,
            static_cast<long long>(ms), allowed.reason);
    }
    if (m_failures > 0) {
        std::printf("soak: FAILED, seed %llu (SOAK_SEED=%llu SOAK_HOURS=%g reruns it)\n",
            static_cast<unsigned long long>(m_settings.seed),
            static_cast<unsigned long long>(m_settings.seed), m_settings.hours);
        for (const auto& [kind, count] : m_failureKinds)
            std::printf("soak: %d %s failure(s)\n", count, qPrintable(kind));
        for (const QString& text : m_failureTexts)
            std::printf("soak: %s\n", qPrintable(text));
        std::printf(
            "soak: the last %d actions before the first failure:\n", int(m_actionsBeforeFailure.size()));
        for (const QString& line : m_actionsBeforeFailure)
            std::printf("  %s\n", qPrintable(line));
        m_exitCode = 1;
    }
    for (const auto& [text, times] : m_dialogs.kinds)
        std::printf("soak: box %dx: %s\n", times, qPrintable(text));
    std::printf("soak: memory held beside the map picture, each hour (MB):");
    for (const qint64 rss : m_rssHourly)
        std::printf(" %d", int(rss / kMegabyte));
    std::printf("\n");
    std::printf("soak_simulated_hours: %.1f\n", double(m_clock.ms() - m_startMs) / double(kMsPerHour));
    std::printf("soak_actions: %d\n", m_actions);
    std::printf("soak_invariant_failures: %d\n", m_failures);
    std::printf("soak_worst_pause_ms: %lld\n", static_cast<long long>(worstMs));
    std::printf("soak_rss_growth_mb: %.1f\n", growthMb);
    std::printf("soak_wall_s: %.0f\n", double(m_wall.elapsed()) / 1000.0);
    std::fflush(stdout);
}

} // namespace tremora::soak
