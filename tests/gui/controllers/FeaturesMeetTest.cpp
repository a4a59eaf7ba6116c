// SPDX-License-Identifier: GPL-3.0-or-later
// Two features at the same moment, as a user runs them: an update while a replay plays.
#include "UpdatedWindow.h"

#include "catalogue/DayNumber.h"
#include "gui/controllers/Replay.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "replay/ReplayStepper.h"
#include "state/ProgramState.h"
#include "tests/support/Waiting.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace tremora;

namespace
{

using test::Event;

class FeaturesMeetTest : public test::UpdatedWindow
{
protected:
    Replay& replay() { return program->replay(); }
    QStringList log() const
    {
        QStringList lines;
        for (int i = 0; i < program->form().Memo1->lineCount(); ++i)
            lines << program->form().Memo1->line(i);
        return lines;
    }
    bool finish()
    {
        return test::waitUntil([this] { return !replay().isRunning(); }, 20'000);
    }
    /// Lets the replay go on until it has logged `lines` lines, then holds it at its next pause.
    void playUntil(int lines)
    {
        pause.release();
        ASSERT_TRUE(test::waitUntil([&] { return form().Memo1->lineCount() >= lines; }));
        pause.hold = true;
    }
};

} // namespace

// The replay's log lines without their numbers, after checking that the numbers run 1, 2, 3...
// and the times only go forward: nothing was wiped, replayed twice or replayed out of order.
QStringList checkedRun(const QStringList& lines)
{
    QStringList quakes;
    for (const QString& line : lines) {
        const qsizetype dot = line.indexOf(QStringLiteral(". "));
        EXPECT_EQ(line.left(dot), QString::number(quakes.size() + 1)) << line.toStdString();
        const QString quake = line.mid(dot + 2);
        if (!quakes.isEmpty()) {
            EXPECT_LT(quakes.last().left(19), quake.left(19)) << line.toStdString();
        }
        quakes << quake;
    }
    return quakes;
}

// An automatic update, and one the user starts, while a replay plays: neither ends the replay
// nor wipes its log. What an update brings ahead of the replay's clock is replayed in its place;
// a late quake it brings behind the clock is not, and the records after it keep their turn.
TEST_F(FeaturesMeetTest, UpdatesDuringAReplayNeitherEndNorWipeItAndWhatTheyBringIsReplayed)
{
    std::vector<Event> history = test::quietHistory(); // one an hour, 1 July to 7 July 05:00
    start(history);
    form().DateTimePicker1->setDay(double(dayNumber(2015, 7, 6))); // from 6 July on: 30 quakes
    form().CheckBox10->setChecked(true);

    pause.hold = true;
    form().Button8->click();

    ASSERT_TRUE(replay().isRunning());
    replay().Timer4Timer();
    playUntil(28); // the replay's clock is past 7 July 02:30

    // The automatic update brings a quake of 02:30 late, and a strong one at noon.
    std::vector<Event> reply(history.end() - 5, history.end());
    reply.insert(reply.begin() + 2, { 7, 2 * 3600 + 1800, 4.4 });
    reply.push_back({ 7, 12 * 3600, 6.1 });
    answerWith(reply);
    const QStringList before = log();
    program->updateCycle().Timer2Timer();
    ASSERT_TRUE(test::waitForUpdate(program->updateCycle().update()));
    EXPECT_EQ(program->state().catalogue.CatalogueCount, 152) << "the update brought both";
    EXPECT_TRUE(replay().isRunning()) << "the update did not end the replay";
    EXPECT_EQ(log(), before) << "nor did it wipe or write into its log";
    EXPECT_TRUE(form().Timer2->isActive()) << "the automatic updates go on";

    // The user's own update, with nothing new: no day display follows it over the replay.
    form().DsFancyButton4->click();
    ASSERT_TRUE(test::waitForUpdate(program->updateCycle().update()));
    EXPECT_FALSE(form().Timer5->isActive());
    EXPECT_EQ(log(), before);

    pause.release();
    ASSERT_TRUE(finish());
    const QStringList played = checkedRun(log());
    EXPECT_EQ(form().StatusBar1->panelText(StatusBar::kMessagePanel), ReplayStepper::kEndedText);
    ASSERT_FALSE(played.isEmpty());
    EXPECT_TRUE(played.last().contains(QStringLiteral("Mag:6,1"))) << played.last().toStdString();

    // A replay of the catalogue as it now is, from the start, has the late quake too.
    form().Button8->click();
    ASSERT_TRUE(finish());
    QStringList again = checkedRun(log());
    ASSERT_EQ(again.size(), played.size() + 1);
    again.removeIf([](const QString& q) { return q.startsWith(QStringLiteral("2015-07-07 02:30:00")); });
    EXPECT_EQ(again, played);
}

// The update counts the rows it parses in "Baza USGS:"; when it is over, by a save or without
// one, the label shows the catalogue's count again.
TEST_F(FeaturesMeetTest, AfterAnUpdateBazaUsgsShowsTheCatalogueItsCountedRowsNoMore)
{
    std::vector<Event> history = test::quietHistory();
    for (int hour = 6; hour < 9; ++hour)
        history.push_back({ 7, hour * 3600, 4.0 });
    start(history);
    ASSERT_EQ(program->state().catalogue.CatalogueCount, 153);
    EXPECT_EQ(form().Label3->text(), QStringLiteral("153"));

    // Nothing new: no save, no reload.
    update(std::vector<Event>(history.end() - 5, history.end()));
    EXPECT_EQ(form().Label3->text(), QStringLiteral("153"));

    // Two new ones: saved and loaded anew.
    history.push_back({ 7, 10 * 3600, 4.0 });
    history.push_back({ 7, 11 * 3600, 4.0 });
    update(std::vector<Event>(history.end() - 7, history.end()));
    EXPECT_EQ(form().Label3->text(), QStringLiteral("155"));
}
