// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/MapInteractions.h"

#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/MapProjection.h"
#include "map/MarkPainter.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/QuakeSample.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

const double kToday = double(dayNumber(2025, 5, 10));

// The real window on 10 May 2025 with the built-in map in a 1067 x 534 control (a 1066 x 534 map).
class MapInteractionsTest : public test::WindowFixture
{
protected:
    MapInteractionsTest()
        : WindowFixture(kToday)
    {
        setMapSize(1067, 534);
    }

    void setMapSize(int w, int h)
    {
        form().Image1->resize(w, h);
        form().PaintBox1->resize(w, h);
    }
    FittedSize fit() { return program.mapDisplay().fittedSize(); }
    QPoint pixelOf(float lon, float lat)
    {
        const auto p = wyl_poz(fit(), lon, lat);
        EXPECT_TRUE(p);
        return p ? QPoint(p->x, p->y) : QPoint();
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), QPointF(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(form().PaintBox1, &event);
    }
    void moveTo(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    // Presses the left button at `from`, drags to `to` and lets go there.
    void markRectangle(QPoint from, QPoint to)
    {
        moveTo(from);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    QString panel(int i) { return form().StatusBar1->panelText(i); }
    QRgb overlayAt(QPoint p) { return form().PaintBox1->overlay().pixel(p); }

    void add(float lon, float lat, int mag10, double day = kToday - 2)
    {
        Catalogue& c = catalogue();
        c[++c.CatalogueCount] = test::quake(day, test::secondsOfDay(4, 0, 0), mag10, 100, lon, lat);
    }
};

} // namespace

TEST_F(MapInteractionsTest, CursorReadsTheCornersAndKeepsItsReadoutOffThePicture)
{
    moveTo(QPoint(0, 0));
    EXPECT_EQ(panel(0), QStringLiteral("90"));
    EXPECT_EQ(panel(1), QStringLiteral("-180"));
    const FittedSize f = fit();
    moveTo(QPoint(f.W, f.H));
    EXPECT_EQ(panel(0), QStringLiteral("-90"));
    EXPECT_EQ(panel(1), QStringLiteral("180"));
    EXPECT_EQ(panel(2), QString::number(f.W));
    EXPECT_EQ(panel(3), QString::number(f.H));

    // A wide window limits the map by its height: the strip at its right is no place.
    setMapSize(1400, 534);
    moveTo(QPoint(1300, 100));
    EXPECT_EQ(panel(0), QStringLiteral("-90"));
    EXPECT_EQ(panel(2), QString::number(f.W));
    EXPECT_EQ(program.mapInteractions().cursor().x, 1300);
    EXPECT_EQ(program.mapInteractions().cursor().y, 100);
}

TEST_F(MapInteractionsTest, RightButtonOpensTheMenuAndClearsNothingWhileTheLeftStartsAfresh)
{
    add(10, 10, 50);
    form().Button14->click(); // one earthquake drawn, logged and shown
    ASSERT_EQ(state().ShownQuakes.ShownCount, 1);
    markRectangle(pixelOf(0, 20), pixelOf(20, 0));
    const MapInteractions::CursorPlace start = program.mapInteractions().dragStart();

    moveTo(pixelOf(100, -40));
    add(10, 10, 50);
    form().Button14->click();
    const qsizetype logLines = form().Memo1->lineCount();
    send(QEvent::MouseButtonPress, pixelOf(100, -40), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 2);
    EXPECT_EQ(form().Memo1->lineCount(), logLines);
    EXPECT_EQ(program.mapInteractions().dragStart().lon, start.lon);

    send(QEvent::MouseButtonPress, pixelOf(100, -40), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
    EXPECT_EQ(form().Memo1->lineCount(), 0);
    EXPECT_EQ(overlayAt(pixelOf(10, 10)), 0u) << "the marks are gone";
}

TEST_F(MapInteractionsTest, RectangleOverJapanCopiedIntoTheSearchListsWhatLiesInside)
{
    add(142.4f, 38.3f, 72); // off Tohoku
    add(139.7f, 35.7f, 45); // Tokyo
    add(121.5f, 25.0f, 60); // Taipei: south-west of the rectangle
    add(-70.0f, -33.0f, 80); // Chile

    // Drawn from the lower right to the upper left: the bounds still come out lower first.
    markRectangle(pixelOf(146, 30), pixelOf(128, 46));
    EXPECT_EQ(overlayAt(pixelOf(146, 38)) & 0xffffff,
        QApplication::palette().color(QPalette::Highlight).rgb() & 0xffffff)
        << "the rectangle is drawn in the highlight colour";
    form().Kopiujpooenie1->trigger();
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabBase);
    EXPECT_TRUE(form().RadioButton8->isChecked());
    EXPECT_TRUE(form().CheckBox4->isChecked());
    EXPECT_TRUE(form().CheckBox5->isChecked());
    EXPECT_LT(form().Edit13->text().toDouble(), 128.5) << form().Edit13->text().toStdString();
    EXPECT_EQ(form().Edit13->cursorPosition(), 0) << "a narrow box shows the value from its start";

    form().CheckBox2->setChecked(false);
    form().Button1->click();
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join(u'|').toStdString();
    EXPECT_EQ(form().Label29->text(), QStringLiteral("2"));

    form().Kopiujpooenieostrzee1->trigger();
    EXPECT_EQ(form().PageControl3->currentIndex(), TForm1::TabFilters);
    EXPECT_EQ(form().Edit2->text(), form().Edit13->text());
    EXPECT_EQ(form().Edit5->text(), form().Edit16->text());
}

TEST_F(MapInteractionsTest, ShowOnMapBlinksTheSelectedEarthquakeUntilTheShownListTakesOver)
{
    form().Pokanamapie1->trigger();
    EXPECT_FALSE(form().Timer1->isActive()) << "no row was ever selected";

    state().SelectedMagText = QStringLiteral("6");
    state().SelectedLonText = QStringLiteral("10,5");
    state().SelectedLatText = QStringLiteral("-20,25");
    form().PageControl1->setCurrentIndex(TForm1::TabBase);
    form().Pokanamapie1->trigger();
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabQuakes);
    ASSERT_TRUE(form().Timer1->isActive());
    const QPoint centre = pixelOf(10.5f, -20.25f);
    const QPoint rim = centre + QPoint(markRadius(60, pointDivisor(kDefaultPointSize)) - 1, 0);
    program.mapInteractions().Timer1Timer();
    const QRgb first = overlayAt(centre);
    program.mapInteractions().Timer1Timer();
    EXPECT_NE(overlayAt(centre), first) << "the phases alternate";
    EXPECT_EQ(QSet<QRgb>({ first, overlayAt(centre) }), QSet<QRgb>({ kMarkYellow, kMarkGreen }));
    EXPECT_NE(overlayAt(rim), 0u) << "drawn as magnitude 6.0, not 0.6";

    // While one earthquake blinks the shown list waits; once it is shown, the list takes over.
    add(10, 10, 50);
    form().Button14->click();
    program.mapInteractions().Timer3Timer();
    EXPECT_TRUE(form().Timer1->isActive());
    form().Timer1->stop();
    form().Pokawszystkonamapie1->trigger();
    EXPECT_TRUE(form().Timer3->isActive());
    program.mapInteractions().Timer3Timer();
    EXPECT_EQ(form().Timer3->interval(), 250);
}

TEST_F(MapInteractionsTest, ShownListBlinksSlowerTheLongerItIsAndRestsDuringAReplay)
{
    for (int i = 0; i < 101; ++i)
        add(float(i % 300 - 150), float(i % 120 - 60), 50);
    form().Button14->click();
    ASSERT_EQ(state().ShownQuakes.ShownCount, 101);
    form().Timer3->start();
    program.mapInteractions().Timer3Timer();
    EXPECT_EQ(form().Timer3->interval(), 350);

    Q_EMIT program.events().replayStarted();
    EXPECT_FALSE(form().Timer3->isActive());
    Q_EMIT program.events().replayFinished();
    EXPECT_TRUE(form().Timer3->isActive());
}
