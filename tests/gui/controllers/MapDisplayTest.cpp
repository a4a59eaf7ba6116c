// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/MapDisplay.h"
#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/MapProjection.h"
#include "map/MarkPainter.h"
#include "map/ShownQuakes.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/Waiting.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace tremora;

namespace
{

constexpr int kMapW = 1067; // with the 4096 x 2048 built-in picture: a 1066 x 534 map
constexpr int kMapH = 534;
constexpr int kStatusPanel = StatusBar::kMessagePanel;

// What a user's pick does: the entry shows and the chooser acts, even on the entry shown.
void pick(QComboBox* chooser, int item)
{
    chooser->setCurrentIndex(item);
    Q_EMIT chooser->activated(item);
}

class MapDisplayTest : public testing::Test, protected fakes::FakePlatform
{
protected:
    MapDisplayTest()
        : FakePlatform(0, QStringLiteral("http://127.0.0.1:1"))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        clock.set(today + 0.5);
        program = std::make_unique<Program>(platform, options());
        program->FormCreate();
        setMapSize(kMapW, kMapH);
    }

    ProgramOptions options() const
    {
        ProgramOptions o;
        o.workDir = dir.path();
        return o;
    }

    TForm1& form() { return program->form(); }
    ProgramState& state() { return program->state(); }
    Catalogue& catalogue() { return state().catalogue; }

    template <typename T> T* control(const char* name)
    {
        T* c = form().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    // The window is never shown, so the map's controls keep the size given here.
    void setMapSize(int w, int h)
    {
        control<MapImage>("Image1")->resize(w, h);
        control<PaintBox>("PaintBox1")->resize(w, h);
    }

    void add(double day, float lon, float lat, int mag10, int depth10 = 100)
    {
        catalogue()[++catalogue().CatalogueCount]
            = test::quake(day, test::secondsOfDay(6, 0, 0), mag10, depth10, lon, lat);
    }

    const QImage& overlay() { return control<PaintBox>("PaintBox1")->overlay(); }

    QRgb pixelAt(float lon, float lat)
    {
        const auto p = wyl_poz(program->mapDisplay().fittedSize(), lon, lat);
        EXPECT_TRUE(p.has_value());
        return p ? overlay().pixel(p->x, p->y) : 0;
    }

    int paintedPixels(QRgb colour)
    {
        int n = 0;
        const QImage& image = overlay();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }

    void showPeriod(double startDay, double endDay)
    {
        control<DateTimePicker>("DateTimePicker1")->setDay(startDay);
        control<DateTimePicker>("DateTimePicker2")->setDay(endDay);
        control<QPushButton>("Button14")->click();
    }

    void clickCalendar(double day)
    {
        auto* calendar = control<QCalendarWidget>("MonthCalendar1");
        const CivilDate d = civilDate(static_cast<long long>(day));
        calendar->setSelectedDate(QDate(d.year, d.month, d.day));
        Q_EMIT calendar->clicked(calendar->selectedDate());
    }

    int tableRows() { return control<QTableView>("ControlPanel1")->model()->rowCount(); }
    LogMemo& memo() { return *control<LogMemo>("Memo1"); }
    QString status() { return control<StatusBar>("StatusBar1")->panelText(kStatusPanel); }

    const double today = double(dayNumber(2025, 5, 10));
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
};

} // namespace

TEST_F(MapDisplayTest, PictureIsDrawnAtTheSizeTheMarksAreProjectedOnto)
{
    const FittedSize fit = program->mapDisplay().fittedSize();
    ASSERT_TRUE(fit.valid);
    EXPECT_EQ(fit.W, 1066);
    EXPECT_EQ(fit.H, 534);
    EXPECT_EQ(control<MapImage>("Image1")->drawnSize(), QSize(fit.W, fit.H));
}

TEST_F(MapDisplayTest, MarksLandOnTheirPlaceInThePictureUpToItsEdges)
{
    // Quadrants of distinct colours: wherever a mark is projected, the picture shown beneath it
    // must be the quadrant of its coordinates, right up to the corners.
    QImage picture(4096, 2048, QImage::Format_RGB32);
    const QRgb nw = qRgb(200, 0, 0), ne = qRgb(0, 200, 0), sw = qRgb(0, 0, 200), se = qRgb(200, 200, 200);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, y < 1024 ? (x < 2048 ? nw : ne) : (x < 2048 ? sw : se));
    for (const QSize size : { QSize(kMapW, kMapH), QSize(1066, 534), QSize(1200, 500), QSize(733, 555) }) {
        setMapSize(size.width(), size.height());
        control<MapImage>("Image1")->setPicture(picture);
        const QImage shown = control<MapImage>("Image1")->grab().toImage();
        const FittedSize fit = program->mapDisplay().fittedSize();
        for (const float lon : { -179.0f, -90.0f, -2.0f, 2.0f, 90.0f, 179.0f }) {
            for (const float lat : { 89.0f, 45.0f, 2.0f, -2.0f, -45.0f, -89.0f }) {
                const auto p = wyl_poz(fit, lon, lat);
                ASSERT_TRUE(p);
                const QRgb expected = lat > 0 ? (lon < 0 ? nw : ne) : (lon < 0 ? sw : se);
                EXPECT_EQ(shown.pixel(p->x, p->y), expected)
                    << size.width() << "x" << size.height() << " at " << lon << "," << lat;
            }
        }
    }
}

TEST_F(MapDisplayTest, ThreeDaysDrawsAndLogsTheStartDayToTheEndDayOnly)
{
    add(today - 3, -120, 10, 50); // 7 May
    add(today - 2, -60, 10, 50); // 8 May
    add(today - 1, 0, 10, 50);
    add(today, 60, 10, 50); // the end day
    add(today + 1, 120, 10, 50); // the day after
    add(today, 30, -30, 15); // below the magnitude range
    pick(control<QComboBox>("ComboBox1"), 10); // "3 dni"
    control<DateTimePicker>("DateTimePicker2")->setDay(today);
    form().Timer2->stop();
    control<QPushButton>("Button14")->click();

    EXPECT_EQ(pixelAt(-120, 10), 0u);
    EXPECT_EQ(pixelAt(-60, 10), kMarkYellow);
    EXPECT_EQ(pixelAt(0, 10), kMarkYellow);
    EXPECT_EQ(pixelAt(60, 10), kMarkYellow);
    EXPECT_EQ(pixelAt(120, 10), 0u);
    EXPECT_EQ(pixelAt(30, -30), 0u);
    ASSERT_EQ(memo().lineCount(), 3);
    EXPECT_EQ(memo().line(0), QStringLiteral("2: 2025-05-08 - 06:00:00, 10 -60, 5, 10"));
    EXPECT_EQ(memo().line(2), QStringLiteral("4: 2025-05-10 - 06:00:00, 10 60, 5, 10"));
    EXPECT_EQ(state().ShownQuakes.ShownCount, 3);
    EXPECT_EQ(status(), MapDisplay::kDoneText);
    EXPECT_TRUE(form().Timer2->isActive());
}

TEST_F(MapDisplayTest, TwelveThousandMatchesAreAllDrawnAndLoggedButTenThousandKept)
{
    // Single-pixel marks (magnitude 1.5 at point size 3) on a grid, so each one can be counted.
    control<QSpinBox>("SpinEdit5")->setValue(3);
    control<QSpinBox>("SpinEdit1")->setValue(1);
    for (int i = 0; i < 12'000; ++i)
        add(today, -170.0f + float(i % 120) * 2.8f, 80.0f - float(i / 120) * 1.6f, 15);
    showPeriod(today, today);
    EXPECT_EQ(paintedPixels(kMarkRed), 12'000);
    EXPECT_EQ(memo().lineCount(), 12'000);
    EXPECT_TRUE(memo().line(11'999).startsWith(QStringLiteral("12000: ")));
    EXPECT_EQ(state().ShownQuakes.ShownCount, kMapShownLimit);

    // Earlier marks stay until "Wyczyść"; the log and the list start afresh with each display.
    showPeriod(today - 1, today - 1);
    EXPECT_EQ(paintedPixels(kMarkRed), 12'000);
    EXPECT_EQ(memo().lineCount(), 0);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);

    showPeriod(today, today);
    control<QPushButton>("Button15")->click();
    EXPECT_EQ(paintedPixels(kMarkRed), 0);
    EXPECT_EQ(memo().lineCount(), 0);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
}

TEST_F(MapDisplayTest, AWalkInSlicesEndsAsOneWalkAndGivesWayToANewOneAndToClearing)
{
    // Single-pixel marks, as above, over three slices and a bit.
    control<QSpinBox>("SpinEdit5")->setValue(3);
    control<QSpinBox>("SpinEdit1")->setValue(1);
    constexpr int kRecords = 3 * MapDisplay::kDisplaySliceRecords + 5;
    for (int i = 0; i < kRecords; ++i)
        add(today, -170.0f + float(i % 120) * 2.8f, 80.0f - float(i / 120 % 100) * 1.6f, 15);
    const MapDisplay& display = program->mapDisplay();
    showPeriod(today, today);
    ASSERT_TRUE(display.displayRunning()) << "the first slice took the whole catalogue";
    EXPECT_EQ(memo().lineCount(), MapDisplay::kDisplaySliceRecords);

    // A second click while the first walk runs starts afresh, and the walk ends as one would.
    ASSERT_TRUE(test::waitUntil([&] { return memo().lineCount() > MapDisplay::kDisplaySliceRecords; }));
    control<QPushButton>("Button14")->click();
    ASSERT_TRUE(test::waitUntil([&] { return !display.displayRunning(); }));
    ASSERT_EQ(memo().lineCount(), kRecords);
    EXPECT_TRUE(memo().line(0).startsWith(QStringLiteral("1: ")));
    EXPECT_TRUE(memo().line(kRecords - 1).startsWith(QStringLiteral("%1: ").arg(kRecords)));
    EXPECT_EQ(paintedPixels(kMarkRed), 12'000);
    EXPECT_EQ(state().ShownQuakes.ShownCount, kMapShownLimit);
    EXPECT_EQ(status(), MapDisplay::kDoneText);

    // "Wyczyść" during a walk ends it: nothing is drawn or logged after it.
    control<QPushButton>("Button15")->click();
    showPeriod(today, today);
    ASSERT_TRUE(display.displayRunning());
    control<QPushButton>("Button15")->click();
    EXPECT_FALSE(display.displayRunning());
    constexpr int kLetPendingEventsRunMs = 100;
    test::waitUntil([] { return false; }, kLetPendingEventsRunMs);
    EXPECT_EQ(paintedPixels(kMarkRed), 0);
    EXPECT_EQ(memo().lineCount(), 0);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
}

TEST_F(MapDisplayTest, TooSmallMapRefusesAndLeavesTheLogAlone)
{
    add(today, 10, 10, 60);
    memo().appendLine(QStringLiteral("Aktualizacja: 2025-05-10 12:00:00"));
    form().Timer2->stop();
    setMapSize(99, 600);
    showPeriod(today, today);
    EXPECT_EQ(status(), MapDisplay::kMapTooSmallText);
    EXPECT_EQ(memo().lineCount(), 1);
    EXPECT_EQ(paintedPixels(kMarkYellow), 0);
    EXPECT_TRUE(form().Timer2->isActive()); // the automatic update runs again all the same

    setMapSize(600, 99);
    showPeriod(today, today);
    EXPECT_EQ(status(), MapDisplay::kMapTooSmallText);
    setMapSize(100, 100);
    showPeriod(today, today);
    EXPECT_EQ(status(), MapDisplay::kDoneText);
    EXPECT_EQ(memo().lineCount(), 1);
    EXPECT_TRUE(memo().line(0).startsWith(QStringLiteral("1: ")));
}

TEST_F(MapDisplayTest, ResizingTheMapClearsTheMarks)
{
    add(today, 10, 10, 60);
    showPeriod(today, today);
    ASSERT_EQ(pixelAt(10, 10), kMarkYellow);
    setMapSize(900, 500);
    EXPECT_EQ(paintedPixels(kMarkYellow), 0);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 1); // the blinking brings them back
    program->mapDisplay().drawShownQuakes(kBlinkShownMark);
    EXPECT_EQ(pixelAt(10, 10), kMarkGreen);
}

TEST_F(MapDisplayTest, CalendarDayFollowsTheMagnitudeChoiceAndFillsTheTable)
{
    add(today - 1, 20, 20, 50);
    add(today, 40, 40, 15); // magnitude 1.5: outside the default range
    add(today, -40, -40, 62);
    add(today + 1, 60, 0, 50);
    form().Timer2->start();

    control<QRadioButton>("RadioButton7")->setChecked(true);
    ASSERT_FALSE(control<QRadioButton>("RadioButton6")->isChecked());
    clickCalendar(today);
    EXPECT_FALSE(form().Timer2->isActive());
    EXPECT_EQ(memo().lineCount(), 1);
    EXPECT_TRUE(memo().line(0).startsWith(QStringLiteral("3: 2025-05-10")));
    EXPECT_EQ(pixelAt(40, 40), 0u);
    EXPECT_EQ(pixelAt(-40, -40), kMarkYellow);
    EXPECT_EQ(tableRows(), 1);
    EXPECT_EQ(control<QLabel>("Label29")->text(), QStringLiteral("1"));
    EXPECT_NE(control<QLabel>("Label36")->text(), QStringLiteral("0 J"));

    control<QRadioButton>("RadioButton6")->setChecked(true);
    clickCalendar(today);
    EXPECT_EQ(memo().lineCount(), 2);
    EXPECT_EQ(pixelAt(40, 40), kMarkRed); // radius 1 at the default point size: all outline
    EXPECT_EQ(tableRows(), 2);
    EXPECT_EQ(control<QLabel>("Label29")->text(), QStringLiteral("2"));
    EXPECT_EQ(state().ShownQuakes.ShownCount, 2);
}

TEST_F(MapDisplayTest, CalendarDayWithoutClearingKeepsThePreviousDayButNotItsTable)
{
    add(today - 1, 20, 20, 50);
    add(today, -40, -40, 62);
    clickCalendar(today - 1);
    control<QCheckBox>("CheckBox1")->setChecked(false);
    clickCalendar(today);
    EXPECT_EQ(pixelAt(20, 20), kMarkYellow);
    EXPECT_EQ(pixelAt(-40, -40), kMarkYellow);
    EXPECT_EQ(memo().lineCount(), 2);
    EXPECT_EQ(tableRows(), 1);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 1);

    control<QCheckBox>("CheckBox1")->setChecked(true);
    clickCalendar(today);
    EXPECT_EQ(pixelAt(20, 20), 0u);
    EXPECT_EQ(memo().lineCount(), 1);
}

TEST_F(MapDisplayTest, BusyDayIsCountedWholeButTabulatedUpToTenThousand)
{
    for (int i = 0; i < 10'500; ++i)
        add(today, -179.0f + float(i % 300) * 1.19f, -60.0f + float(i / 300) * 3.0f, 45);
    clickCalendar(today);
    EXPECT_EQ(control<QLabel>("Label29")->text(), QStringLiteral("10500"));
    EXPECT_EQ(tableRows(), MapDisplay::kDayTableLimit);
    EXPECT_EQ(memo().lineCount(), 10'500);
    EXPECT_EQ(state().ShownQuakes.ShownCount, kMapShownLimit);
}

TEST_F(MapDisplayTest, PeriodChooserAndPickerClampsFollowTheCatalogue)
{
    auto* start = control<DateTimePicker>("DateTimePicker1");
    auto* end = control<DateTimePicker>("DateTimePicker2");
    auto* chooser = control<QComboBox>("ComboBox1");
    const double timeOfDay = start->value() - std::floor(start->value());

    // Empty catalogue: the whole catalogue leaves the start alone; the clamps fall back to today.
    start->setDay(today - 100);
    pick(chooser, 11); // "24 godziny"
    EXPECT_NEAR(start->value(), today - 1 + timeOfDay, 1e-6);
    pick(chooser, 0);
    EXPECT_NEAR(start->value(), today - 1 + timeOfDay, 1e-6);
    Q_EMIT start->closeUp();
    EXPECT_EQ(std::floor(start->value()), today);
    end->setDay(today - 40);
    Q_EMIT end->closeUp();
    EXPECT_EQ(std::floor(end->value()), today);

    add(today - 30, 0, 0, 50);
    add(today - 5, 0, 0, 50);
    pick(chooser, 4); // "1 rok"
    EXPECT_EQ(std::floor(start->value()), today - 365);
    pick(chooser, 0);
    EXPECT_EQ(std::floor(start->value()), today - 30);
    start->setDay(today - 400);
    Q_EMIT start->closeUp();
    EXPECT_EQ(std::floor(start->value()), today - 30);
    start->setDay(today - 10);
    Q_EMIT start->closeUp();
    EXPECT_EQ(std::floor(start->value()), today - 10);
    Q_EMIT end->closeUp();
    EXPECT_EQ(std::floor(end->value()), today - 5);
    EXPECT_NEAR(start->value() - std::floor(start->value()), timeOfDay, 1e-6);
}

TEST_F(MapDisplayTest, StartUpTickShowsTodaysEarthquakesAfterItsUpdate)
{
    // Enough records that the update continues the catalogue instead of rebuilding it.
    for (int i = 0; i < 200; ++i)
        add(today - 1, 20, 20, 50);
    add(today, -40, -40, 62);
    program->updateCycle().Timer5Timer(); // the downloader brings nothing: the update ends early
    ASSERT_TRUE(test::waitForUpdate(program->updateCycle().update()));
    EXPECT_EQ(pixelAt(-40, -40), kMarkYellow);
    EXPECT_EQ(pixelAt(20, 20), 0u);
    EXPECT_EQ(control<QLabel>("Label29")->text(), QStringLiteral("1"));
    EXPECT_EQ(tableRows(), 1);
    EXPECT_TRUE(memo().line(memo().lineCount() - 1).startsWith(QStringLiteral("201: 2025-05-10")));
}
