// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AlertCheck.h"

#include "catalogue/DayNumber.h"
#include "platform/ConversionError.h"
#include "tests/support/QuakeSample.h"

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

SearchBoxes defaults()
{
    SearchBoxes b;
    b.magnitude = true;
    b.texts = { QStringLiteral("6,0"), QStringLiteral("9,9"), QStringLiteral("0,0"), QStringLiteral("3,0"),
        QStringLiteral("15,000"), QStringLiteral("17,000"), QStringLiteral("51,000"),
        QStringLiteral("53,000") };
    return b;
}

const double kDay = double(dayNumber(2024, 1, 1));

} // namespace

TEST(AlertCheck, LineWritesTheNumbersAsTheTableDoes)
{
    const QuakeRecord r = test::quake(kDay, test::secondsOfDay(7, 10, 9), 61, 100, 16.25f, 52.5f);
    EXPECT_EQ(AlertLine(r), QStringLiteral("2024-01-01 07:10:09 Mag.: 6,1  52,5,  16,25, Głęb.: 10"));
}

TEST(AlertCheck, BoxesAreCheckedUnderTheWarningNames)
{
    SearchBoxes b = defaults();
    b.texts[SearchBoxes::MagFrom] = QStringLiteral("6,55");
    EXPECT_EQ(alertBoxesFault(b), QStringLiteral("Błąd przecinka w \"Ostrzeżenia - magnituda\""));
    b = defaults();
    b.depth = true;
    b.texts[SearchBoxes::DepthTo] = QStringLiteral("1000,1");
    EXPECT_EQ(alertBoxesFault(b), QStringLiteral("\"Ostrzeżenia - głębokość do\" - wartość do 1000 km"));
    b = defaults();
    b.latitude = true;
    b.texts[SearchBoxes::LatTo] = QStringLiteral("95,0");
    EXPECT_EQ(alertBoxesFault(b), std::nullopt) << "the latitude boxes share the ±180 range";
    // A text that is no number is named with its box, not thrown: the warnings run after an
    // update, where an error box would name nothing.
    b.texts[SearchBoxes::LatFrom] = QStringLiteral("5-");
    EXPECT_EQ(
        alertBoxesFault(b), QStringLiteral("Błąd liczby w \"Ostrzeżenia - szerokość geograficzna od\""));
}

TEST(AlertCheck, BoundsAreInclusiveAndEachRecordIsNewsOnce)
{
    Catalogue c;
    for (const int mag10 : { 59, 60, 99, 100 }) {
        const int i = ++c.CatalogueCount;
        c[i] = test::quake(kDay, 60.0 * i, mag10);
    }
    AlertLedger ledger;
    const SearchCriteria lub = alertCriteria(defaults(), true);
    EXPECT_EQ(ledger.check(c, 1, lub), (std::vector<int> { 2, 3 }));
    EXPECT_TRUE(ledger.check(c, 1, lub).empty()) << "checked again: nothing new";

    // An update wrote the newest again and brought one more: only that one is news.
    c[++c.CatalogueCount] = test::quake(kDay, 3600, 70);
    EXPECT_EQ(ledger.check(c, 3, alertCriteria(defaults(), false)), std::vector<int> { 5 });
}

TEST(AlertCheck, NothingCheckedMeansNothingWithLubAndEverythingWithI)
{
    Catalogue c;
    c[++c.CatalogueCount] = test::quake(kDay, 0, 20);
    SearchBoxes none = defaults();
    none.magnitude = false;
    EXPECT_TRUE(AlertLedger().check(c, 1, alertCriteria(none, true)).empty());
    EXPECT_EQ(AlertLedger().check(c, 1, alertCriteria(none, false)), std::vector<int> { 1 });
}

TEST(AlertCheck, CheckStartsAfterTheLastOneOrLowerWhereAnUpdateWrote)
{
    EXPECT_EQ(alertStart(150, 0), 151);
    EXPECT_EQ(alertStart(150, 151), 151);
    EXPECT_EQ(alertStart(150, 146), 146) << "a late report sorts in below the last record examined";
    EXPECT_EQ(alertStart(0, 0), 1);
}
