// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueFile.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace tremora;

namespace
{

QuakeRecord sample(int i)
{
    QuakeRecord r;
    r.OriginDate = 42000 + i;
    r.OriginTime = (i % 86400) / 86400.0;
    r.Hundredths = static_cast<std::uint8_t>(i % 100);
    r.Longitude = float(i % 360) - 180.f;
    r.Latitude = float(i % 180) - 90.f;
    r.Mag10 = static_cast<std::uint8_t>(i % 121);
    r.Depth10 = static_cast<std::uint16_t>(i % 10001);
    return r;
}

class CatalogueFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_catalogue.CatalogueFileName = m_dir.filePath(QStringLiteral("Baza_USGS.dat"));
    }
    void fill(int n)
    {
        for (int i = 1; i <= n; ++i)
            m_catalogue[i] = sample(i);
        m_catalogue.CatalogueCount = n;
    }
    QByteArray fileBytes() const { return test::readAll(m_catalogue.CatalogueFileName); }

    QTemporaryDir m_dir;
    Catalogue m_catalogue;
};

} // namespace

TEST_F(CatalogueFileTest, SaveAndLoadAreByteForByteWithOldTagsAndReservedBytes)
{
    fill(5);
    m_catalogue[2].SourceCode = 3;
    m_catalogue[3].reserved[6] = 0xAB;
    m_catalogue[4].padding1[1] = 0x11;
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);

    const QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 5 * 40);
    EXPECT_EQ(std::memcmp(bytes.constData(), m_catalogue.slots() + 1, 200), 0);

    Catalogue reloaded;
    reloaded.CatalogueFileName = m_catalogue.CatalogueFileName;
    const LoadResult r = LoadCatalogue(reloaded);
    EXPECT_TRUE(r.fileFound);
    EXPECT_EQ(r.loaded, 5);
    EXPECT_EQ(reloaded.CatalogueCount, 5);
    EXPECT_EQ(std::memcmp(reloaded.slots() + 1, m_catalogue.slots() + 1, 200), 0);
    EXPECT_EQ(reloaded[2].SourceCode, 3);
    EXPECT_EQ(reloaded[3].reserved[6], 0xAB);
}

TEST_F(CatalogueFileTest, MissingEmptyShortAndTrailingBytes)
{
    EXPECT_FALSE(LoadCatalogue(m_catalogue).fileFound);
    EXPECT_EQ(m_catalogue.CatalogueCount, 0);

    ASSERT_TRUE(test::writeAll(m_catalogue.CatalogueFileName, {}));
    m_catalogue.CatalogueCount = 7;
    EXPECT_EQ(LoadCatalogue(m_catalogue).loaded, 0);
    EXPECT_EQ(m_catalogue.CatalogueCount, 0);

    ASSERT_TRUE(test::writeAll(m_catalogue.CatalogueFileName, QByteArray(39, 'x')));
    EXPECT_EQ(LoadCatalogue(m_catalogue).loaded, 0);

    fill(3);
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);
    ASSERT_TRUE(test::writeAll(m_catalogue.CatalogueFileName, fileBytes() + QByteArray(10, 'z')));
    EXPECT_EQ(LoadCatalogue(m_catalogue).loaded, 3);
    EXPECT_EQ(m_catalogue.CatalogueCount, 3);

    m_catalogue.CatalogueCount = 0;
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);
    EXPECT_EQ(QFileInfo(m_catalogue.CatalogueFileName).size(), 0);
}

TEST_F(CatalogueFileTest, FileOverCapacityLoadsWhatFits)
{
    {
        QFile f(m_catalogue.CatalogueFileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(kCatalogueCapacity + 2) * 40));
    }
    m_catalogue[kCatalogueCapacity].Mag10 = 99; // must be overwritten by the file's zeros
    const LoadResult r = LoadCatalogue(m_catalogue);
    EXPECT_TRUE(r.overCapacity);
    EXPECT_EQ(r.recordsInFile, kCatalogueCapacity + 2);
    EXPECT_EQ(r.loaded, kCatalogueCapacity);
    EXPECT_EQ(m_catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_EQ(m_catalogue[kCatalogueCapacity].Mag10, 0);
}

TEST_F(CatalogueFileTest, SaveThatFailsMidwayLeavesTheOldFileIntact)
{
    fill(4);
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);
    const QByteArray before = fileBytes();

    // Limit file size so the write of a larger catalogue fails part of the way through.
    fill(100'000);
    rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult r = SaveCatalogue(m_catalogue);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("Baza_USGS.dat") });
}
