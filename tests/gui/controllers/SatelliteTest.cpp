// SPDX-License-Identifier: GPL-3.0-or-later
// The location picture, the grid and the row actions, driven through the real window: tiles come
// from the program's own local source or, with a tile host set, from the scripted downloader.
#include "gui/controllers/Satellite.h"
#include "ProgramTestSupport.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/RowActions.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/Waiting.h"
#include "tiles/LocalTileSource.h"
#include "tiles/XyzTileSource.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

const QString kTileHost = QStringLiteral("http://tiles.test");

/// A JPEG tile of one colour, as a tile server would send it.
QByteArray jpegOf(const QColor& colour)
{
    QImage tile(kTilePixels, kTilePixels, QImage::Format_RGB32);
    tile.fill(colour);
    return encodeTile(tile);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// The colour a scripted tile server gives a URL (a hash picks the hue), so that the tiles of
/// different rows tell apart.
QColor colourOfUrl(const QString& url)
{
    const int hue = int(qHash(url) % 360);
    return QColor::fromHsv(hue, 255, 200);
}

class SatelliteTest : public test::ProgramFixture
{
protected:
    /// Two quakes a day apart, listed newest first by "7 dni": row 0 is at 16,19 / 51,69, row 1
    /// at 179,5 / -20.
    void startWithTwoRows(bool tileHost)
    {
        writeCatalogue(
            { test::quake(double(dayNumber(2015, 7, 8)), test::secondsOfDay(3, 0, 0), 61, 0, 179.5f, -20),
                test::quake(
                    double(dayNumber(2015, 7, 9)), test::secondsOfDay(12, 30, 0), 45, 0, 16.19f, 51.69f) });
        if (tileHost)
            m_platform.tileHost = kTileHost;
        makeProgram().FormCreate();
        form().Button3->click();
        ASSERT_EQ(form().ControlPanel1->model()->rowCount(), 2);
        m_dialogs.clear();
    }

    void serveTiles()
    {
        m_downloader.setAnswer([](const QString& url, const QString& path) {
            return writeFile(path, jpegOf(colourOfUrl(url)));
        });
    }

    TForm1& form() { return m_program->form(); }
    ProgramState& state() { return m_program->state(); }
    Satellite& satellite() { return m_program->satellite(); }
    void selectRow(int row) { form().ControlPanel1->selectRow(row); }
    bool pictureShown() { return !form().Image19->picture().isNull() && !form().Image19->isHidden(); }
    QColor shownColour() { return form().Image19->picture().pixelColor(128, 128); }
    /// Lets every tile on its way arrive.
    void settle()
    {
        ASSERT_TRUE(test::waitUntil([&] { return !satellite().busy(); }));
    }
};

TEST_F(SatelliteTest, RowSelectionShowsThePointAndTheLocalTile)
{
    startWithTwoRows(false);
    selectRow(0);
    EXPECT_EQ(form().Edit20->text(), QStringLiteral("51.69,16.19"));
    EXPECT_EQ(state().SelectedLonText, QStringLiteral("16,19"));
    EXPECT_EQ(state().SelectedLatText, QStringLiteral("51,69"));
    EXPECT_EQ(state().SelectedMagText, QStringLiteral("4,5"));
    // Without a tile host the program cuts the tile itself, from the built-in map here.
    ASSERT_TRUE(test::waitUntil([&] { return !form().Image19->picture().isNull(); }));
    EXPECT_EQ(form().Image19->picture().size(), QSize(kTilePixels, kTilePixels));
    EXPECT_TRUE(m_downloader.urls.isEmpty());
    EXPECT_TRUE(form().Timer6->isActive());
    EXPECT_FALSE(QFile::exists(filePath(QString::fromLatin1(kLocationPictureFile))));
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(SatelliteTest, WorkedExampleThroughTheButton)
{
    startWithTwoRows(true);
    serveTiles();
    state().SelectedLonText = QStringLiteral("16");
    state().SelectedLatText = QStringLiteral("50");
    form().Button11->click();
    ASSERT_TRUE(test::waitUntil([&] { return form().Timer6->isActive(); }));
    ASSERT_EQ(m_downloader.urls.size(), 1);
    EXPECT_EQ(m_downloader.urls[0], kTileHost + QStringLiteral("/kh?n=404&v=84&t=tstqqrts"));
    EXPECT_EQ(form().Edit21->text(), QStringLiteral("14,0625"));
    EXPECT_EQ(form().Edit22->text(), QStringLiteral("16,875"));
    EXPECT_EQ(form().Edit23->text(), QStringLiteral("49,2188"));
    EXPECT_EQ(form().Edit24->text(), QStringLiteral("50,625"));
    ASSERT_TRUE(satellite().marker());
    EXPECT_EQ(satellite().marker()->x, 176);
    EXPECT_EQ(satellite().marker()->y, 142);
    EXPECT_TRUE(pictureShown());
    EXPECT_FALSE(form().Panel13->isHidden());
    EXPECT_FALSE(form().Button11->isHidden());

    form().PaintBox2->resize(TForm1::kTileSide, TForm1::kTileSide);
    satellite().Timer6Timer();
    const QImage& marks = form().PaintBox2->overlay();
    // Row 142 counted northward from the tile's south edge is row 114 from the top.
    EXPECT_EQ(marks.pixelColor(176, 114), QColor(255, 255, 0));
    EXPECT_EQ(marks.pixelColor(176, 142).alpha(), 0);
    EXPECT_EQ(marks.pixelColor(40, 40).alpha(), 0);

    // The corner of the world lies outside its tile: the marker stays where it was.
    state().SelectedLonText = QStringLiteral("180");
    state().SelectedLatText = QStringLiteral("90");
    form().TrackBar1->setValue(3);
    form().Button11->click();
    ASSERT_TRUE(test::waitUntil([&] { return form().Edit21->text() == QStringLiteral("135"); }));
    EXPECT_TRUE(m_downloader.urls.last().endsWith(QStringLiteral("t=tsss")));
    EXPECT_EQ(satellite().marker()->x, 176);
    EXPECT_EQ(satellite().marker()->y, 142);
}

TEST_F(SatelliteTest, ImageryServiceWinsOverTheTileHost)
{
    m_tileUrl = QStringLiteral("http://imagery.test/{z}/{x}/{y}.jpg");
    startWithTwoRows(true);
    serveTiles();
    state().SelectedLonText = QStringLiteral("16");
    state().SelectedLatText = QStringLiteral("50");
    form().Button11->click();
    ASSERT_TRUE(test::waitUntil([&] { return form().Timer6->isActive(); }));
    // The Web Mercator tiles over the cell of key "stqqrts", and nothing from the tile host.
    const MercatorCover cover = mercatorCover(*cellOfKey(QStringLiteral("stqqrts")));
    QStringList expected;
    for (int y = cover.firstY; y <= cover.lastY; ++y) {
        for (int x = cover.firstX; x <= cover.lastX; ++x)
            expected << xyzTileUrl(m_tileUrl, cover.zoom, x, y);
    }
    QStringList asked = m_downloader.urls;
    asked.sort();
    expected.sort();
    EXPECT_EQ(asked, expected);
    EXPECT_TRUE(pictureShown());
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(SatelliteTest, FailedDownloadHidesThePicture)
{
    startWithTwoRows(true);
    serveTiles();
    selectRow(0);
    ASSERT_TRUE(test::waitUntil([&] { return pictureShown(); }));
    m_downloader.setAnswer([](const QString&, const QString&) { return false; });
    selectRow(1);
    ASSERT_TRUE(test::waitUntil([&] { return form().Image19->isHidden(); }));
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
    EXPECT_EQ(form().Edit20->text(), QStringLiteral("-20,179.5"));
    // No marker floats over the missing picture, and the status bar says why.
    EXPECT_FALSE(satellite().marker());
    EXPECT_FALSE(form().Timer6->isActive());
    EXPECT_TRUE(form().StatusBar1->panelText(StatusBar::kMessagePanel).contains(QStringLiteral("serwer")));
    // A reply with an error status is no picture either.
    serveTiles();
    m_downloader.status = 404;
    form().Button11->click();
    settle();
    EXPECT_TRUE(form().Image19->isHidden());
    // The next good reply shows the picture again.
    m_downloader.status = 200;
    form().Button11->click();
    EXPECT_TRUE(test::waitUntil([&] { return pictureShown(); }));
}

TEST_F(SatelliteTest, AClickOnTheTrackMovesTheZoomOneLevelTowardTheClick)
{
    makeProgram().FormCreate();
    form().show();
    const struct {
        int tab;
        QSlider* zoom;
    } sliders[] = { { TForm1::TabSatellite, form().TrackBar2 }, { TForm1::TabBase, form().TrackBar1 } };
    for (const auto& [tab, zoom] : sliders) {
        SCOPED_TRACE(zoom->objectName().toStdString());
        form().PageControl1->setCurrentIndex(tab);
        QApplication::processEvents();
        const int before = zoom->value();
        const int y = zoom->height() / 2;
        QTest::mouseClick(zoom, Qt::LeftButton, {}, QPoint(zoom->width() - 2, y));
        EXPECT_EQ(zoom->value(), before + 1);
        QTest::mouseClick(zoom, Qt::LeftButton, {}, QPoint(1, y));
        EXPECT_EQ(zoom->value(), before);
    }
}

TEST_F(SatelliteTest, ReplyThatIsNoPictureNeverShows)
{
    startWithTwoRows(true);
    serveTiles();
    selectRow(0);
    ASSERT_TRUE(test::waitUntil([&] { return pictureShown(); }));
    const QByteArray truncated = jpegOf(Qt::red).left(300);
    for (const QByteArray& body : { QByteArray("<html><body>Over quota</body></html>"), truncated }) {
        m_downloader.setAnswer([body](const QString&, const QString& path) { return writeFile(path, body); });
        m_dialogs.clear();
        form().StatusBar1->setPanelText(StatusBar::kMessagePanel, QString());
        // Selecting a row: no box, the picture goes and the status bar says why.
        selectRow(1);
        ASSERT_TRUE(test::waitUntil([&] { return form().Image19->isHidden(); }));
        EXPECT_TRUE(m_dialogs.errors.isEmpty());
        EXPECT_TRUE(form().StatusBar1->panelText(StatusBar::kMessagePanel).contains(kLocationPictureFile));
        // The button: the loader's error box.
        form().Button11->click();
        ASSERT_TRUE(test::waitUntil([&] { return !m_dialogs.errors.isEmpty(); }));
        EXPECT_EQ(m_dialogs.errors.size(), 1);
        EXPECT_TRUE(form().Image19->isHidden());
        // A good tile again before the next kind of bad reply.
        serveTiles();
        selectRow(0);
        ASSERT_TRUE(test::waitUntil([&] { return pictureShown(); }));
    }
}

TEST_F(SatelliteTest, NewerRequestSupersedesOlder)
{
    startWithTwoRows(true);
    serveTiles();
    int shown = 0;
    QObject::connect(form().Image19, &MapImage::pictureChanged, form().Image19, [&shown] { ++shown; });
    selectRow(0);
    selectRow(1); // runs Klik for row 0 (left) and row 1 (entered)
    ASSERT_EQ(m_downloader.urls.size(), 3);
    const QString rowB = m_downloader.urls.last();
    ASSERT_TRUE(test::waitUntil([&] { return shown > 0; }));
    settle();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(shownColour().rgb(), QImage::fromData(jpegOf(colourOfUrl(rowB))).pixelColor(128, 128).rgb());
    EXPECT_EQ(form().Edit20->text(), QStringLiteral("-20,179.5"));
}

TEST_F(SatelliteTest, NoPictureWhenTheAutomaticImportIsOff)
{
    startWithTwoRows(true);
    serveTiles();
    form().CheckBox11->setChecked(false);
    selectRow(0);
    settle();
    EXPECT_TRUE(m_downloader.urls.isEmpty());
    EXPECT_EQ(form().Edit20->text(), QStringLiteral("51.69,16.19"));
}

TEST_F(SatelliteTest, GridFillsTheFirstTwoCells)
{
    startWithTwoRows(true);
    serveTiles();
    EXPECT_EQ(form().TrackBar2->minimum(), kGridZoomMin);
    EXPECT_EQ(form().TrackBar2->maximum(), kGridZoomMax);
    EXPECT_EQ(form().TrackBar2->value(), kGridZoomDefault);
    state().SelectedLonText = QStringLiteral("-10");
    state().SelectedLatText = QStringLiteral("10");
    form().Button9->click();
    ASSERT_TRUE(test::waitUntil([&] { return !form().Image6->picture().isNull(); }));
    ASSERT_EQ(m_downloader.urls.size(), 2);
    // Zoom 1: the second cell is 180 degrees east of the first.
    EXPECT_TRUE(m_downloader.urls[0].endsWith(QStringLiteral("t=tt")));
    EXPECT_TRUE(m_downloader.urls[1].endsWith(QStringLiteral("t=ts")));
    EXPECT_FALSE(form().Image2->picture().isNull());
    EXPECT_TRUE(form().Image3->picture().isNull());
    EXPECT_TRUE(QFile::exists(filePath(QString::fromLatin1(kGridPictureFile))));
}

TEST_F(SatelliteTest, GridKeepsItsOwnCellWidthWhenARowIsSelectedMeanwhile)
{
    startWithTwoRows(true);
    serveTiles();
    state().SelectedLonText = QStringLiteral("-10");
    state().SelectedLatText = QStringLiteral("10");
    form().Button9->click();
    // While the grid's first cell is on its way, a row selection fetches a location tile at
    // another zoom.
    selectRow(0);
    ASSERT_TRUE(test::waitUntil([&] { return !form().Image6->picture().isNull(); }));
    settle();
    // Zoom 1: the second cell is still 180 degrees east of the first.
    ASSERT_EQ(m_downloader.urls.size(), 3);
    EXPECT_TRUE(m_downloader.urls.first().endsWith(QStringLiteral("t=tt")));
    EXPECT_TRUE(m_downloader.urls.last().endsWith(QStringLiteral("t=ts")));
}

TEST_F(SatelliteTest, ZoomLabelShowsTheMagnification)
{
    startWithTwoRows(false);
    EXPECT_EQ(form().TrackBar1->value(), kLocationZoomDefault);
    EXPECT_EQ(form().Label35->text(), QStringLiteral("16384 x"));
    form().TrackBar1->setValue(2);
    EXPECT_EQ(form().Label35->text(), QStringLiteral("16 x"));
    form().TrackBar1->setValue(17);
    EXPECT_EQ(form().Label35->text(), QStringLiteral("17179869184 x"));
    EXPECT_TRUE(m_downloader.urls.isEmpty()); // "Wyświetl" fetches, not the track bar
}

TEST_F(SatelliteTest, CopiesIntoSearchAndWarningCriteria)
{
    startWithTwoRows(true);
    form().CheckBox11->setChecked(false);
    selectRow(0);
    form().Kopiujlokalizacjdowyszukiwania1->trigger();
    EXPECT_EQ(form().Edit13->text(), QStringLiteral("16,19"));
    EXPECT_EQ(form().Edit14->text(), QStringLiteral("16,19"));
    EXPECT_EQ(form().Edit15->text(), QStringLiteral("51,69"));
    EXPECT_EQ(form().Edit16->text(), QStringLiteral("51,69"));
    EXPECT_TRUE(form().RadioButton8->isChecked());
    EXPECT_TRUE(form().CheckBox4->isChecked());
    EXPECT_TRUE(form().CheckBox5->isChecked());
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabQuakes); // not switched

    form().PageControl1->setCurrentIndex(TForm1::TabBase);
    form().RadioButton9->setChecked(true);
    form().jwwpromieniu100km1->trigger();
    EXPECT_EQ(form().Edit13->text(), QStringLiteral("14,99"));
    EXPECT_EQ(form().Edit14->text(), QStringLiteral("17,39"));
    EXPECT_EQ(form().Edit15->text(), QStringLiteral("50,79"));
    EXPECT_EQ(form().Edit16->text(), QStringLiteral("52,59"));
    EXPECT_TRUE(form().RadioButton8->isChecked());
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabBase);

    selectRow(1);
    form().PageControl3->setCurrentIndex(TForm1::TabWarnings);
    form().jwwpromieniu100km2->trigger();
    EXPECT_EQ(form().Edit2->text(), QStringLiteral("178,3"));
    EXPECT_EQ(form().Edit3->text(), QStringLiteral("180,7")); // not clamped
    EXPECT_EQ(form().Edit4->text(), QStringLiteral("-20,9"));
    EXPECT_EQ(form().Edit5->text(), QStringLiteral("-19,1"));
    EXPECT_EQ(form().PageControl1->currentIndex(), TForm1::TabQuakes);
    EXPECT_EQ(form().PageControl3->currentIndex(), TForm1::TabFilters);
    EXPECT_FALSE(form().CheckBox7->isChecked()); // the warnings' own switches stay
    EXPECT_FALSE(form().CheckBox8->isChecked());
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(SatelliteTest, CopiesAfterANewListingUseThePointZero)
{
    startWithTwoRows(true);
    form().CheckBox11->setChecked(false);
    selectRow(0);
    form().Button3->click(); // a new listing: no row selected
    EXPECT_EQ(state().SelectedLonText, QStringLiteral("0"));
    EXPECT_EQ(state().SelectedLatText, QStringLiteral("0"));
    form().jwwpromieniu100km1->trigger();
    EXPECT_EQ(form().Edit13->text(), QStringLiteral("-1,2"));
    EXPECT_EQ(form().Edit14->text(), QStringLiteral("1,2"));
    EXPECT_EQ(form().Edit15->text(), QStringLiteral("-0,9"));
    EXPECT_EQ(form().Edit16->text(), QStringLiteral("0,9"));
    form().Kopiujlokalizacjdoostrzee1->trigger();
    EXPECT_EQ(form().Edit2->text(), QStringLiteral("0"));
    EXPECT_EQ(form().Edit5->text(), QStringLiteral("0"));
}

TEST_F(SatelliteTest, TextThatIsNoNumberEndsTheActionInAnErrorBox)
{
    startWithTwoRows(true);
    serveTiles();
    state().SelectedLonText = QStringLiteral("16,19");
    state().SelectedLatText = QStringLiteral("5x");
    form().jwwpromieniu100km1->trigger();
    ASSERT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_TRUE(m_dialogs.errors[0].contains(QStringLiteral("5x")));
    EXPECT_EQ(form().Edit13->text(), QStringLiteral("14,99")); // written before the fault
    EXPECT_EQ(form().Edit15->text(), QStringLiteral("-90,0"));
    form().Button11->click();
    EXPECT_EQ(m_dialogs.errors.size(), 2);
    EXPECT_TRUE(m_downloader.urls.isEmpty());
}

} // namespace
