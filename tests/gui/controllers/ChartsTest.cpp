// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Charts.h"
#include "ProgramTestSupport.h"
#include "catalogue/DayNumber.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"
#include "tests/support/Waiting.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tremora;
using test::s;

namespace
{

const double kToday = dayNumber(2025, 5, 10);
const double kMay3 = dayNumber(2025, 5, 3);

/// The real window with the clock on 10 May 2025; the search runs from 3 to 5 May.
class ChartsTest : public test::WindowFixture
{
protected:
    ChartsTest()
        : WindowFixture(kToday)
    {
        form().DateTimePicker3->setDay(kMay3);
        form().DateTimePicker4->setDay(kMay3 + 2);
        QObject::connect(&program.events(), &ProgramEvents::shownQuakesChanged, &program.events(),
            [this] { ++shownChanges; });
    }

    /// A mouse event as the window system delivers it to the chart.
    static void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
    {
        const QPointF local(at);
        const QPointF global(w->mapToGlobal(at));
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, local, local, global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    }
    static void drag(QWidget* w, QPoint from, QPoint to)
    {
        mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(w, QEvent::MouseMove, to);
        mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton);
    }

    void add(double day, int mag10)
    {
        catalogue()[++catalogue().CatalogueCount] = test::quake(day, 60, mag10);
    }
    const ChartLine& line(ChartView* chart) { return chart->content().lines.front(); }

    int shownChanges = 0;
};

} // namespace

TEST_F(ChartsTest, MagChartsTheSelectionAndKeepsItAsTheShownEarthquakes)
{
    add(kMay3 - 1, 70);
    add(kMay3, 45);
    add(kMay3 + 2, 61);
    add(kMay3 + 3, 50);
    state().EnergySumJ = 5;
    form().Label36->setText(s("5 J"));
    form().Timer5->start();

    form().DsFancyButton5->click();

    EXPECT_FALSE(form().Timer5->isActive());
    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabMagnitude);
    EXPECT_EQ(form().DBChart1->title(),
        s("Magnituda wstrząsów sejsmicznych - baza USGS - 2025-05-03 - 2025-05-05"));
    EXPECT_EQ(line(form().DBChart1).values, (std::vector<float> { 4.5f, 6.1f }));
    EXPECT_EQ(form().DBChart1->content().labelDays, (std::vector<double> { kMay3, kMay3 + 2 }));
    ASSERT_EQ(state().ShownQuakes.ShownCount, 2);
    EXPECT_EQ(state().ShownQuakes[2].Mag10, 61);
    EXPECT_EQ(shownChanges, 1);
    EXPECT_EQ(state().EnergySumJ, 0);
    EXPECT_EQ(form().Label36->text(), s("5 J")); // the charts leave the labels alone

    // "Energia" empties the shown list and charts every day from the start through today.
    form().DsFancyButton6->click();
    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabEnergy);
    EXPECT_EQ(
        form().DBChart2->title(), s("Energia wstrząsów sejsmicznych - baza USGS - 2025-05-03 - 2025-05-05"));
    EXPECT_EQ(line(form().DBChart2).values.size(), 8u);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
    EXPECT_EQ(shownChanges, 2);
    EXPECT_EQ(line(form().DBChart1).values.size(), 2u); // the magnitude chart keeps its points
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

TEST_F(ChartsTest, AFaultyBoxIsNamedAndNothingIsCharted)
{
    add(kMay3, 45);
    form().DsFancyButton5->click();
    form().PageControl4->setCurrentIndex(TForm1::TabReport);
    form().CheckBox2->setChecked(true);
    form().Edit11->setText(s("10,1"));

    form().DsFancyButton6->click();

    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabEnergy);
    EXPECT_EQ(dialogs.warnings, QStringList { s("\"Magnituda do\" - wartość do 10,0") });
    EXPECT_TRUE(line(form().DBChart2).values.empty());
    EXPECT_EQ(state().ShownQuakes.ShownCount, 1); // still the magnitude chart's

    // A text that is no number ends the click with an error box.
    form().Edit11->setText(s("9-"));
    form().DsFancyButton5->click();
    EXPECT_EQ(dialogs.errors.size(), 1);
}

TEST_F(ChartsTest, LogSwitchesTheVerticalAxesOfBothCharts)
{
    EXPECT_TRUE(form().DBChart1->logarithmic());
    EXPECT_TRUE(form().DBChart2->logarithmic());
    form().CheckBox12->click();
    EXPECT_FALSE(form().DBChart1->logarithmic());
    EXPECT_FALSE(form().DBChart2->logarithmic());
    form().CheckBox12->click();
    EXPECT_TRUE(form().DBChart1->logarithmic());
    EXPECT_TRUE(form().DBChart2->logarithmic());
}

TEST_F(ChartsTest, TheMouseOverTheEnergyChartShowsItsPositionInPanels2And3)
{
    form().resize(1100, 750);
    form().PageControl1->setCurrentIndex(TForm1::TabBase);
    form().PageControl4->setCurrentIndex(TForm1::TabEnergy);
    form().show();
    ASSERT_TRUE(test::waitUntil([&] { return form().DBChart2->isVisible(); }, 5000));
    mouse(form().DBChart2, QEvent::MouseMove, QPoint(123, 45));
    EXPECT_EQ(form().StatusBar1->panelText(2), s("123"));
    EXPECT_EQ(form().StatusBar1->panelText(3), s("45"));
}

TEST_F(ChartsTest, DraggingARectangleZoomsAndDraggingBackShowsTheWhole)
{
    for (int i = 0; i < 5000; ++i)
        add(kMay3 + i % 3, 10 + i % 60);
    form().resize(1100, 750);
    form().PageControl1->setCurrentIndex(TForm1::TabBase);
    form().show();
    form().DsFancyButton5->click();
    ChartView* chart = form().DBChart1;
    ASSERT_TRUE(test::waitUntil([&] { return chart->width() > 300; }, 5000)); // laid out
    const ChartRange whole = chart->range();

    drag(chart, QPoint(60, 80), QPoint(150, 200));
    EXPECT_TRUE(chart->zoomed());
    EXPECT_TRUE(test::waitUntil([&] { return chart->range().xTo < whole.xTo / 2; }, 5000));
    EXPECT_GT(chart->range().xFrom, whole.xFrom);
    EXPECT_LT(chart->range().yTo, whole.yTo);

    // Towards the top left: the whole chart again.
    drag(chart, QPoint(150, 200), QPoint(60, 80));
    EXPECT_TRUE(test::waitUntil([&] { return !chart->zoomed() && chart->range().xTo == whole.xTo; }, 5000));

    // "Log" keeps the horizontal zoom.
    chart->zoomTo(ChartRange { 100, 200, whole.yFrom, whole.yTo }, false);
    form().CheckBox12->click();
    EXPECT_EQ(chart->range().xFrom, 100);
    EXPECT_EQ(chart->range().yFrom, 0);
}

TEST_F(ChartsTest, GRChartsTheDistributionOfTheSelectionWithItsFit)
{
    // 1,000 at 3.0, 100 at 4.0 ... nothing of the pickers' days outside the selection.
    for (int i = 0; i < 1000; ++i)
        add(kMay3 + 1, 30 + (i < 100 ? 10 : 0) + (i < 10 ? 10 : 0));
    form().DsFancyButton8->click();
    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabDistribution);
    const ChartContent& c = form().DBChart3->content();
    EXPECT_TRUE(c.title.startsWith(s("Rozkład magnitud - baza USGS - 2025-05-03 - 2025-05-05\nMc = 3 ")))
        << c.title.toStdString();
    EXPECT_TRUE(c.title.contains(s("b = "))) << c.title.toStdString();
    ASSERT_EQ(c.lines.size(), 3u); // per bin, cumulative, the line
    EXPECT_EQ(c.lines[0].values, (std::vector<float> { 900, 90, 10 }));
    EXPECT_EQ(c.lines[1].values.front(), 1000);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
}

TEST_F(ChartsTest, AChartIsSavedAsPngOrSvg)
{
    add(kMay3, 45);
    add(kMay3 + 1, 52);
    form().DsFancyButton5->click();
    form().DBChart1->resize(640, 400);
    const QString png = dir.filePath(QStringLiteral("wykres.png"));
    const QString svg = dir.filePath(QStringLiteral("wykres.svg"));
    ASSERT_TRUE(form().DBChart1->save(png));
    ASSERT_TRUE(form().DBChart1->save(svg));
    QImageReader reader(png);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), QSize(640, 400));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("2025-05-04"));
    EXPECT_EQ(form().DBChart1->saveAction()->text(), s("Zapisz wykres..."));
    EXPECT_FALSE(form().DBChart1->save(dir.filePath(QStringLiteral("no/such/folder/w.png"))));
}
