// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueFile.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
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
    // Sound records (years 1900-2100, magnitude up to 10,0), in order, a few dozen a day.
    r.OriginDate = kFirstSoundDay + i / 28;
    r.OriginTime = (i % 28) / 28.0;
    r.Hundredths = static_cast<std::uint8_t>(i % 100);
    r.Longitude = float(i % 360) - 180.f;
    r.Latitude = float(i % 180) - 90.f;
    r.Mag10 = static_cast<std::uint8_t>(i % (kMaxSoundMag10 + 1));
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

    // A catalogue without a capacity: records 1 .. k as stored, the import's rows after them
    // (marked, so that a stored record and its replacement differ).
    static QuakeRecord unlimited(int i, int k)
    {
        QuakeRecord r = sample(i);
        if (i > k)
            r.SourceCode = 1;
        return r;
    }
    // Fills the catalogue with records 1 .. kCatalogueCapacity, takes the import as resuming
    // after record k (the match point) and brings `rows` more. Returns the unlimited count.
    int importAfter(int k, int rows)
    {
        fill(kCatalogueCapacity);
        m_catalogue.ImportCount = k;
        for (int i = k + 1; i <= k + rows; ++i)
            m_catalogue.appendImported(unlimited(i, k));
        return k + rows;
    }
    // Slots 1 .. CatalogueCount hold exactly the newest records of the unlimited catalogue.
    ::testing::AssertionResult holdsNewest(const Catalogue& c, int total, int k) const
    {
        const int first = total - c.CatalogueCount + 1;
        for (int slot = 1; slot <= c.CatalogueCount; ++slot) {
            const QuakeRecord expected = unlimited(first + slot - 1, k);
            if (std::memcmp(&c[slot], &expected, sizeof(QuakeRecord)) != 0)
                return ::testing::AssertionFailure()
                    << "slot " << slot << " is not record " << first + slot - 1;
        }
        return ::testing::AssertionSuccess();
    }

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

TEST_F(CatalogueFileTest, AFileOverCapacityLoadsItsNewestRecords)
{
    // 2,000,050 records, written by something else: the 51 oldest do not fit.
    constexpr int kInFile = kCatalogueCapacity + 51;
    QByteArray bytes(qsizetype(kInFile) * 40, Qt::Uninitialized);
    for (int i = 1; i <= kInFile; ++i) {
        const QuakeRecord r = sample(i);
        std::memcpy(bytes.data() + qsizetype(i - 1) * 40, &r, 40);
    }
    ASSERT_TRUE(test::writeAll(m_catalogue.CatalogueFileName, bytes));

    const LoadResult r = LoadCatalogue(m_catalogue);
    EXPECT_TRUE(r.overCapacity);
    EXPECT_EQ(r.recordsInFile, kInFile);
    EXPECT_EQ(r.loaded, kCatalogueCapacity);
    EXPECT_EQ(m_catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_EQ(
        std::memcmp(m_catalogue.slots() + 1, bytes.constData() + 51 * 40, qsizetype(kCatalogueCapacity) * 40),
        0);
    EXPECT_EQ(m_catalogue[1].OriginDate, sample(52).OriginDate);
    EXPECT_EQ(m_catalogue.newest().OriginDate, sample(kInFile).OriginDate);
    EXPECT_EQ(fileBytes().size(), bytes.size()) << "a load never rewrites the file";
}

TEST_F(CatalogueFileTest, AnImportPastTheLastSlotKeepsExactlyTheNewestRecords)
{
    // Matched 10 records before the end, 25 new rows: 15 of the oldest give way.
    const int k = kCatalogueCapacity - 10;
    const int total = importAfter(k, 25);
    EXPECT_EQ(m_catalogue.ImportCount, kCatalogueCapacity);
    EXPECT_EQ(m_catalogue.importDropCount(), 15);
    EXPECT_EQ(m_catalogue.importEnd(), total);
    EXPECT_EQ(m_catalogue[1].OriginDate, sample(1).OriginDate) << "nothing moves before the import is taken";
    // Where the first row written will stand once the oldest gave way: the warnings start there.
    const int firstWritten = m_catalogue.firstImportedIndex();
    EXPECT_EQ(firstWritten, k + 1 - 15);

    // The file is written from where the rows stand and loads in the new order...
    ASSERT_TRUE(SaveImport(m_catalogue).ok);
    EXPECT_EQ(fileBytes().size(), qsizetype(kCatalogueCapacity) * 40);
    Catalogue reloaded;
    reloaded.CatalogueFileName = m_catalogue.CatalogueFileName;
    LoadCatalogue(reloaded);
    EXPECT_TRUE(holdsNewest(reloaded, total, k));

    // ... the same order taking the import gives in memory.
    EXPECT_EQ(m_catalogue.takeImport(), 15);
    EXPECT_EQ(m_catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_EQ(m_catalogue[firstWritten].SourceCode, 1);
    EXPECT_EQ(m_catalogue[firstWritten - 1].SourceCode, 0);
    EXPECT_TRUE(m_catalogue.overflow().empty());
    EXPECT_EQ(m_catalogue.importDropCount(), 0);
    EXPECT_TRUE(holdsNewest(m_catalogue, total, k));

    // Room for every row: nothing gives way, and the file is the plain save's.
    m_catalogue.ImportCount = kCatalogueCapacity - 20;
    m_catalogue.appendImported(sample(1));
    EXPECT_EQ(m_catalogue.importDropCount(), 0);
    ASSERT_TRUE(SaveImport(m_catalogue).ok);
    EXPECT_EQ(fileBytes().size(), qsizetype(kCatalogueCapacity - 19) * 40);
}

TEST_F(CatalogueFileTest, AnImportOfMoreThanACatalogueStaysExactAndBounded)
{
    // More rows than the catalogue holds: the match point itself and everything up to it give way,
    // and the overflow never grows past one catalogue.
    const int k = kCatalogueCapacity - 50;
    const int rows = kCatalogueCapacity + 60;
    const int total = importAfter(k, rows);
    EXPECT_EQ(m_catalogue.importDropCount(), total - kCatalogueCapacity);
    EXPECT_LT(m_catalogue.overflow().size(), std::size_t(kCatalogueCapacity));
    EXPECT_EQ(m_catalogue.firstImportedIndex(), 1);

    ASSERT_TRUE(SaveImport(m_catalogue).ok);
    EXPECT_EQ(m_catalogue.takeImport(), total - kCatalogueCapacity);
    EXPECT_TRUE(holdsNewest(m_catalogue, total, k));
    EXPECT_EQ(m_catalogue[1].SourceCode, 1) << "every stored record gave way";
    EXPECT_EQ(fileBytes(),
        QByteArray(
            reinterpret_cast<const char*>(m_catalogue.slots() + 1), qsizetype(kCatalogueCapacity) * 40));
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

// A disk that fails in the middle of the file: the whole records read before the fault are
// loaded, and the load says it broke off.
TEST_F(CatalogueFileTest, AReadThatBreaksOffKeepsTheWholeRecordsBeforeItAndSaysSo)
{
    class BreakingFile final : public QBuffer
    {
    public:
        using QBuffer::QBuffer;
        qint64 failAt = 0;

    protected:
        qint64 readData(char* data, qint64 maxSize) override
        {
            if (pos() >= failAt)
                return -1;
            return QBuffer::readData(data, std::min(maxSize, failAt - pos()));
        }
    };
    fill(10);
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);
    QByteArray bytes = fileBytes();
    BreakingFile file(&bytes);
    file.failAt = 3 * qint64(sizeof(QuakeRecord)) + 17;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));

    Catalogue loaded;
    const LoadResult result = LoadCatalogueFrom(loaded, file);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(result.recordsInFile, 10);
    EXPECT_EQ(result.loaded, 3);
    EXPECT_EQ(loaded.CatalogueCount, 3);
    EXPECT_EQ(std::memcmp(loaded.slots() + 1, bytes.constData(), 3 * sizeof(QuakeRecord)), 0);
}

TEST_F(CatalogueFileTest, ADamagedFileIsSetAsideUnderAFreeNameWithTheDay)
{
    fill(3);
    ASSERT_TRUE(SaveCatalogue(m_catalogue).ok);
    const QByteArray first = fileBytes();
    const QDate day(2026, 12, 8);
    const SetAside aside = setAsideDamagedFile(m_catalogue.CatalogueFileName, day);
    ASSERT_TRUE(aside.ok) << aside.error.toStdString();
    EXPECT_EQ(aside.path, m_catalogue.CatalogueFileName + QStringLiteral(".uszkodzona-2026-12-08"));
    EXPECT_FALSE(QFile::exists(m_catalogue.CatalogueFileName));
    EXPECT_EQ(test::readAll(aside.path), first);

    // The same day again: the first one is kept.
    ASSERT_TRUE(test::writeAll(m_catalogue.CatalogueFileName, "second"));
    const SetAside again = setAsideDamagedFile(m_catalogue.CatalogueFileName, day);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.path, aside.path + QStringLiteral("-2"));
    EXPECT_EQ(test::readAll(aside.path), first);
    EXPECT_EQ(test::readAll(again.path), QByteArray("second"));
}
