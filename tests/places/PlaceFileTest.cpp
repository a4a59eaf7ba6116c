// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceFile.h"
#include "tests/places/PlaceTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace tremora;
using tremora::test::place;

namespace
{

class PlaceFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.filePath(QStringLiteral("Lokalizacje.dat")); }
    static QByteArray recordBytes(int i)
    {
        PlaceRecord r = place(float(i) / 4, -float(i) / 2, "Miejsce " + QByteArray::number(i),
            "Place " + QByteArray::number(i), "P" + QByteArray::number(i % 10));
        return QByteArray(reinterpret_cast<const char*>(&r), sizeof r);
    }
    static QByteArray records(int n)
    {
        QByteArray bytes;
        for (int i = 1; i <= n; ++i)
            bytes += recordBytes(i);
        return bytes;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PlaceList> m_places = std::make_unique<PlaceList>();
};

} // namespace

TEST_F(PlaceFileTest, RecordLayoutOnDisk)
{
    (*m_places)[1] = place(52.5f, -17.25f, "Łódź", "Lodz", "PL");
    (*m_places)[1].Code3.assign("POL");
    m_places->PlaceCount = 1;
    ASSERT_TRUE(SavePlaceList(*m_places, path()).ok);

    const QByteArray bytes = test::readAll(path());
    ASSERT_EQ(bytes.size(), 140);
    float lat = 0, lon = 0;
    std::memcpy(&lat, bytes.constData(), 4);
    std::memcpy(&lon, bytes.constData() + 4, 4);
    EXPECT_EQ(lat, 52.5f);
    EXPECT_EQ(lon, -17.25f);
    EXPECT_EQ(bytes.mid(8, 3), QByteArray("\x02PL", 3));
    EXPECT_EQ(bytes.mid(11, 4), QByteArray("\x03POL", 4));
    EXPECT_EQ(bytes.at(15), char(7)); // "Łódź" is 7 UTF-8 bytes
    EXPECT_EQ(bytes.mid(16, 7), QByteArray("Łódź"));
    EXPECT_EQ(bytes.mid(76, 5), QByteArray("\x04Lodz", 5));
    EXPECT_EQ(bytes.mid(137, 3), QByteArray(3, '\0'));
}

TEST_F(PlaceFileTest, SaveZeroesUnusedBytesAndRoundTrips)
{
    for (int i = 1; i <= 3; ++i)
        std::memcpy(&(*m_places)[i], recordBytes(i).constData(), sizeof(PlaceRecord));
    // Leftovers of a longer earlier name and junk in the padding must not reach the file.
    std::memset((*m_places)[2].PolishName.text + 10, 'x', 50);
    (*m_places)[2].padding[1] = 0x5A;
    (*m_places)[3].Code3.length = 200;
    m_places->PlaceCount = 3;
    ASSERT_TRUE(SavePlaceList(*m_places, path()).ok);

    const QByteArray bytes = test::readAll(path());
    ASSERT_EQ(bytes.size(), 3 * 140);
    EXPECT_EQ(bytes.mid(140, 140), recordBytes(2));
    EXPECT_EQ(bytes.at(2 * 140 + 11), char(3));

    auto loaded = std::make_unique<PlaceList>();
    const PlaceFileLoad result = LoadPlaceList(*loaded, path());
    EXPECT_TRUE(result.fileFound);
    EXPECT_EQ(result.loaded, 3);
    ASSERT_EQ(loaded->PlaceCount, 3);
    for (int i = 1; i <= 2; ++i)
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&(*loaded)[i]), 140), recordBytes(i)) << i;
    EXPECT_EQ((*loaded)[3].PolishName.bytes(), QByteArray("Miejsce 3"));
}

TEST_F(PlaceFileTest, MissingEmptyShortAndOversizedFiles)
{
    m_places->PlaceCount = 9;
    PlaceFileLoad result = LoadPlaceList(*m_places, path());
    EXPECT_FALSE(result.fileFound);
    EXPECT_EQ(m_places->PlaceCount, 0);

    ASSERT_TRUE(test::writeAll(path(), {}));
    result = LoadPlaceList(*m_places, path());
    EXPECT_TRUE(result.fileFound);
    EXPECT_EQ(m_places->PlaceCount, 0);
    EXPECT_TRUE(result.error.isEmpty());

    // A cut-off last record is left out; the whole ones load.
    ASSERT_TRUE(test::writeAll(path(), records(4) + recordBytes(5).left(70)));
    result = LoadPlaceList(*m_places, path());
    EXPECT_EQ(m_places->PlaceCount, 4);
    EXPECT_TRUE(result.shortLastRecord);
    EXPECT_EQ((*m_places)[4].PolishName.bytes(), QByteArray("Miejsce 4"));

    ASSERT_TRUE(test::writeAll(path(), QByteArray(139, 'z')));
    EXPECT_EQ(LoadPlaceList(*m_places, path()).loaded, 0);
    EXPECT_EQ(m_places->PlaceCount, 0);

    // More records than the table holds: the first 250 load, the rest stays in the file.
    ASSERT_TRUE(test::writeAll(path(), records(260)));
    result = LoadPlaceList(*m_places, path());
    EXPECT_TRUE(result.overCapacity);
    EXPECT_EQ(result.recordsInFile, 260);
    EXPECT_EQ(m_places->PlaceCount, kPlaceCapacity);
    EXPECT_EQ((*m_places)[kPlaceCapacity].PolishName.bytes(), QByteArray("Miejsce 250"));
}

TEST_F(PlaceFileTest, FailedSaveKeepsTheOldFile)
{
    ASSERT_TRUE(test::writeAll(path(), records(2)));
    m_places->PlaceCount = 1;
    const QString inMissingFolder = m_dir.filePath(QStringLiteral("brak/Lokalizacje.dat"));
    const PlaceFileSave saved = SavePlaceList(*m_places, inMissingFolder);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.isEmpty());
    EXPECT_EQ(test::readAll(path()), records(2));
}
