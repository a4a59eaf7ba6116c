// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Warnings.h"
#include "UpdatedWindow.h"

#include "app/Program.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/widgets/StatusBar.h"
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

using test::Event;
using test::quietHistory;

class WarningsTest : public test::UpdatedWindow
{
protected:
    QString status() { return form().StatusBar1->panelText(StatusBar::kMessagePanel); }
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
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << "the warnings run by themselves: no box stops the user";
    EXPECT_EQ(status(), Warnings::kHeldText + QStringLiteral("Błąd przecinka w \"Ostrzeżenia - magnituda\""));
    EXPECT_TRUE(warningLines().isEmpty());

    form().Edit1->setText(QStringLiteral("6,0"));
    program->warnings().Alerty();
    EXPECT_EQ(warningLines().size(), 1);
}

// A text that is no number, left in a box whose criterion is off, never holds the warnings; one
// in a box that is on holds them, is said once however many updates come, and the records it
// held are reported as soon as the box is mended.
TEST_F(WarningsTest, OnlyCheckedBoxesCountAndAFaultIsSaidOnceUntilTheBoxIsMended)
{
    std::vector<Event> history = quietHistory();
    start(history);
    form().Edit1->setText(QStringLiteral("5,0")); // magnitude from 5,0, on
    form().CheckBox9->setChecked(false); // depth, off
    form().Edit17->setText(QStringLiteral("5-"));

    std::vector<Event> reply(history.end() - 2, history.end());
    reply.push_back({ 8, 3600, 5.6 });
    update(reply);
    EXPECT_EQ(warningLines(),
        QStringList { QStringLiteral("2015-07-08 01:00:00 Mag.: 5,6  10,5,  20,25, Głęb.: 10") });
    EXPECT_TRUE(dialogs.warnings.isEmpty() && dialogs.errors.isEmpty());

    form().Edit1->setText(QStringLiteral("5-"));
    reply.push_back({ 8, 7200, 5.7 });
    update(reply);
    const QString held = Warnings::kHeldText + QStringLiteral("Błąd liczby w \"Ostrzeżenia - magnituda\"");
    EXPECT_EQ(status(), held);
    form().StatusBar1->setPanelText(StatusBar::kMessagePanel, QString());
    reply.push_back({ 8, 9000, 3.0 });
    update(reply);
    EXPECT_NE(status(), held) << "said once, not at every update";
    EXPECT_EQ(warningLines().size(), 1);
    EXPECT_TRUE(dialogs.warnings.isEmpty() && dialogs.errors.isEmpty());

    // Mended: what the fault held is reported at once, without waiting for an update.
    form().Edit1->setText(QStringLiteral("5,0"));
    Q_EMIT form().Edit1->editingFinished();
    ASSERT_EQ(warningLines().size(), 2);
    EXPECT_TRUE(warningLines()[1].contains(QStringLiteral("Mag.: 5,7  ")));
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
