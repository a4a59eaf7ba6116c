// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar, the lamp and the banner menu as the window uses them.
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/Lamp.h"
#include "gui/widgets/StatusBar.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

TEST(BannerMenu, ItemsStartRightOfTheBannerWhichIsPaintedWithItsWord)
{
    BannerMenu menu(QStringLiteral("Kest"));
    QAction* first = menu.addAction(QStringLiteral("Kopiuj położenie do wyszukiwania"));
    menu.addAction(QStringLiteral("Kopiuj położenie do \"ostrzeżeń\""));
    menu.adjustSize();

    EXPECT_GE(menu.actionGeometry(first).left(), BannerMenu::kBannerWidth);
    EXPECT_TRUE(menu.bannerFont().bold());
    EXPECT_TRUE(menu.bannerFont().italic());

    const QImage picture = menu.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    // The banner is dark blue with white letters somewhere down its middle.
    const QColor top = picture.pixelColor(BannerMenu::kBannerWidth / 2, 1);
    EXPECT_GT(top.blue(), top.red());
    bool white = false;
    for (int y = 0; y < picture.height() && !white; ++y)
        for (int x = 0; x < BannerMenu::kBannerWidth && !white; ++x)
            white = picture.pixelColor(x, y).lightness() > 200;
    EXPECT_TRUE(white);
}

TEST(Lamp, ShowsItsColourAndDarkensWhenOff)
{
    Lamp lamp;
    lamp.resize(20, 20);
    lamp.setColor(TLampColor::lcRed);
    EXPECT_EQ(lamp.color(), TLampColor::lcRed);
    const QColor lit = lamp.grab().toImage().pixelColor(10, 12);
    EXPECT_GT(lit.red(), 2 * lit.green());

    lamp.setState(TLampState::lsOFF);
    const QColor off = lamp.grab().toImage().pixelColor(10, 12);
    EXPECT_LT(off.lightness(), lit.lightness());

    lamp.setState(TLampState::lsON);
    lamp.setColor(TLampColor::lcGreen);
    const QColor green = lamp.grab().toImage().pixelColor(10, 12);
    EXPECT_GT(green.green(), 2 * green.red());
}

TEST(StatusBar, LastPanelTakesTheRoomThatIsLeft)
{
    StatusBar bar;
    bar.resize(800, 22);
    bar.show();
    bar.setPanelText(4, QStringLiteral("Baza USGS odczytana poprawnie."));
    EXPECT_EQ(bar.panel(0)->width(), 70);
    EXPECT_EQ(bar.panel(2)->width(), 30);
    EXPECT_GT(bar.panel(4)->width(), 100);
    EXPECT_EQ(bar.panelText(-1), QString());
}

} // namespace
} // namespace tremora
