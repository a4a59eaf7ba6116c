// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Replay.h"
#include "ProgramTestSupport.h"
#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/MapProjection.h"
#include "map/MarkPainter.h"
#include "platform/MidiOut.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"
#include "tests/support/Waiting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tremora;
using test::s;
using test::secondsOfDay;
using Midi = fakes::RecordingMidiOut;

namespace
{

const double kToday = dayNumber(2025, 5, 10);

class ReplayTest : public test::WindowFixture
{
protected:
    ReplayTest()
        : WindowFixture(kToday)
    {
        setMapSize(1067, 534);
        form().DateTimePicker1->setDay(kToday - 1);
        pause.total = 0;
        QObject::connect(
            &program.events(), &ProgramEvents::replayStarted, &program.events(), [this] { ++started; });
        QObject::connect(
            &program.events(), &ProgramEvents::replayFinished, &program.events(), [this] { ++finished; });
    }

    void setMapSize(int w, int h)
    {
        form().Image1->resize(w, h);
        form().PaintBox1->resize(w, h);
    }
    void add(double seconds, int mag10, int depth10, float lon, float lat)
    {
        catalogue()[++catalogue().CatalogueCount]
            = test::quake(kToday - 1, seconds, mag10, depth10, lon, lat);
    }
    // Three earthquakes yesterday morning: the second 20 s after the first, the third 5 minutes on.
    void addMorning()
    {
        add(secondsOfDay(10, 0, 0), 50, 100, 10, 0);
        add(secondsOfDay(10, 0, 20), 45, 333, 20, 10);
        add(secondsOfDay(10, 5, 0), 30, 100, 30, 20);
    }
    Replay& replay() { return program.replay(); }
    QString status() { return form().StatusBar1->panelText(StatusBar::kMessagePanel); }
    QRgb pixelAt(float lon, float lat)
    {
        const auto p = wyl_poz(program.mapDisplay().fittedSize(), lon, lat);
        return p ? form().PaintBox1->overlay().pixel(p->x, p->y) : 0;
    }
    bool finish()
    {
        return test::waitUntil([this] { return !replay().isRunning(); }, 10'000);
    }

    int started = 0;
    int finished = 0;
};

} // namespace

TEST_F(ReplayTest, ARunDrawsLogsAndSoundsThenLetsTheBlinkingBackOn)
{
    addMorning();
    form().Memo1->appendLine(QStringLiteral("before"));
    form().CheckBox13->click();
    EXPECT_EQ(midi.calls, (std::vector<std::uint32_t> { Midi::kClosed, Midi::kOpened, Midi::kVolume }));
    EXPECT_EQ(midi.volumes.back(), std::make_pair(kFullVolume, kFullVolume));
    midi.calls.clear();

    form().Button8->click();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(form().Memo1->lineCount(), 0);
    EXPECT_EQ(status(), s("Włączona symulacja..."));
    EXPECT_TRUE(form().Timer4->isActive());
    EXPECT_EQ(form().Timer4->interval(), 980);
    EXPECT_TRUE(midi.calls.empty()); // nothing sounds before the first tick

    replay().Timer4Timer();
    ASSERT_TRUE(finish());

    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(form().Timer4->isActive());
    EXPECT_EQ(status(), s("Symulacja zakończona."));
    ASSERT_EQ(form().Memo1->lineCount(), 2);
    EXPECT_EQ(
        form().Memo1->line(0), s("1. 2025-05-09 10:00:20 Mag:4,5 , szer.:10, długość:20, Głębokość:33,3 km"));
    EXPECT_EQ(
        form().Memo1->line(1), s("2. 2025-05-09 10:05:00 Mag:3 , szer.:20, długość:30, Głębokość:10 km"));
    for (float lon : { 10, 20, 30 })
        EXPECT_EQ(pixelAt(lon, lon - 10), kMarkYellow) << lon;
    // 55 and 40 ms after the two heard, 2 ms for each of eight minutes walked or matched.
    EXPECT_EQ(pause.total, 55 + 40 + 8 * 2);
    const std::vector<std::uint32_t> words {
        Midi::kReset, 0x0CC0, 0x7F2B90, 0x06C0, 0x7F4B90, // 33 km: note 43; 4.5: note 75
        0x0CC0, 0x7F1490, 0x06C0, 0x7F5A90, // 10 km: note 20; 3.0: note 90
    };
    EXPECT_EQ(midi.calls, words);
}

TEST_F(ReplayTest, AtTheSlowEndOfTheSpeedBarTheRunStillTicks)
{
    addMorning();
    form().ScrollBar1->setValue(100);
    form().Button8->click();
    EXPECT_EQ(form().Timer4->interval(), 1);
    ASSERT_TRUE(finish()); // Timer4 itself starts it
    EXPECT_EQ(form().Memo1->lineCount(), 2);
    EXPECT_EQ(pause.total, 55 + 40 + 8 * 100);
}

TEST_F(ReplayTest, ABoxThatHoldsNoNumberIsNamedAndNothingStarts)
{
    addMorning();
    form().Memo1->appendLine(QStringLiteral("kept"));
    const int lines = form().Memo1->lineCount();
    const QString before = status();
    form().CheckBox13->setChecked(true); // the instrument boxes are read with "MIDI" on
    form().Edit30->setText(QStringLiteral("dwanaście"));
    form().Edit31->setText(QStringLiteral("1,5"));
    form().Button8->click();
    form().Edit30->setText(QStringLiteral(" 12 "));
    form().Button8->click();

    EXPECT_EQ(dialogs.warnings, QStringList({ s("Błąd liczby w \"Głęb.\""), s("Błąd liczby w \"Pauza\"") }));
    EXPECT_EQ(started, 0);
    EXPECT_FALSE(form().Timer4->isActive());
    EXPECT_EQ(form().Memo1->lineCount(), lines);
    EXPECT_EQ(status(), before);
}

TEST_F(ReplayTest, WithoutMidiTheInstrumentBoxesAreNotRead)
{
    addMorning();
    form().CheckBox13->setChecked(false);
    form().Edit29->setText(QStringLiteral("5-"));
    form().Edit30->setText(QStringLiteral("dwanaście"));
    form().Button8->click();
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(started, 1);
    ASSERT_TRUE(finish());
    EXPECT_EQ(form().Memo1->lineCount(), 2);
    // Nothing heard: no short message (at most three bytes) among the calls.
    EXPECT_TRUE(
        std::none_of(midi.calls.begin(), midi.calls.end(), [](std::uint32_t w) { return w < 0x1000000; }));
}

TEST_F(ReplayTest, ClosingTheWindowEndsTheRunWithAllNotesOff)
{
    addMorning();
    form().CheckBox13->setChecked(true);
    form().Button8->click();
    replay().Timer4Timer(); // first earthquake drawn, the second heard, its pause under way
    ASSERT_TRUE(replay().isRunning());
    midi.calls.clear();

    form().close();

    EXPECT_FALSE(replay().isRunning());
    EXPECT_FALSE(form().Timer4->isActive());
    // The pause under way ends on the next turn of the event loop (the test's pauses are none).
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(midi.calls, std::vector<std::uint32_t> { Midi::kReset });
    EXPECT_EQ(form().Memo1->lineCount(), 0);
}

TEST_F(ReplayTest, PressingAgainRestartsFromThePeriodStart)
{
    addMorning();
    form().Button8->click();
    replay().Timer4Timer();
    form().Button8->click(); // the first run's pending pause must not drive the second
    EXPECT_EQ(replay().stepper().SimCursor, 1);
    replay().Timer4Timer();
    ASSERT_TRUE(finish());
    EXPECT_EQ(form().Memo1->lineCount(), 2);
    EXPECT_EQ(started, 2);
    EXPECT_EQ(finished, 1);
}

TEST_F(ReplayTest, RefusalsAndARunWithNothingToReplay)
{
    const QString before = status();
    form().Button8->click(); // an empty catalogue: nothing at all
    EXPECT_EQ(started, 0);
    EXPECT_EQ(status(), before);

    addMorning();
    setMapSize(99, 534);
    form().Button8->click();
    EXPECT_EQ(status(), s("Zbyt mała mapa, powiększ okno programu..."));
    EXPECT_EQ(started, 0);

    // From the last record on there is nothing to replay; the run ends at once and says so.
    setMapSize(1067, 534);
    form().DateTimePicker1->setDay(kToday + 1);
    form().Button8->click();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(status(), s("Symulacja zakończona."));
    EXPECT_FALSE(form().Timer4->isActive());
}

TEST_F(ReplayTest, AReloadedCatalogueLeavesTheRunGoing)
{
    addMorning();
    form().Button8->click();
    Q_EMIT program.events().catalogueReloaded(LoadResult {});
    EXPECT_TRUE(replay().isRunning());
    EXPECT_EQ(finished, 0);
    replay().Timer4Timer();
    ASSERT_TRUE(finish());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(form().Memo1->lineCount(), 2);
}

TEST_F(ReplayTest, TheSpanChooserBesideSymulacjaAndThePeriodChooserActOnEveryPick)
{
    // After start-up the period chooser shows the span the pickers hold.
    EXPECT_EQ(form().ComboBox1->currentText(), s("3 dni"));
    auto* group = qobject_cast<QGroupBox*>(form().ComboBox2->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), s("Symulacja"));
    EXPECT_EQ(group, form().Button8->parentWidget());
    for (const QLabel* label : form().findChildren<QLabel*>())
        EXPECT_NE(label->text(), s("Okres tabeli"));

    DateTimePicker* start = form().DateTimePicker1;
    // Picking the entry already shown acts as well.
    start->setDay(kToday - 50);
    Q_EMIT form().ComboBox2->activated(form().ComboBox2->currentIndex()); // "3 dni"
    EXPECT_EQ(std::floor(start->value()), kToday - 2);
    form().ComboBox2->setCurrentIndex(0);
    Q_EMIT form().ComboBox2->activated(0); // "1 rok"
    EXPECT_EQ(std::floor(start->value()), kToday - 365);
    EXPECT_EQ(form().ComboBox1->currentText(), s("1 rok"));
    start->setDay(kToday - 50);
    Q_EMIT form().ComboBox1->activated(form().ComboBox1->currentIndex());
    EXPECT_EQ(std::floor(start->value()), kToday - 365);
}
