// SPDX-License-Identifier: GPL-3.0-or-later
// The map-picture buttons, the chart window and the tray icon.
#include "ProgramTestSupport.h"

#include "gui/controllers/WindowShell.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>

namespace tremora::test
{
namespace
{

using Shell = ProgramFixture;

TEST_F(Shell, StartsWithTheBuiltInWorldMap)
{
    Program& program = makeProgram();
    program.FormCreate();
    const QImage& map = program.form().Image1->picture();
    ASSERT_FALSE(map.isNull());
    EXPECT_EQ(map.size(), QSize(4096, 2048));
}

TEST_F(Shell, MapPictureButtonsLoadTheirFiles)
{
    QImage earth(400, 200, QImage::Format_RGB32);
    earth.fill(Qt::green);
    ASSERT_TRUE(earth.save(filePath(QStringLiteral("Ziemia.jpg")), "JPG"));
    QImage plates(300, 150, QImage::Format_RGB32);
    plates.fill(Qt::red);
    ASSERT_TRUE(plates.save(filePath(QStringLiteral("Plyty_tektoniczne.jpg")), "JPG"));

    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();
    f.DsFancyButton2->click();
    EXPECT_EQ(f.Image1->picture().size(), QSize(400, 200));
    f.DsFancyButton3->click();
    EXPECT_EQ(f.Image1->picture().size(), QSize(300, 150));
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

TEST_F(Shell, AMissingOrBrokenPictureIsReportedAndTheMapStays)
{
    ASSERT_TRUE(writeAll(filePath(QStringLiteral("Plyty_tektoniczne.jpg")), QByteArray("not a picture")));
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();
    const qint64 before = f.Image1->picture().cacheKey();

    f.DsFancyButton2->click();
    ASSERT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_TRUE(m_dialogs.errors[0].contains(QStringLiteral("Ziemia.jpg")));
    EXPECT_EQ(f.Image1->picture().cacheKey(), before);

    f.DsFancyButton3->click();
    ASSERT_EQ(m_dialogs.errors.size(), 2);
    EXPECT_TRUE(m_dialogs.errors[1].contains(QStringLiteral("Plyty_tektoniczne.jpg")));
    EXPECT_EQ(f.Image1->picture().cacheKey(), before);
}

TEST_F(Shell, TestButtonTogglesTheChartWindowAlongTheMainWindow)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();
    f.resize(1200, 760);
    f.move(40, 30);
    f.show();
    TForm2& chart = *f.Form2;

    auto expectPlaced = [&] {
        const QRect main = f.frameGeometry();
        EXPECT_EQ(chart.width(), f.PaintBox1->width() + 5);
        EXPECT_EQ(chart.height(), 350);
        EXPECT_EQ(chart.x(), main.left() + 10);
        EXPECT_EQ(chart.y(), main.top() + main.height() - 350 - 30);
        EXPECT_EQ(chart.UnitLabel->x(), chart.width() - 80);
    };

    f.DsFancyButton7->click();
    EXPECT_TRUE(chart.isVisible());
    expectPlaced();

    f.move(100, 80);
    f.DsFancyButton7->click();
    EXPECT_FALSE(chart.isVisible());
    expectPlaced();
    EXPECT_EQ(chart.x(), f.frameGeometry().left() + 10);
}

TEST_F(Shell, TrayIconClickHidesAndShowsTheWindow)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();
    f.show();
    Q_EMIT f.CoolTrayIcon1->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(f.isVisible());
    Q_EMIT f.CoolTrayIcon1->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(f.isVisible());
}

} // namespace
} // namespace tremora::test
