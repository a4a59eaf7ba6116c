// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchFilter.h"
#include "catalogue/DayNumber.h"
#include "platform/ConversionError.h"

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

QString q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(SearchFilterTest, SprEditConvertsOrRefusesTypedNumbers)
{
    const std::optional<EditNumber> n = spr_edit(q("15,025"));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->ScaledDigits, 15025);
    EXPECT_EQ(n->DecimalCount, 3);
    EXPECT_FLOAT_EQ(n->LastParsedValue, 15.025f);

    const std::optional<EditNumber> dot = spr_edit(q("5.5")); // a dot counts as the comma
    ASSERT_TRUE(dot);
    EXPECT_EQ(dot->ScaledDigits, 55);
    EXPECT_EQ(dot->DecimalCount, 1);
    const std::optional<EditNumber> negative = spr_edit(q("-180,0"));
    ASSERT_TRUE(negative);
    EXPECT_EQ(negative->ScaledDigits, -1800);
    EXPECT_FLOAT_EQ(negative->LastParsedValue, -180.0f);
    ASSERT_TRUE(spr_edit(q("5")));
    EXPECT_EQ(spr_edit(q("5"))->DecimalCount, 0);

    for (const char* refused : { "", ",5", "5,", ".5", "5.", "1,2,3", "1.2,3", "5a", "+5", " 5", "1e5" })
        EXPECT_FALSE(spr_edit(q(refused))) << refused;
}

TEST(SearchFilterTest, TextsPassingTheCharacterChecksButNoNumberThrow)
{
    for (const char* text :
        { "5-", "--1", "-", "1-2", "2147483648", "-2147483649", "99999999999999999999999" })
        EXPECT_THROW(spr_edit(q(text)), ConversionError) << text;
    // The largest ScaledDigits still converts.
    EXPECT_EQ(spr_edit(q("2147483647"))->ScaledDigits, 2147483647);
    EXPECT_EQ(spr_edit(q("-214748,3648"))->ScaledDigits, -2147483648LL);

    // formularz1 converts a checked box's text the same way.
    SearchBoxes boxes;
    boxes.texts = { q("5,0"), q("--1"), q("0"), q("0"), q("0"), q("0"), q("0"), q("0") };
    boxes.magnitude = true;
    EXPECT_THROW(formularz1(boxes), ConversionError);
    // searchCriteria converts all eight boxes, checked or not.
    boxes.magnitude = false;
    EXPECT_FALSE(formularz1(boxes));
    EXPECT_THROW(searchCriteria(boxes, 0, 0, false), ConversionError);
}

/// formularz1's message for one text in one box, every other box valid and only its criterion
/// checked.
QString faultIn(SearchBoxes::Box box, const char* text)
{
    SearchBoxes boxes;
    boxes.texts = { q("5,0"), q("9,9"), q("0,0"), q("1000"), q("-180,0"), q("180,0"), q("-90,0"), q("90,0") };
    boxes.texts[static_cast<std::size_t>(box)] = q(text);
    boxes.magnitude = box <= SearchBoxes::MagTo;
    boxes.depth = box == SearchBoxes::DepthFrom || box == SearchBoxes::DepthTo;
    boxes.longitude = box == SearchBoxes::LonFrom || box == SearchBoxes::LonTo;
    boxes.latitude = box >= SearchBoxes::LatFrom;
    return formularz1(boxes).value_or(QString());
}

TEST(SearchFilterTest, Formularz1NamesTheFirstFaultyBox)
{
    using B = SearchBoxes;
    EXPECT_EQ(faultIn(B::MagFrom, ",5"), q("Błąd liczby w \"Magnituda od\""));
    EXPECT_EQ(faultIn(B::MagTo, "5,"), q("Błąd liczby w \"Magnituda do\""));
    EXPECT_EQ(faultIn(B::MagFrom, "5,55"), q("Błąd przecinka w \"Magnituda od\""));
    EXPECT_EQ(faultIn(B::MagFrom, "10,1"), q("\"Magnituda od\" - wartość do 10,0"));
    EXPECT_EQ(faultIn(B::MagTo, "-1,0"), q("\"Magnituda do\" - wartość do 10,0"));
    EXPECT_EQ(faultIn(B::MagTo, "11"), q("\"Magnituda do\" - wartość do 10,0")); // whole units
    EXPECT_EQ(faultIn(B::MagFrom, "10"), QString());
    EXPECT_EQ(faultIn(B::MagFrom, "5.5"), QString());

    EXPECT_EQ(faultIn(B::DepthFrom, "1000,0"), QString());
    EXPECT_EQ(faultIn(B::DepthTo, "1000,1"), q("\"Głębokość do\" - wartość do 1000 km"));
    EXPECT_EQ(faultIn(B::DepthFrom, "0,05"), q("Błąd przecinka w \"Głębokość od\""));

    EXPECT_EQ(faultIn(B::LonFrom, "-180,0"), QString());
    EXPECT_EQ(faultIn(B::LonTo, "180,0"), QString());
    EXPECT_EQ(faultIn(B::LonTo, "180,00001"), q("Błąd przecinka w \"Długość geograficzna do\""));
    EXPECT_EQ(faultIn(B::LonFrom, "180,1"), q("\"Długość geograficzna od\" - wartość między -180,0 a 180,0"));
    EXPECT_EQ(faultIn(B::LatTo, "95,0"), QString()); // latitude shares the longitude's range
    EXPECT_EQ(
        faultIn(B::LatFrom, "-180,0001"), q("\"Szerokość geograficzna od\" - wartość między -180,0 a 180,0"));
    EXPECT_EQ(faultIn(B::LatTo, "x"), q("Błąd liczby w \"Szerokość geograficzna do\""));

    // Unchecked criteria are not looked at; the first faulty box of the panel is named.
    SearchBoxes boxes;
    boxes.texts = { q(",5"), q("5,55"), q("1000,1"), q("1000,1"), q("x"), q("x"), q("x"), q("x") };
    EXPECT_FALSE(formularz1(boxes));
    boxes.depth = true;
    boxes.magnitude = true;
    EXPECT_EQ(formularz1(boxes), q("Błąd liczby w \"Magnituda od\""));
    boxes.texts[B::MagFrom] = q("6,0");
    EXPECT_EQ(formularz1(boxes), q("Błąd przecinka w \"Magnituda do\""));
    boxes.texts[B::MagTo] = q("5,0"); // from above to is not refused
    EXPECT_EQ(formularz1(boxes), q("\"Głębokość od\" - wartość do 1000 km"));
}

class MatchesSearchTest : public ::testing::Test
{
protected:
    // Pickers on 10 and 12 March 2020, at midnight as the panel's pickers are.
    const double from = dayNumber(2020, 3, 10);
    const double to = dayNumber(2020, 3, 12);

    SearchCriteria criteria(bool any, std::array<const char*, 8> texts)
    {
        SearchBoxes boxes;
        for (std::size_t i = 0; i < texts.size(); ++i)
            boxes.texts[i] = q(texts[i]);
        boxes.magnitude = boxes.depth = boxes.longitude = boxes.latitude = false;
        return searchCriteria(boxes, from, to, any);
    }
    SearchCriteria all(bool any)
    {
        return criteria(any, { "5,0", "6", "100", "200,5", "10,5", "20", "-30", "-20,25" });
    }
    static QuakeRecord record(double day, int mag10, int depth10, float lon, float lat)
    {
        QuakeRecord r;
        r.OriginDate = day;
        r.Mag10 = static_cast<std::uint8_t>(mag10);
        r.Depth10 = static_cast<std::uint16_t>(depth10);
        r.Longitude = lon;
        r.Latitude = lat;
        return r;
    }
};

TEST_F(MatchesSearchTest, DatesAreWholeDaysBothIncluded)
{
    SearchCriteria c = criteria(false, { "0", "0", "0", "0", "0", "0", "0", "0" });
    EXPECT_FALSE(MatchesSearch(record(from - 1, 50, 0, 0, 0), c));
    EXPECT_TRUE(MatchesSearch(record(from, 50, 0, 0, 0), c));
    EXPECT_TRUE(MatchesSearch(record(to, 50, 0, 0, 0), c));
    EXPECT_FALSE(MatchesSearch(record(to + 1, 50, 0, 0, 0), c));
    // A picker's time of day changes nothing.
    c = searchCriteria(SearchBoxes {}, from + 0.75, to + 0.75, false);
    EXPECT_TRUE(MatchesSearch(record(from, 50, 0, 0, 0), c));
    EXPECT_FALSE(MatchesSearch(record(to + 1, 50, 0, 0, 0), c));
}

TEST_F(MatchesSearchTest, NoCriterionCheckedIListsAllLubNothing)
{
    const QuakeRecord r = record(from + 1, 0, 0, 0, 0);
    EXPECT_TRUE(MatchesSearch(r, all(false)));
    EXPECT_FALSE(MatchesSearch(r, all(true)));
}

TEST_F(MatchesSearchTest, BoundsAreIncludedAndTheConjunctionDecides)
{
    SearchCriteria c = all(false);
    c.magnitude = c.depth = c.longitude = c.latitude = true;
    const double day = from + 1;
    // Every field on a bound: from bounds, then to bounds.
    EXPECT_TRUE(MatchesSearch(record(day, 50, 1000, 10.5f, -30), c));
    EXPECT_TRUE(MatchesSearch(record(day, 60, 2005, 20, -20.25f), c));
    // One field a step outside each way fails "i".
    EXPECT_FALSE(MatchesSearch(record(day, 49, 1000, 10.5f, -30), c));
    EXPECT_FALSE(MatchesSearch(record(day, 61, 1000, 10.5f, -30), c));
    EXPECT_FALSE(MatchesSearch(record(day, 50, 999, 10.5f, -30), c));
    EXPECT_FALSE(MatchesSearch(record(day, 50, 2006, 10.5f, -30), c));
    EXPECT_FALSE(MatchesSearch(record(day, 50, 1000, 10.4999f, -30), c));
    EXPECT_FALSE(MatchesSearch(record(day, 50, 1000, 10.5f, -20.2499f), c));

    // "lub": one criterion is enough, none is not; the date still applies.
    c.anyCriterion = true;
    EXPECT_TRUE(MatchesSearch(record(day, 0, 0, 0, -25), c));
    EXPECT_TRUE(MatchesSearch(record(day, 55, 0, 0, 0), c));
    EXPECT_FALSE(MatchesSearch(record(day, 0, 0, 0, 0), c));
    EXPECT_FALSE(MatchesSearch(record(to + 1, 55, 1500, 15, -25), c));

    // An unchecked criterion is ignored even when its field is outside.
    c.anyCriterion = false;
    c.magnitude = false;
    EXPECT_TRUE(MatchesSearch(record(day, 0, 1000, 10.5f, -30), c));
    // From above to lists nothing.
    c.magnitude = true;
    c.magFrom = 60;
    c.magTo = 50;
    EXPECT_FALSE(MatchesSearch(record(day, 55, 1000, 10.5f, -30), c));
}

} // namespace
