// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/QueryUrl.h"

#include <gtest/gtest.h>

using namespace tremora;

TEST(QueryUrl, BothDateLayoutsGiveTheSameQuery)
{
    const QString expected = QStringLiteral(
        "https://earthquake.usgs.gov/fdsnws/event/1/query?starttime=2015-07-03%2000:00:00&minmagnitude=0"
        "&format=csv&endtime=2015-07-31%2023:59:59.999&orderby=time-asc&417");
    EXPECT_EQ(Wczyt_zakres_dat_url(QStringLiteral("https://earthquake.usgs.gov"),
                  QStringLiteral("2015-07-03"), QStringLiteral("2015-07-31"), DateLayout::YearMonthDay, 417),
        expected);
    EXPECT_EQ(Wczyt_zakres_dat_url(QStringLiteral("https://earthquake.usgs.gov/"),
                  QStringLiteral("03-07-2015"), QStringLiteral("31-07-2015"), DateLayout::DayMonthYear, 417),
        expected);
    // Characters are taken by position, whatever stands there.
    EXPECT_EQ(Wczyt_zakres_dat_url(QStringLiteral("http://127.0.0.1:8080"), QStringLiteral("2015x07y03"),
                  QStringLiteral("2015-7-3"), DateLayout::YearMonthDay, 0),
        QStringLiteral("http://127.0.0.1:8080/fdsnws/event/1/query?starttime=2015-07-03%2000:00:00"
                       "&minmagnitude=0&format=csv&endtime=2015-7--%2023:59:59.999&orderby=time-asc&0"));
}

TEST(QueryUrl, RandomPartStaysWithinItsRange)
{
    const QString host = QStringLiteral("http://h");
    const QString day = QStringLiteral("2015-07-03");
    EXPECT_TRUE(
        Wczyt_zakres_dat_url(host, day, day, DateLayout::YearMonthDay, 999).endsWith(QStringLiteral("&999")));
    EXPECT_TRUE(
        Wczyt_zakres_dat_url(host, day, day, DateLayout::YearMonthDay, 7).endsWith(QStringLiteral("asc&7")));
    EXPECT_TRUE(Wczyt_zakres_dat_url(host, day, day, DateLayout::YearMonthDay, 1000)
                    .endsWith(QStringLiteral("asc&0")));
    EXPECT_TRUE(
        Wczyt_zakres_dat_url(host, day, day, DateLayout::YearMonthDay, -1).endsWith(QStringLiteral("&999")));
    for (int i = 0; i < 200; ++i) {
        const int r = randomQueryPart();
        ASSERT_GE(r, 0);
        ASSERT_LT(r, kQueryRandomLimit);
    }
}
