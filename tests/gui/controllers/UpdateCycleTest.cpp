// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/UpdateCycle.h"

#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/CatalogueView.h"
#include "gui/widgets/Lamp.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TextPrinting.h"
#include "tests/support/Waiting.h"
#include "tools/EventServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace tremora
{
namespace
{

// Passes requests on to the real downloader, except those of chosen periods: `failing` gets no
// reply (after `whileFailing` has run, as the reply would be due), `unavailable` an error page,
// `empty` the service's "no content" answer.
class FailingDownloader final : public Downloader
{
public:
    explicit FailingDownloader(Downloader& inner)
        : m_inner(inner)
    {
    }
    Download* download(const QString& url, const QString& filePath) override
    {
        ++requests;
        if (!failing.isEmpty() && url.contains(failing))
            return new fakes::AnsweredDownload(
                [this] {
                    if (whileFailing)
                        whileFailing();
                    return false;
                },
                0);
        if (!unavailable.isEmpty() && url.contains(unavailable))
            return answer(
                filePath, 503, QByteArrayLiteral("<html><body>503 Service Unavailable</body></html>"));
        if (!empty.isEmpty() && url.contains(empty))
            return answer(filePath, 204, {});
        return m_inner.download(url, filePath);
    }
    QString failing; // e.g. "starttime=2015-07-01"
    QString unavailable;
    QString empty;
    std::function<void()> whileFailing;
    int requests = 0;

private:
    static Download* answer(const QString& filePath, int status, const QByteArray& body)
    {
        return new fakes::AnsweredDownload(
            [filePath, body] { return test::writeAll(filePath, body); }, status);
    }
    Downloader& m_inner;
};

// The real window and the update cycle over a loopback event service holding the first days of
// the July 2015 reply (29 June to 3 July 2015) and 14 October 2017, with the clock standing at
// noon of a chosen day.
class UpdateCycleTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_server = std::make_unique<EventServer>();
        ASSERT_GT(s_server->addCsv(test::readAll(kJuly2015)), 0);
        // October 2017 has an event in the last second of a day (14 October, 23:59:59.702).
        ASSERT_GT(
            s_server->addCsv(test::readAll(test::fixture(QStringLiteral("usgs/2017-10-14-fdsn-asc.csv")))),
            0);
        ASSERT_GT(s_server->start(), 0);
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override
    {
        s_server->setLimit(EventServer::kDefaultLimit);
        state.workDir = QDir(dir.path());
        state.catalogue.CatalogueFileName = state.path(QStringLiteral("Baza_USGS.dat"));
        cycle = std::make_unique<UpdateCycle>(form, state, platform, events);
    }

    // Starts an update and waits for its end.
    static bool runUpdate(UpdateCycle& c) { return c.Akt_Bazy() && test::waitForUpdate(c.update()); }

    void setToday(int year, int month, int day) { clock.set(double(dayNumber(year, month, day)) + 0.5); }

    // The catalogue as it would stand after importing every event from `from` to `to`.
    static std::unique_ptr<Catalogue> catalogueOf(const char* from, const char* to)
    {
        auto c = std::make_unique<Catalogue>();
        QuietObserver quiet;
        const AnalizaResult r = Analiza(s_server->answer(from, to).body, *c, 0, false, quiet);
        EXPECT_TRUE(r.accepted);
        c->CatalogueCount = c->ImportCount;
        return c;
    }
    static QByteArray fileImage(const Catalogue& c)
    {
        return QByteArray(reinterpret_cast<const char*>(c.slots() + 1),
            qsizetype(c.CatalogueCount) * qsizetype(sizeof(QuakeRecord)));
    }
    // Stores the events from `from` to `to` as the program's catalogue file and loads it.
    void storeCatalogue(const char* from, const char* to)
    {
        const auto c = catalogueOf(from, to);
        ASSERT_TRUE(test::writeAll(state.catalogue.CatalogueFileName, fileImage(*c)));
        LoadCatalogue(state.catalogue);
        state.catalogue.ImportCount = state.catalogue.CatalogueCount;
        ASSERT_GE(state.catalogue.CatalogueCount, kMinIncrementalCount);
    }
    QByteArray storedFile() const { return test::readAll(state.catalogue.CatalogueFileName); }

    // How the status bar writes a count below a million: 12345 as "12 345".
    static QString grouped(int n)
    {
        return n < 1000 ? QString::number(n)
                        : QStringLiteral("%1 %2").arg(n / 1000).arg(n % 1000, 3, 10, QLatin1Char('0'));
    }
    static std::unique_ptr<Catalogue> seedOf() { return catalogueOf("2015-06-29", "2015-06-30 12:00:00"); }
    // Older records than any the service holds: one for every 400 s from 1 January 1973 on.
    static QuakeRecord filler(int i)
    {
        constexpr int kPerDay = 216;
        QuakeRecord r;
        r.OriginDate = dayNumber(1973, 1, 1) + (i - 1) / kPerDay;
        r.OriginTime = ((i - 1) % kPerDay) * 400 / 86400.0;
        r.Longitude = float(i % 360 - 180);
        r.Latitude = float(i % 180 - 90);
        r.Mag10 = std::uint8_t(10 + i % 60);
        r.Depth10 = std::uint16_t(i % 7000);
        return r;
    }
    // A catalogue of `count` records whose newest are the service's events from `from` to `to`
    // and the rest fillers before them; nothing on disk yet.
    std::unique_ptr<Catalogue> seedNearFull(
        int count, const char* from = "2015-06-29", const char* to = "2015-06-30 12:00:00")
    {
        auto seed = catalogueOf(from, to);
        Catalogue& c = state.catalogue;
        const int fillers = count - seed->CatalogueCount;
        for (int i = 1; i <= fillers; ++i)
            c[i] = filler(i);
        std::copy(seed->slots() + 1, seed->slots() + 1 + seed->CatalogueCount, c.slots() + fillers + 1);
        c.CatalogueCount = count;
        c.ImportCount = count;
        return seed;
    }
    // The newest records of fillers 1 .. `fillers` followed by the service's events in `events`.
    static QByteArray newestImage(int fillers, const Catalogue& events)
    {
        const qint64 total = qint64(fillers) + events.CatalogueCount;
        const int kept = int(std::min<qint64>(total, kCatalogueCapacity));
        QByteArray image;
        image.reserve(qsizetype(kept) * qsizetype(sizeof(QuakeRecord)));
        for (int i = int(total - kept) + 1; i <= fillers; ++i) {
            const QuakeRecord r = filler(i);
            image.append(reinterpret_cast<const char*>(&r), sizeof r);
        }
        return image + fileImage(events);
    }
    // Memory and file hold exactly those records.
    void expectNewest(int fillers, const Catalogue& events)
    {
        const QByteArray image = newestImage(fillers, events);
        ASSERT_EQ(qsizetype(state.catalogue.CatalogueCount) * qsizetype(sizeof(QuakeRecord)), image.size());
        EXPECT_TRUE(storedFile() == image) << "the file holds the newest records in order";
        EXPECT_TRUE(fileImage(state.catalogue) == image) << "and so does memory";
    }
    QStringList memoLines() const
    {
        QStringList lines;
        for (int i = 0; i < form.Memo1->lineCount(); ++i)
            lines << form.Memo1->line(i);
        return lines;
    }

    static inline const QString kJuly2015
        = test::fixture(QStringLiteral("usgs/2015-07-first-days-fdsn-asc.csv"));
    static inline std::unique_ptr<EventServer> s_server;
    QTemporaryDir dir;
    fakes::FixedClock clock;
    fakes::RecordingDialogs dialogs;
    QtDownloader network;
    FailingDownloader downloader { network };
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, s_server->baseUrl(), QString() };
    ProgramState state;
    ProgramEvents events;
    TForm1 form;
    std::unique_ptr<UpdateCycle> cycle;
};

TEST_F(UpdateCycleTest, IncrementalUpdateOverTwoMonthsSavesExactlyTheServicesEvents)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    setToday(2015, 7, 3);
    form.Timer2->setInterval(3 * UpdateCycle::kMsPerMinute);

    ASSERT_TRUE(runUpdate(*cycle));

    const auto expected = catalogueOf("2015-06-29", "2015-07-03 23:59:59.999");
    EXPECT_EQ(state.catalogue.CatalogueCount, expected->CatalogueCount);
    EXPECT_EQ(storedFile(), fileImage(*expected));
    EXPECT_EQ(s_server->requestCount() > 0, true);
    EXPECT_TRUE(downloader.requests == 2) << "30 June, then 1 to 3 July";
    EXPECT_EQ(form.Edit7->text(), QStringLiteral("2015-07-01"));
    EXPECT_EQ(form.Edit8->text(), QStringLiteral("2015-07-03"));
    EXPECT_FALSE(QFile::exists(cycle->replyPath()));
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcGreen);
    EXPECT_TRUE(form.Timer2->isActive());
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());

    // The log holds the last month's lines, then those of the save, in this order.
    const QByteArray lastReply = s_server->answer("2015-07-01", "2015-07-03 23:59:59.999").body;
    const QString size = QString::number(lastReply.size());
    EXPECT_EQ(memoLines(),
        (QStringList { QStringLiteral("Import bazy z serwera USGS..."),
            QStringLiteral("Poprawnie zaimportowano dane z USGS"),
            QStringLiteral("Wielkość: ") + size + QStringLiteral(" bajtów"),
            QStringLiteral("Długość ciągu danych: ") + size + QStringLiteral(" Bajtów"),
            QStringLiteral("Zapisywanie bazy do pliku..."),
            QStringLiteral("Baza zapisana, odczutuję ponownie..."), QStringLiteral(" - Baza odczytana..."),
            QStringLiteral("Aktualizacja: 2015-07-03, 12:00:00") }));

    // Nothing new a second time: the file is not written again (a save would drop the extra byte
    // that a load ignores).
    QFile file(state.catalogue.CatalogueFileName);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("!");
    file.close();
    const QByteArray marked = storedFile();
    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(storedFile(), marked);
    EXPECT_EQ(state.catalogue.CatalogueCount, expected->CatalogueCount);
    EXPECT_EQ(memoLines().size(), 5);
    EXPECT_EQ(memoLines().last(), QStringLiteral("Aktualizacja: 2015-07-03, 12:00:00"));
}

TEST_F(UpdateCycleTest, TheStatusBarShowsMonthKOfNWithABarAndTheCursorIsBusyOnlyForTheSave)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    setToday(2015, 7, 3);
    struct Seen {
        int value, maximum;
        bool visible, busy;
    };
    std::vector<Seen> months;
    bool busyAtSave = false;
    QProgressBar* bar = form.StatusBar1->progressBar();
    // Connected after the cycle's own handlers, so these see what they did.
    QObject::connect(&cycle->update(), &CatalogueUpdate::monthStarted, &form, [&](int, int) {
        months.push_back(
            { bar->value(), bar->maximum(), !bar->isHidden(), QApplication::overrideCursor() != nullptr });
        EXPECT_TRUE(
            form.StatusBar1->panelText(StatusBar::kMessagePanel)
                .startsWith(QStringLiteral("Aktualizacja bazy USGS: miesiąc %1 z 2").arg(months.size())));
    });
    QObject::connect(&cycle->update(), &CatalogueUpdate::saveStarted, &form,
        [&] { busyAtSave = QApplication::overrideCursor() != nullptr; });

    ASSERT_TRUE(runUpdate(*cycle));
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].value, 0);
    EXPECT_EQ(months[1].value, 1);
    for (const Seen& m : months) {
        EXPECT_EQ(m.maximum, 2);
        EXPECT_TRUE(m.visible);
        EXPECT_FALSE(m.busy) << "the window answers between months";
    }
    EXPECT_TRUE(busyAtSave);
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateCycleTest, RevisedEventsAfterTheMatchReplaceTheStoredOnes)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const int newest = state.catalogue.CatalogueCount;
    const std::uint8_t storedMag10 = state.catalogue[newest].Mag10;

    // The service has since revised the magnitude of the newest stored event.
    const QByteArray day = s_server->answer("2015-06-30", "2015-06-30 12:00:00").body;
    const QList<QByteArray> lines = day.trimmed().split('\n');
    QList<QByteArray> fields = lines.last().split(',');
    const QByteArray originalLine = lines.last();
    fields[4] = storedMag10 >= 60 ? "1.1" : "7.3";
    fields[12] = "2016-01-01T00:00:00.000Z";
    EventServer revised;
    revised.addCsv(test::readAll(kJuly2015));
    revised.addCsv(lines.first() + '\n' + fields.join(',') + '\n');
    ASSERT_GT(revised.start(), 0);
    platform.eventHost = revised.baseUrl();
    setToday(2015, 6, 30);

    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(
        state.catalogue.CatalogueCount, catalogueOf("2015-06-29", "2015-06-30 23:59:59.999")->CatalogueCount);
    EXPECT_EQ(state.catalogue[newest].Mag10, storedMag10 >= 60 ? 11 : 73);
    LoadCatalogue(state.catalogue);
    EXPECT_EQ(state.catalogue[newest].Mag10, storedMag10 >= 60 ? 11 : 73) << "and it was saved";
    Q_UNUSED(originalLine);
}

TEST_F(UpdateCycleTest, AMonthWithoutReplyEndsTheUpdateWithNothingSaved)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const QByteArray before = storedFile();
    const int count = state.catalogue.CatalogueCount;
    setToday(2015, 7, 3);
    form.Timer2->setInterval(3 * UpdateCycle::kMsPerMinute);
    form.Timer2->start();

    // A reply of another period, left behind by an update that broke off, and no answer now.
    ASSERT_TRUE(
        test::writeAll(cycle->replyPath(), s_server->answer("2015-06-30", "2015-07-02 23:59:59.999").body));
    downloader.failing = QStringLiteral("starttime=2015-06-30");
    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(downloader.requests, 1 + UpdateCycle::kRetries);
    EXPECT_EQ(pause.total, UpdateCycle::kRetries * UpdateCycle::kRetryPauseMs);
    EXPECT_FALSE(QFile::exists(cycle->replyPath()));
    EXPECT_EQ(state.catalogue.ImportCount, count) << "the leftover reply was not taken for this one";
    EXPECT_EQ(memoLines(),
        (QStringList { QStringLiteral("Import bazy z serwera USGS..."),
            QStringLiteral("Nie otrzymałem pliku z USGS.") }));
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcGreen);
    EXPECT_TRUE(form.Timer2->isActive()) << "the next tick tries again";
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel),
        QStringLiteral("Aktualizacja bazy USGS przerwana (2015-06): serwer nie przysłał katalogu."));
    cycle->Timer7Timer();
    EXPECT_EQ(form.DsFancyButton4->palette().color(QPalette::ButtonText), QColor(0, 128, 0));

    // June comes, July does not: what June brought is not saved either.
    downloader.failing = QStringLiteral("starttime=2015-07-01");
    downloader.requests = 0;
    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(downloader.requests, 1 + 1 + UpdateCycle::kRetries);
    EXPECT_EQ(storedFile(), before);
    EXPECT_EQ(state.catalogue.CatalogueCount, count);
    EXPECT_GT(state.catalogue.ImportCount, count) << "June was merged in memory only";
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

TEST_F(UpdateCycleTest, APeriodTheServerKeepsFailingEndsTheUpdateInsteadOfLeavingAHole)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const QByteArray before = storedFile();
    setToday(2015, 7, 3);
    downloader.unavailable = QStringLiteral("starttime=2015-07-01");

    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(downloader.requests, 1 + 1 + UpdateCycle::kRetries);
    EXPECT_EQ(dialogs.warnings,
        QStringList { QStringLiteral("Baza zaimportowana z sieci jest pusta, błąd serwera USGS...") });
    EXPECT_EQ(storedFile(), before) << "June is not saved while July is missing";
    EXPECT_TRUE(form.Timer2->isActive()) << "a maintenance page does not stop the automatic updates";
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcGreen);

    // Once the server answers again, the next update brings both months.
    downloader.unavailable.clear();
    dialogs.clear();
    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(storedFile(), fileImage(*catalogueOf("2015-06-29", "2015-07-03 23:59:59.999")));
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

TEST_F(UpdateCycleTest, APeriodWithoutEventsIsAnEmptyMonthNotAServerError)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    setToday(2015, 7, 3);
    downloader.empty = QStringLiteral("starttime=2015-07-01");

    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(storedFile(), fileImage(*catalogueOf("2015-06-29", "2015-06-30 23:59:59.999")));
    EXPECT_TRUE(form.Timer2->isActive());
    EXPECT_FALSE(QFile::exists(cycle->replyPath()));
}

TEST_F(UpdateCycleTest, AnEventInTheLastSecondOfTheDayIsNotLost)
{
    storeCatalogue("2017-10-13", "2017-10-14 12:00:00");
    setToday(2017, 10, 14);

    ASSERT_TRUE(runUpdate(*cycle));
    const Catalogue& c = state.catalogue;
    EXPECT_EQ(storedFile(), fileImage(*catalogueOf("2017-10-13", "2017-10-14 23:59:59.999")));
    EXPECT_EQ(c[c.CatalogueCount].OriginDate, double(dayNumber(2017, 10, 14)));
    EXPECT_EQ(timeText(c[c.CatalogueCount].OriginTime), QStringLiteral("23:59:59"));
}

TEST_F(UpdateCycleTest, AMonthOverTheSearchLimitIsFetchedInPiecesWithoutLosingAnEvent)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("usgs/2015-07-fdsn-asc.csv", "the whole USGS month of July 2015");
    // The service holds the whole month, up to 20 July and past it.
    ASSERT_GT(
        s_server->addCsv(test::readAll(test::sharedData(QStringLiteral("usgs/2015-07-fdsn-asc.csv")))), 0);
    // The first month (29 and 30 June) is refused too: its first half must still be matched.
    storeCatalogue("2015-06-29", "2015-06-29 18:00:00");
    setToday(2015, 7, 20);
    const auto expected = catalogueOf("2015-06-29", "2015-07-20 23:59:59.999");
    s_server->setLimit(420); // the busiest day (16 July) has 415 events
    const int before = s_server->requestCount();

    ASSERT_TRUE(runUpdate(*cycle));

    EXPECT_EQ(state.catalogue.CatalogueCount, expected->CatalogueCount);
    EXPECT_EQ(storedFile(), fileImage(*expected));
    EXPECT_GT(s_server->requestCount() - before, 20) << "both months were refused and fetched in pieces";
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(form.Edit7->text(), QStringLiteral("2015-07-20"));
}

TEST_F(UpdateCycleTest, ASingleDayOverTheLimitIsReportedAndTheUpdateGoesOn)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    setToday(2015, 7, 2);
    s_server->setLimit(100);

    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(dialogs.warnings.size(), 3) << "30 June, 1 and 2 July each refused";
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcGreen);
    EXPECT_TRUE(form.Timer2->isActive() || form.Timer2->interval() == 0);
}

TEST_F(UpdateCycleTest, AMalformedReplyEndsTheUpdateThroughTheErrorBox)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const QByteArray before = storedFile();
    fakes::ScriptedDownloader scripted([](const QString&, const QString& path) {
        QByteArray body
            = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type\n";
        for (int i = 0; i < 10; ++i)
            body += "2015-06-30T23:00:0" + QByteArray::number(i) + ".000Z,north,20.5,5,1.5,ml,,,,0.5,ak,x"
                + QByteArray::number(i) + ",2015-07-01T00:00:00.000Z,\"somewhere\",earthquake\n";
        return test::writeAll(path, body);
    });
    Platform scriptedPlatform { clock, dialogs, scripted, pause, QStringLiteral("http://127.0.0.1:9"),
        QString() };
    cycle.reset();
    UpdateCycle c(form, state, scriptedPlatform, events);
    bool redrawn = false;
    QObject::connect(&events, &ProgramEvents::calendarDayRequested, &events, [&] { redrawn = true; });
    setToday(2015, 6, 30);
    form.Timer5->start();

    c.Timer5Timer();
    ASSERT_TRUE(test::waitForUpdate(c.update()));

    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcRed);
    EXPECT_TRUE(form.Timer2->isActive()) << "the next automatic update tries again";
    EXPECT_FALSE(form.Timer5->isActive());
    EXPECT_FALSE(redrawn) << "the day redraw is skipped";
    EXPECT_EQ(storedFile(), before);
    EXPECT_FALSE(c.isRunning()) << "a later update may start again";

    // The automatic update meets the same fault again: the status bar says so, no second box.
    ASSERT_TRUE(c.Akt_Bazy());
    ASSERT_TRUE(test::waitForUpdate(c.update()));
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel),
        QStringLiteral("Aktualizacja bazy USGS przerwana (2015-06): błędne dane z serwera."));
    EXPECT_TRUE(form.Timer2->isActive());
}

TEST_F(UpdateCycleTest, ASecondStartIsRefusedAndClosingTheWindowEndsTheUpdateUnsaved)
{
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const QByteArray before = storedFile();
    setToday(2015, 7, 3);
    // While the service is being asked for July, the user clicks the button again, then closes
    // the window.
    int requestsAtClick = -1;
    downloader.failing = QStringLiteral("starttime=2015-07-01");
    downloader.whileFailing = [&] {
        form.DsFancyButton4->click();
        requestsAtClick = downloader.requests;
        form.close();
    };
    UpdateCycle& c = *cycle;

    c.DsFancyButton4Click();
    ASSERT_TRUE(test::waitForUpdate(c.update()));

    EXPECT_EQ(requestsAtClick, 2) << "the second click started nothing";
    EXPECT_EQ(downloader.requests, 2) << "no retry after the window closed";
    EXPECT_EQ(storedFile(), before);
    EXPECT_FALSE(c.isRunning());
}

// A full catalogue follows the service: what an update brings past the capacity pushes out as
// many of the oldest records. (This case once asserted the faulty old behaviour: the import
// stopped at the last slot with a warning box, so the catalogue never again received an event.)
TEST_F(UpdateCycleTest, AFullCatalogueTakesAWholeMonthAndDropsAsManyOfItsOldestRecords)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("usgs/2015-07-fdsn-asc.csv", "the whole USGS month of July 2015");
    ASSERT_GT(
        s_server->addCsv(test::readAll(test::sharedData(QStringLiteral("usgs/2015-07-fdsn-asc.csv")))), 0);
    CatalogueView view(form, state, dialogs, clock, events);
    const auto seed = seedNearFull(kCatalogueCapacity, "2015-06-29", "2015-06-30 12:00:00");
    state.LastAlertIndex = kCatalogueCapacity;
    setToday(2015, 7, 29);

    ASSERT_TRUE(runUpdate(*cycle));

    const auto month = catalogueOf("2015-06-29", "2015-07-29 23:59:59.999");
    const int dropped = month->CatalogueCount - seed->CatalogueCount;
    ASSERT_GT(dropped, 8'000);
    expectNewest(kCatalogueCapacity - seed->CatalogueCount, *month);
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << "an automatic update never opens a box of its own";
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel),
        QStringLiteral("Baza pełna: usunięto %1 najstarszych wstrząsów; baza zaczyna się od %2")
            .arg(grouped(dropped), dateText(filler(dropped + 1).OriginDate)));
    EXPECT_EQ(form.Label3->text(), QStringLiteral("1999999"));
    EXPECT_EQ(form.Label7->text(), dateText(filler(dropped + 1).OriginDate));
    EXPECT_EQ(form.Label9->text(), QStringLiteral("2015-07-29"));
    EXPECT_EQ(state.LastAlertIndex, kCatalogueCapacity - dropped) << "the record checked last, where it went";
    EXPECT_EQ(form.GphLamp1->color(), TLampColor::lcGreen);
    EXPECT_TRUE(form.Timer2->isActive() || form.Timer2->interval() == 0);

    // Nothing new the next time: nothing gives way and the file is not written again (a save
    // would drop the extra byte that a load ignores).
    QFile file(state.catalogue.CatalogueFileName);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("!");
    file.close();
    const qint64 marked = file.size();
    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(QFileInfo(file).size(), marked);
    EXPECT_EQ(state.catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_EQ(state.catalogue[1].OriginDate, filler(dropped + 1).OriginDate);
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel),
        QStringLiteral("Aktualizacja: 2015-07-29, 12:00:00"));
    EXPECT_EQ(state.LastAlertIndex, kCatalogueCapacity - dropped);
}

TEST_F(UpdateCycleTest, AnUpdateThatExactlyFillsTheCatalogueDropsNothingAndOneMoreDropsOne)
{
    CatalogueView view(form, state, dialogs, clock, events);
    const auto after = catalogueOf("2015-06-29", "2015-07-03 23:59:59.999");
    setToday(2015, 7, 3);

    // The update brings exactly the room left.
    seedNearFull(kCatalogueCapacity - after->CatalogueCount + seedOf()->CatalogueCount);
    state.LastAlertIndex = 7;
    ASSERT_TRUE(runUpdate(*cycle));
    expectNewest(kCatalogueCapacity - after->CatalogueCount, *after);
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel), CatalogueView::kLoadedText);
    EXPECT_EQ(form.Label7->text(), dateText(filler(1).OriginDate));
    EXPECT_EQ(state.LastAlertIndex, 7);

    // One record more than the room: exactly the oldest gives way.
    seedNearFull(kCatalogueCapacity - after->CatalogueCount + seedOf()->CatalogueCount + 1);
    ASSERT_TRUE(runUpdate(*cycle));
    expectNewest(kCatalogueCapacity - after->CatalogueCount + 1, *after);
    EXPECT_EQ(state.catalogue[1].OriginDate, filler(2).OriginDate);
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel),
        QStringLiteral("Baza pełna: usunięto 1 najstarszy wstrząs; baza zaczyna się od %1")
            .arg(dateText(filler(2).OriginDate)));
    EXPECT_EQ(state.LastAlertIndex, 6);
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

TEST_F(UpdateCycleTest, AFullCatalogueThatCannotBeSavedKeepsTheNewestInMemoryAndTheOldFile)
{
    CatalogueView view(form, state, dialogs, clock, events);
    const auto seed = seedNearFull(kCatalogueCapacity);
    ASSERT_TRUE(SaveCatalogue(state.catalogue).ok);
    const QByteArray before = storedFile();
    state.LastAlertIndex = kCatalogueCapacity;
    setToday(2015, 7, 3);

    // Replies of a megabyte can still be written, the catalogue's 80 MB no longer.
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16 << 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ran = runUpdate(*cycle);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(ran);

    const auto after = catalogueOf("2015-06-29", "2015-07-03 23:59:59.999");
    const int dropped = after->CatalogueCount - seed->CatalogueCount;
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(storedFile() == before) << "the old file stays whole";
    EXPECT_EQ(state.catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_TRUE(fileImage(state.catalogue) == newestImage(kCatalogueCapacity - seed->CatalogueCount, *after))
        << "the new records stay in memory, in order";
    EXPECT_EQ(state.LastAlertIndex, kCatalogueCapacity - dropped);
    EXPECT_TRUE(form.StatusBar1->panelText(StatusBar::kMessagePanel)
                    .startsWith(QStringLiteral("Baza pełna: usunięto %1 ").arg(grouped(dropped))));
}

TEST_F(UpdateCycleTest, AnUpdateOfMoreThanTheCapacityDropsItsOwnMatchPointAndKeepsTheNewest)
{
    // A synthetic service from January 1973 to 30 September 2023: a little over two million
    // events. The catalogue holds the first 150, so its first month is matched near its start,
    // and the update brings so much that the match point and every record before it give way.
    EventServer synthetic;
    // The synthetic catalogue repeats whatever real rows it is given; the kept slices will do.
    ASSERT_GT(synthetic.addFolder(test::fixture(QStringLiteral("usgs"))), 0);
    const QDate lastDay(2023, 9, 30);
    synthetic.serveSynthetic(lastDay);
    ASSERT_GT(synthetic.start(), 0);
    platform.eventHost = synthetic.baseUrl();
    setToday(lastDay.year(), lastDay.month(), lastDay.day());

    // Every served event the import keeps (a few real rows have no magnitude), in order, month by
    // month.
    std::vector<QuakeRecord> served;
    served.reserve(std::size_t(synthetic.eventCount()));
    Catalogue month;
    for (QDate first(EventServer::kSyntheticFirstYear, 1, 1); first <= lastDay; first = first.addMonths(1)) {
        QuietObserver quiet;
        month.ImportCount = 0;
        const QByteArray last = first.addMonths(1).addDays(-1).toString(Qt::ISODate).toLatin1();
        Analiza(synthetic.answer(first.toString(Qt::ISODate).toLatin1(), last + " 23:59:59.999").body, month,
            0, false, quiet);
        served.insert(served.end(), month.slots() + 1, month.slots() + 1 + month.ImportCount);
    }
    ASSERT_GT(served.size(), std::size_t(synthetic.eventCount()) * 99 / 100);
    const int dropped = int(served.size()) - kCatalogueCapacity;
    ASSERT_GT(dropped, 150);

    CatalogueView view(form, state, dialogs, clock, events);
    Catalogue& c = state.catalogue;
    std::copy(served.begin(), served.begin() + 150, c.slots() + 1);
    c.CatalogueCount = c.ImportCount = 150;
    state.LastAlertIndex = 150;

    ASSERT_TRUE(cycle->Akt_Bazy());
    ASSERT_TRUE(test::waitForUpdate(cycle->update(), 280'000));

    const QByteArray newest(reinterpret_cast<const char*>(served.data() + dropped),
        qsizetype(kCatalogueCapacity) * qsizetype(sizeof(QuakeRecord)));
    ASSERT_EQ(c.CatalogueCount, kCatalogueCapacity);
    EXPECT_TRUE(fileImage(c) == newest) << "memory holds the newest served events in order";
    EXPECT_TRUE(storedFile() == newest) << "and so does the file";
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_TRUE(form.StatusBar1->panelText(StatusBar::kMessagePanel)
                    .startsWith(QStringLiteral("Baza pełna: usunięto %1 ").arg(grouped(dropped))))
        << form.StatusBar1->panelText(StatusBar::kMessagePanel).toStdString();
    EXPECT_EQ(state.LastAlertIndex, 0) << "the record it pointed at is gone; it never goes below 0";
}

TEST_F(UpdateCycleTest, Timer5UpdatesAndRedrawsTheDayOnlyWhenThereIsACatalogue)
{
    int redraws = 0;
    QObject::connect(&events, &ProgramEvents::calendarDayRequested, &events, [&] { ++redraws; });
    setToday(2015, 7, 3);
    form.Timer5->start();
    cycle->Timer5Timer(); // empty catalogue: no update, only the day
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(downloader.requests, 0);
    EXPECT_FALSE(form.Timer5->isActive());

    storeCatalogue("2015-07-02", "2015-07-03 06:00:00");
    form.Timer5->start();
    cycle->Timer5Timer();
    ASSERT_TRUE(test::waitForUpdate(cycle->update()));
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(downloader.requests, 1);
    EXPECT_FALSE(form.Timer5->isActive());
    EXPECT_EQ(
        state.catalogue.CatalogueCount, catalogueOf("2015-07-02", "2015-07-03 23:59:59.999")->CatalogueCount);
}

TEST_F(UpdateCycleTest, IntervalAndCaptionFollowTheSettings)
{
    form.Timer2->setInterval(180'000);
    form.Edit12->setText(QStringLiteral("10"));
    cycle->Zmiana_timera();
    EXPECT_EQ(form.Timer2->interval(), 600'000);
    for (const char* bad : { "", "1a", " 7", "-3", "2,5" }) {
        form.Edit12->setText(QString::fromLatin1(bad));
        cycle->Zmiana_timera();
        EXPECT_EQ(form.Edit12->text(), QStringLiteral("5")) << bad;
        EXPECT_EQ(form.Timer2->interval(), 600'000) << bad;
    }

    form.CheckBox10->setChecked(true);
    form.Timer2->start();
    cycle->Timer7Timer();
    EXPECT_EQ(form.DsFancyButton4->palette().color(QPalette::ButtonText), QColor(0, 128, 0));
    form.CheckBox10->setChecked(false);
    cycle->Timer7Timer();
    EXPECT_EQ(form.DsFancyButton4->palette().color(QPalette::ButtonText), QColor(255, 0, 0));

    // Unchecked, the periodic tick does nothing.
    cycle->Timer2Timer();
    EXPECT_EQ(downloader.requests, 0);

    // An interval of 0 never fires.
    form.Edit12->setText(QStringLiteral("0"));
    cycle->Zmiana_timera();
    form.CheckBox10->setChecked(true);
    cycle->Timer2Timer();
    EXPECT_EQ(downloader.requests, 0);
    EXPECT_FALSE(form.Timer2->isActive());
}

} // namespace
} // namespace tremora

namespace tremora
{
namespace
{

// A catalogue file that broke off in the middle: what was read is used, but the file goes aside
// before the update can save over the records only it holds; the user is told once.
TEST_F(UpdateCycleTest, AFileReadOnlyInPartIsSetAsideBeforeTheUpdateSavesANewOne)
{
    CatalogueView view(form, state, dialogs, clock, events);
    storeCatalogue("2015-06-29", "2015-06-30 12:00:00");
    const QByteArray damaged = storedFile();
    const int whole = state.catalogue.CatalogueCount;
    setToday(2015, 7, 3);

    // The read that broke off after 120 records.
    LoadResult partial = LoadCatalogue(state.catalogue);
    state.catalogue.CatalogueCount = 120;
    state.catalogue.ImportCount = 120;
    partial.loaded = 120;
    partial.error = QStringLiteral("Input/output error");
    Q_EMIT events.catalogueReloaded(partial);

    const QString aside = state.catalogue.CatalogueFileName + QStringLiteral(".uszkodzona-2015-07-03");
    EXPECT_EQ(test::readAll(aside), damaged);
    EXPECT_FALSE(QFile::exists(state.catalogue.CatalogueFileName));
    const QString told = QStringLiteral("Baza USGS odczytana częściowo (120 z %1 rekordów); uszkodzony plik "
                                        "zachowano jako Baza_USGS.dat.uszkodzona-2015-07-03.")
                             .arg(whole);
    EXPECT_EQ(form.StatusBar1->panelText(StatusBar::kMessagePanel), told);
    EXPECT_EQ(memoLines(), QStringList { told });
    EXPECT_TRUE(dialogs.errors.isEmpty()) << "told once, without a box";

    ASSERT_TRUE(runUpdate(*cycle));
    EXPECT_EQ(test::readAll(aside), damaged) << "the damaged file is never written";
    EXPECT_GT(state.catalogue.CatalogueCount, 120);
    EXPECT_EQ(QDir(dir.path()).entryList({ QStringLiteral("Baza_USGS.dat*") }, QDir::Files).size(), 2);
}

} // namespace
} // namespace tremora
