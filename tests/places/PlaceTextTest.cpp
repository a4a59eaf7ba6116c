// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceText.h"
#include "places/PlaceFile.h"
#include "platform/ConversionError.h"
#include "tests/places/PlaceTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace tremora;

namespace
{

class PlaceTextTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString points() const { return m_dir.filePath(QString::fromLatin1(kPlacePointsFileName)); }
    QString names() const { return m_dir.filePath(QString::fromLatin1(kPlaceNamesFileName)); }
    PlacePointsLoad loadPoints(const QByteArray& text)
    {
        EXPECT_TRUE(test::writeAll(points(), text));
        return Load_lokalizacje(*m_places, points());
    }
    PlaceNamesLoad loadNames(const QByteArray& text, bool withBom = true)
    {
        EXPECT_TRUE(test::writeAll(names(), (withBom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text));
        return Load_lokalizacje2(*m_places, names());
    }
    PlaceRecord& slot(int i) { return (*m_places)[i]; }
    void rebuildAndNameKnownPoints(const QString& folder, int& placeCount);

    QTemporaryDir m_dir;
    std::unique_ptr<PlaceList> m_places = std::make_unique<PlaceList>();
};

QByteArray pointLines(int n)
{
    QByteArray text;
    for (int i = 1; i <= n; ++i)
        text += "C" + QByteArray::number(i % 10) + "," + QByteArray::number(i % 90) + ".5,-"
            + QByteArray::number(i % 180) + "\n";
    return text;
}

} // namespace

TEST_F(PlaceTextTest, PointsAreCodeLatitudeLongitudeRoundedToFourDecimals)
{
    slot(1).PolishName.assign("Stara nazwa");
    const PlacePointsLoad result = loadPoints("PL,52.12345,-110.8\r\nXYZ, 1.00004 ,+7\nAE,24,54");
    EXPECT_TRUE(result.fileFound);
    EXPECT_EQ(result.places, 3);
    ASSERT_EQ(m_places->PlaceCount, 3);

    EXPECT_EQ(slot(1).Code.bytes(), QByteArray("PL"));
    EXPECT_EQ(slot(1).Latitude, 52.1235f); // half rounds away from zero
    EXPECT_EQ(slot(1).Longitude, -110.8f);
    EXPECT_EQ(double(slot(1).Longitude), -110.80000305175781);
    EXPECT_EQ(slot(1).PolishName.bytes(), QByteArray("Stara nazwa")); // names are left alone
    EXPECT_EQ(slot(2).Code.bytes(), QByteArray("XY"));
    EXPECT_EQ(slot(2).Latitude, 1.0f);
    EXPECT_EQ(slot(2).Longitude, 7.0f);
    EXPECT_EQ(slot(3).Latitude, 24.f);
    EXPECT_EQ(slot(3).Longitude, 54.f);
}

TEST_F(PlaceTextTest, AMalformedNumberStopsTheLoadKeepingWhatWasWritten)
{
    m_places->PlaceCount = 42;
    try {
        loadPoints("PL,52,20\nDE,51,10\n\nFR,46,2\n");
        FAIL() << "expected a conversion error";
    } catch (const ConversionError& e) {
        // The blank line shifts the fields: "DE" is then read as a latitude on line 4.
        EXPECT_TRUE(e.message().contains(QStringLiteral("Lokalizacje2.txt"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("„FR”"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("wiersz 4"))) << e.what();
    }
    EXPECT_EQ(m_places->PlaceCount, 42);
    EXPECT_EQ(slot(2).Code.bytes(), QByteArray("DE"));
    EXPECT_EQ(slot(2).Longitude, 10.f);
    EXPECT_EQ(slot(3).Code.bytes(), QByteArray(""));

    for (const char* bad :
        { "PL,,20", "PL,5 2,20", "PL,1.2.3,20", "PL,52,1e3", "PL,-,20", "PL,52,99999999999999999999" })
        EXPECT_THROW(loadPoints(bad), ConversionError) << bad;
}

TEST_F(PlaceTextTest, PointsNeverPassTheCapacity)
{
    PlacePointsLoad result = loadPoints(pointLines(300));
    EXPECT_TRUE(result.overCapacity);
    EXPECT_EQ(m_places->PlaceCount, kPlaceCapacity);
    EXPECT_EQ(slot(kPlaceCapacity).Longitude, -70.f);

    result = loadPoints(pointLines(kPlaceCapacity));
    EXPECT_FALSE(result.overCapacity);
    EXPECT_EQ(m_places->PlaceCount, kPlaceCapacity);

    result = loadPoints("");
    EXPECT_EQ(m_places->PlaceCount, 0);
    result = loadPoints("PL,52"); // an incomplete group is no place
    EXPECT_EQ(m_places->PlaceCount, 0);

    m_places->PlaceCount = 5;
    QFile::remove(points());
    result = Load_lokalizacje(*m_places, points());
    EXPECT_FALSE(result.fileFound);
    EXPECT_EQ(m_places->PlaceCount, 5);
}

TEST_F(PlaceTextTest, NamesGoToEveryPlaceOfTheirCodeAndTheLaterRowWins)
{
    loadPoints("PL,52,20\nDE,51,10\nPL,50,19\nQQ,0,0\n");
    const PlaceNamesLoad result = loadNames("Polska\tPoland\tPL\tPOL\r\n"
                                            "Niemcy\tGermany\tDE\tDEU\r\n"
                                            "Nigdzie\tNowhere\tZZ\tZZZ\r\n"
                                            "\xC2\xA0Rzeczpospolita\tRepublic of Poland\tPL\tPOL\r\n"
                                            "Niepełny\twiersz\tDE");
    EXPECT_EQ(result.groups, 4);
    for (int i : { 1, 3 }) {
        EXPECT_EQ(slot(i).PolishName.bytes(), QByteArray("Rzeczpospolita")) << i;
        EXPECT_EQ(slot(i).EnglishName.bytes(), QByteArray("Republic of Poland")) << i;
        EXPECT_EQ(slot(i).Code3.bytes(), QByteArray("POL")) << i;
    }
    EXPECT_EQ(slot(2).PolishName.bytes(), QByteArray("Niemcy"));
    EXPECT_EQ(slot(2).Code3.bytes(), QByteArray("DEU"));
    EXPECT_EQ(slot(4).PolishName.bytes(), QByteArray()); // never named

    // The seven extra places follow the list.
    ASSERT_EQ(result.appended, kExtraPlaceCount);
    ASSERT_EQ(m_places->PlaceCount, 4 + kExtraPlaceCount);
    EXPECT_EQ(slot(5).PolishName.bytes(), QByteArray("Polska"));
    EXPECT_EQ(slot(5).Latitude, 52.f);
    EXPECT_EQ(slot(7).EnglishName.bytes(), QByteArray("Yellowstone"));
    EXPECT_EQ(slot(7).Longitude, -110.8f);
    EXPECT_EQ(slot(11).Code.bytes(), QByteArray("RU"));
    EXPECT_EQ(slot(11).PolishName.bytes(), QByteArray("Kamczatka"));
    EXPECT_EQ(slot(11).Code3.bytes(), QByteArray());
}

TEST_F(PlaceTextTest, FixedNamesByteOrderMarkAndLongNames)
{
    loadPoints("AN,12,-69\nAP,30,110\nEU,47,8\nSH,-15,-5.7\n");
    const QByteArray longPolish
        = "Święta Helena, Wyspa Wniebowstąpienia i Tristan da Cunha i więcej"; // > 60 bytes
    loadNames("Antyle\tAntilles\tAN\tANT\n" + longPolish + "\tSaint Helena\tSH\tSHN\n", false);

    EXPECT_EQ(slot(1).PolishName.bytes(), QByteArray("Antyle Holenderskie"));
    EXPECT_EQ(slot(1).EnglishName.bytes(), QByteArray("Netherlands Antilles"));
    EXPECT_EQ(slot(1).Code3.bytes(), QByteArray("ANT")); // a fixed name leaves code3 alone
    EXPECT_EQ(slot(2).PolishName.bytes(), QByteArray("Chiny"));
    EXPECT_EQ(slot(3).EnglishName.bytes(), QByteArray("Switzerland"));

    // Without a byte-order mark the first name is kept whole; a long name is cut before the
    // character that would not fit, so it still decodes.
    const QByteArray cut = slot(4).PolishName.bytes();
    EXPECT_LE(cut.size(), 60);
    EXPECT_TRUE(longPolish.startsWith(cut));
    EXPECT_FALSE(placeNameText(cut).isEmpty());
    EXPECT_EQ(cutUtf8("aż", 2), QByteArray("a"));
    EXPECT_EQ(cutUtf8("aż", 3), QByteArray("aż"));
}

TEST_F(PlaceTextTest, ExtraPlacesAreLeftOutWhenTheListIsFull)
{
    loadPoints(pointLines(246));
    PlaceNamesLoad result = loadNames("");
    EXPECT_EQ(result.appended, 4);
    EXPECT_EQ(result.notAppended, 3);
    EXPECT_EQ(m_places->PlaceCount, kPlaceCapacity);
    EXPECT_EQ(slot(kPlaceCapacity).PolishName.bytes(), QByteArray("Wielki Kanion"));

    result = Load_lokalizacje2(*m_places, names());
    EXPECT_EQ(result.appended, 0);
    EXPECT_EQ(result.notAppended, kExtraPlaceCount);
    EXPECT_EQ(m_places->PlaceCount, kPlaceCapacity);

    QFile::remove(names());
    m_places->PlaceCount = 3;
    result = Load_lokalizacje2(*m_places, names());
    EXPECT_FALSE(result.fileFound);
    EXPECT_EQ(m_places->PlaceCount, 3);
}

// Builds the place file from the real lists in `folder`, loads it back and checks that known
// points get their names; placeCount is the number of places written.
void PlaceTextTest::rebuildAndNameKnownPoints(const QString& folder, int& placeCount)
{
    const QString out = m_dir.filePath(QStringLiteral("Lokalizacje.dat"));
    const PlaceRebuild rebuilt = rebuildPlaceFile(folder, out);
    ASSERT_TRUE(rebuilt.ok) << qPrintable(rebuilt.message);
    EXPECT_LE(rebuilt.placeCount, kPlaceCapacity);
    placeCount = rebuilt.placeCount;

    const PlaceFileLoad loaded = LoadPlaceList(*m_places, out);
    ASSERT_EQ(loaded.loaded, rebuilt.placeCount);
    EXPECT_FALSE(loaded.shortLastRecord);

    EXPECT_EQ(Lok(*m_places, 21.0f, 52.2f, PlaceLanguage::Polish), QStringLiteral("Polska"));
    EXPECT_LT(m_places->NearestPlaceDistance, 200.f);
    EXPECT_EQ(Lok(*m_places, 139.7f, 35.7f, PlaceLanguage::Polish), QStringLiteral("Japonia"));
    EXPECT_EQ(Lok(*m_places, 139.7f, 35.7f, PlaceLanguage::English), QStringLiteral("Japan"));
    EXPECT_EQ(Lok(*m_places, 159.0f, 55.0f, PlaceLanguage::Polish), QStringLiteral("Kamczatka"));
    EXPECT_EQ(Lok(*m_places, -5.0f, 7.5f, PlaceLanguage::Polish), QStringLiteral("Wybrzeże Kości Słoniowej"));
    // Every name decodes: no place shows an empty cell.
    for (int i = 1; i <= m_places->PlaceCount; ++i) {
        EXPECT_FALSE(placeNameText((*m_places)[i].PolishName.bytes()).isEmpty()) << i;
        EXPECT_FALSE(placeNameText((*m_places)[i].EnglishName.bytes()).isEmpty()) << i;
    }
}

TEST_F(PlaceTextTest, RealListsBuildAPlaceFileThatNamesKnownPoints)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("places", "the whole place lists");
    int placeCount = 0;
    ASSERT_NO_FATAL_FAILURE(
        rebuildAndNameKnownPoints(test::sharedData(QStringLiteral("places")), placeCount));
    EXPECT_GT(placeCount, 200);
}

TEST_F(PlaceTextTest, KeptSlicesOfTheRealListsBuildAPlaceFileThatNamesKnownPoints)
{
    // Seven countries, with the byte-order mark and CR LF line ends of the full names list.
    int placeCount = 0;
    ASSERT_NO_FATAL_FAILURE(rebuildAndNameKnownPoints(test::fixture(QStringLiteral("places")), placeCount));
    EXPECT_EQ(placeCount, 7 + kExtraPlaceCount);
}

TEST_F(PlaceTextTest, ARebuildFromAFolderWithoutTheListsWritesNothing)
{
    const PlaceRebuild missing
        = rebuildPlaceFile(m_dir.filePath(QStringLiteral("brak")), m_dir.filePath(QStringLiteral("x.dat")));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("Lokalizacje2.txt")));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("x.dat"))));
}
