// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Warnings.h"

#include "app/Program.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/window/TForm1.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tremora;

namespace
{

// One event of a reply, in July 2015.
struct Event {
    int day;
    int second; // of the day
    double mag;
    double lat = 10.5;
    double lon = 20.25;
};

QByteArray csvOf(const std::vector<Event>& events)
{
    QByteArray csv = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
                     "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
    for (const Event& e : events) {
        const QString time = QStringLiteral("2015-07-%1T%2:%3:%4.000Z")
                                 .arg(e.day, 2, 10, QLatin1Char('0'))
                                 .arg(e.second / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(e.second / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(e.second % 60, 2, 10, QLatin1Char('0'));
        csv += time.toLatin1() + ',' + QByteArray::number(e.lat) + ',' + QByteArray::number(e.lon) + ",10,"
            + QByteArray::number(e.mag, 'f', 1) + ",mb,,,,0.5,us,t"
            + QByteArray::number(e.day * 100000 + e.second)
            + ",2015-07-10T00:00:00.000Z,\"somewhere\",earthquake,,,,,reviewed,us,us\n";
    }
    return csv;
}

// 150 quiet events, one an hour from 1 July 2015 on: enough for an update to add to them.
std::vector<Event> quietHistory()
{
    std::vector<Event> events;
    for (int i = 0; i < 150; ++i)
        events.push_back({ 1 + i / 24, (i % 24) * 3600, 4.0 });
    return events;
}

// The real window over doubles on 10 July 2015, whose updates are answered with the events a
// test sets; balloons are recorded.
class WarningsTest : public testing::Test, protected fakes::FakePlatform
{
protected:
    WarningsTest()
        : FakePlatform(double(dayNumber(2015, 7, 10)) + 0.5, QStringLiteral("http://127.0.0.1:9"))
    {
    }

    void start(const std::vector<Event>& stored)
    {
        if (!stored.empty()) {
            Catalogue c;
            QuietObserver quiet;
            ASSERT_TRUE(Analiza(csvOf(stored), c, 0, false, quiet).accepted);
            const QByteArray image(reinterpret_cast<const char*>(c.slots() + 1),
                qsizetype(c.ImportCount) * qsizetype(sizeof(QuakeRecord)));
            ASSERT_TRUE(test::writeAll(dir.filePath(QString::fromLatin1(kCatalogueFileName)), image));
        }
        ProgramOptions options;
        options.workDir = dir.path();
        program = std::make_unique<Program>(platform, options, &tray);
        program->FormCreate();
        dialogs.clear();
    }

    // Runs one update whose request for July 2015 is answered with `reply`, every other month
    // with no events.
    void update(const std::vector<Event>& reply)
    {
        const QByteArray body = csvOf(reply);
        const QByteArray none = csvOf({});
        downloader.setAnswer([body, none](const QString& url, const QString& path) {
            return test::writeAll(path, url.contains(QStringLiteral("starttime=2015-07")) ? body : none);
        });
        UpdateCycle& cycle = program->updateCycle();
        ASSERT_TRUE(cycle.Akt_Bazy());
        ASSERT_TRUE(test::waitForUpdate(cycle.update()));
    }

    TForm1& form() { return program->form(); }
    QStringList warningLines() const
    {
        const QString text = program->form().Memo2->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    QTemporaryDir dir;
    fakes::RecordingTray tray;
    std::unique_ptr<Program> program;
};

const QString kM65 = QStringLiteral("2015-07-08 03:00:00 Mag.: 6,5  10,5,  20,25, Głęb.: 10");
const QString kLateM7 = QStringLiteral("2015-07-07 05:30:00 Mag.: 7  10,5,  20,25, Głęb.: 10");

} // namespace

TEST_F(WarningsTest, EachUpdateReportsWhatItBroughtOnceEvenWhenTheServiceReportsItLate)
{
    std::vector<Event> history = quietHistory(); // to 7 July, 05:00
    start(history);
    ASSERT_EQ(program->state().LastAlertIndex, 150);

    // The update re-synchronises on stored records and writes everything after them again.
    std::vector<Event> reply(history.end() - 5, history.end());
    reply.push_back({ 8, 3 * 3600, 6.5 });
    update(reply);
    EXPECT_EQ(warningLines(), QStringList { kM65 });
    ASSERT_EQ(tray.balloons.size(), 1u);
    EXPECT_EQ(tray.balloons[0].title, QStringLiteral("Alert:"));
    EXPECT_EQ(tray.balloons[0].text, kM65);
    EXPECT_EQ(tray.balloons[0].icon, Tray::BalloonIcon::Info);

    // A strong earthquake reported late sorts in before the newest stored record; the 6.5 comes
    // again with it but was reported already.
    reply = std::vector<Event>(history.end() - 5, history.end());
    reply.push_back({ 7, 5 * 3600 + 1800, 7.0 });
    reply.push_back({ 8, 3 * 3600, 6.5 });
    update(reply);
    EXPECT_EQ(warningLines(), (QStringList { kM65, kLateM7 }));
    EXPECT_EQ(tray.balloons.size(), 2u);

    // Nothing new: nothing reported, however often the check runs.
    update(reply);
    EXPECT_EQ(warningLines().size(), 2);
    EXPECT_EQ(program->state().LastAlertIndex, program->state().catalogue.CatalogueCount);
}

TEST_F(WarningsTest, ARebuildIsHistoryButTheUpdateAfterItIsNews)
{
    start({});
    std::vector<Event> month = quietHistory();
    month[40].mag = 6.8;
    month[90].mag = 7.1;
    update(month);
    ASSERT_EQ(program->state().catalogue.CatalogueCount, 150);
    EXPECT_TRUE(warningLines().isEmpty());
    EXPECT_TRUE(tray.balloons.empty());

    std::vector<Event> next(month.end() - 3, month.end());
    next.push_back({ 9, 600, 6.0 });
    update(next);
    EXPECT_EQ(warningLines(),
        QStringList { QStringLiteral("2015-07-09 00:10:00 Mag.: 6  10,5,  20,25, Głęb.: 10") });
}

TEST_F(WarningsTest, OneBalloonPerCheckForTheLastMatchAndEveryLineInTheMemo)
{
    std::vector<Event> history = quietHistory();
    start(history);
    form().PageControl1->setCurrentIndex(TForm1::TabBase);
    form().PageControl3->setCurrentIndex(TForm1::TabFilters);

    std::vector<Event> reply(history.end() - 2, history.end());
    for (int k = 0; k < 3; ++k)
        reply.push_back({ 8, 3600 * (k + 1), 6.0 + k });
    update(reply);

    const QStringList lines = warningLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QStringLiteral("Mag.: 8  ")));
    ASSERT_EQ(tray.balloons.size(), 1u) << "desktops queue balloons: one per check";
    EXPECT_EQ(tray.balloons[0].text, lines[2]);
    EXPECT_EQ(tray.balloons[0].milliseconds, Warnings::kBalloonMs);
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabQuakes);
    EXPECT_EQ(form().PageControl3->currentIndex(), TForm1::TabWarnings);
}

TEST_F(WarningsTest, AFaultyBoxReportsNothingAndTheSameRecordsWaitForTheNextCheck)
{
    std::vector<Event> history = quietHistory();
    start(history);
    form().Edit1->setText(QStringLiteral("6,55"));

    std::vector<Event> reply(history.end() - 2, history.end());
    reply.push_back({ 8, 3600, 6.2 });
    update(reply);
    EXPECT_EQ(
        dialogs.warnings, QStringList { QStringLiteral("Błąd przecinka w \"Ostrzeżenia - magnituda\"") });
    EXPECT_TRUE(warningLines().isEmpty());

    form().Edit1->setText(QStringLiteral("6,0"));
    program->warnings().Alerty();
    EXPECT_EQ(warningLines().size(), 1);
}

TEST_F(WarningsTest, CriteriaCombineAsTheRadioButtonsSayAndTheLabelsFollow)
{
    std::vector<Event> history = quietHistory();
    start(history);
    EXPECT_EQ(form().Label31->text(), QStringLiteral("lub"));
    form().RadioButton11->setChecked(true);
    EXPECT_EQ(form().Label30->text(), QStringLiteral("i"));

    // "i" with magnitude and depth: a strong shallow earthquake fails the 0-3 km depth.
    form().CheckBox9->setChecked(true);
    std::vector<Event> reply(history.end() - 2, history.end());
    reply.push_back({ 8, 3600, 6.4 });
    update(reply);
    EXPECT_TRUE(warningLines().isEmpty());

    // "lub": either is enough.
    form().RadioButton10->setChecked(true);
    EXPECT_EQ(form().Label32->text(), QStringLiteral("lub"));
    reply.push_back({ 8, 7200, 6.6 });
    update(reply);
    EXPECT_EQ(warningLines().size(), 1) << "the 6.4 was examined already; the 6.6 is new";

    // "lub" with nothing checked reports nothing; "i" with nothing checked everything new.
    form().CheckBox6->setChecked(false);
    form().CheckBox9->setChecked(false);
    reply.push_back({ 8, 9000, 2.0 });
    update(reply);
    EXPECT_EQ(warningLines().size(), 1);
    form().RadioButton11->setChecked(true);
    reply.push_back({ 8, 9500, 2.1 });
    update(reply);
    EXPECT_EQ(warningLines().size(), 2);
}
