// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CsvImport.h"

#include "catalogue/DayNumber.h"
#include "platform/ConversionError.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

using namespace tremora;

namespace
{

class RecordingObserver : public ImportObserver
{
public:
    void log(const QString& line) override { lines.push_back(line); }
    void progress(int index) override { progressed.push_back(index); }
    void warning(const QString& text) override { warnings.push_back(text); }

    std::vector<QString> lines;
    std::vector<int> progressed;
    std::vector<QString> warnings;
};

const QByteArray kHeader15
    = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type\n";

// A data row as the service writes it; everything after the magnitude is the usual tail.
QByteArray row(const char* time, const char* lat, const char* lon, const char* depth, const char* mag)
{
    return QByteArray(time) + ',' + lat + ',' + lon + ',' + depth + ',' + mag
        + ",ml,12,80,0.03,0.1,ci,ci37193608,2015-07-04T01:02:03.456Z,\"12km NNE of Somewhere, "
          "CA\",earthquake\n";
}

QByteArray rowAt(int second, const char* mag = "2.5")
{
    const QByteArray time
        = QByteArray("2015-07-03T10:00:") + QByteArray::number(second).rightJustified(2, '0') + ".120Z";
    return row(time.constData(), "38.1", "-122.5", "7.5", mag);
}

QByteArray reply(const std::vector<QByteArray>& rows)
{
    QByteArray text = kHeader15;
    for (const QByteArray& r : rows)
        text += r;
    return text;
}

// The catalogue is 80 MB; one per test suite is plenty.
class CsvImportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_catalogue = std::make_unique<Catalogue>(); }
    static void TearDownTestSuite() { s_catalogue.reset(); }
    void SetUp() override
    {
        cat().CatalogueCount = 0;
        cat().ImportCount = 0;
        cat().dropOverflow();
        std::fill(cat().slots(), cat().slots() + 1000, QuakeRecord {});
    }
    static Catalogue& cat() { return *s_catalogue; }

    AnalizaResult parse(const QByteArray& text, int startCount = 0, bool matchFirst = false)
    {
        return Analiza(text, cat(), startCount, matchFirst, observer);
    }
    // The record one row of the standard tail becomes.
    QuakeRecord single(const QByteArray& r)
    {
        cat().ImportCount = 0;
        const AnalizaResult result = parse(reply({ r }));
        EXPECT_EQ(result.rowsPlaced, 1);
        return cat()[1];
    }

    RecordingObserver observer;
    static std::unique_ptr<Catalogue> s_catalogue;
};

std::unique_ptr<Catalogue> CsvImportTest::s_catalogue;

} // namespace

TEST_F(CsvImportTest, OriginTimeCoordinatesAndDepthConversions)
{
    const QuakeRecord r
        = single(row("2015-07-03T12:34:56.789Z", "38.83616667", "-122.80000305", "10.9", "4.56"));
    EXPECT_EQ(r.OriginDate, 42188.0);
    EXPECT_EQ(r.OriginTime, 45296.0 / 86400.0);
    EXPECT_EQ(r.Hundredths, 78);
    EXPECT_EQ(r.Latitude, 38.8362f);
    EXPECT_EQ(r.Longitude, -122.8f);
    EXPECT_EQ(r.Depth10, 100);
    EXPECT_EQ(r.Mag10, 45);
    EXPECT_EQ(r.SourceCode, 0);
    EXPECT_EQ(r.padding1[0] | r.padding2 | r.reserved[0] | r.reserved[6], 0);

    // Rounding works on the written digits: halves go away from zero.
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "38.83615", "-0.00005", "0", "1")).Latitude, 38.8362f);
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "38.83615", "-0.00005", "0", "1")).Longitude, -0.0001f);
    EXPECT_EQ(
        single(row("2015-07-03T00:00:00.000Z", "47.492333333333335", "180", "0", "1")).Latitude, 47.4923f);
    EXPECT_EQ(single(row("2015-07-03T23:59:59.999Z", "0", "0", "0", "1")).OriginTime, 86399.0 / 86400.0);
    EXPECT_EQ(single(row("2016-02-29T00:00:00.050Z", "0", "0", "0", "1")).Hundredths, 5);

    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "-1.5", "1")).Depth10, 0);
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "", "1")).Depth10, 0);
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "-10", "1")).Depth10, 0);
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "118", "1")).Depth10, 1180);
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "1000.9", "1")).Depth10, 10000);
    EXPECT_TRUE(observer.warnings.empty());
    EXPECT_EQ(single(row("2015-07-03T00:00:00.000Z", "0", "0", "1200.0", "1")).Depth10, 10000);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(
        observer.warnings[0], QStringLiteral("Błąd w bazie USGS, głębokość powyżej 1000 km - poprawione"));
}

TEST_F(CsvImportTest, MagnitudeDigitRuleAndSkippedRows)
{
    struct Case {
        const char* mag;
        int mag10; // -1: the row is skipped
    };
    const Case cases[] = {
        { "4.56", 45 },
        { "4.5", 45 },
        { "5", 50 },
        { "0.05", 0 },
        { "0.0", 0 },
        { "0", 0 },
        { "-0.4", 0 },
        { "-0.99", 0 },
        { "0.47000000000000003", 4 },
        { "1.83000004", 18 },
        { "9.99", 99 },
        { "10.0", 100 },
        { "10.09", 100 },
        // No earthquake was ever that strong: the catalogue would take such a record for damage.
        { "10.1", -1 },
        { "12.0", -1 },
        { "12.1", -1 },
        { "13", -1 },
        { "-1.0", -1 },
        { "-1", -1 },
        { "-2.03", -1 },
        { "", -1 },
    };
    for (const Case& c : cases) {
        SetUp();
        const AnalizaResult result = parse(reply({ row("2015-07-03T00:00:00.000Z", "1", "2", "3", c.mag) }));
        EXPECT_EQ(result.rowsRead, 1) << c.mag;
        if (c.mag10 < 0) {
            EXPECT_EQ(result.rowsPlaced, 0) << c.mag;
            EXPECT_EQ(cat().ImportCount, 0) << c.mag;
        } else {
            ASSERT_EQ(result.rowsPlaced, 1) << c.mag;
            EXPECT_EQ(cat()[1].Mag10, c.mag10) << c.mag;
        }
    }
}

TEST_F(CsvImportTest, MalformedFieldsThrowNamingTheTextAndKeepEarlierRows)
{
    const char* badRows[][5] = {
        { "2015-13-03T00:00:00.000Z", "1", "2", "3", "4" },
        { "2015-02-30T00:00:00.000Z", "1", "2", "3", "4" },
        { "2015-07-03T24:00:00.000Z", "1", "2", "3", "4" },
        { "2015/07/03T00:00:00.000Z", "1", "2", "3", "4" },
        { "2015-07-03T00:00:00.000Z", "4x.5", "2", "3", "4" },
        { "2015-07-03T00:00:00.000Z", "1", "", "3", "4" },
        { "2015-07-03T00:00:00.000Z", "1", "2", "deep", "4" },
        { "2015-07-03T00:00:00.000Z", "1", "2", "3", "4.5.6" },
        { "2015-07-03T00:00:00.000Z", "1", "2", "3", "M4" },
        { "2015-07-03T00:00:00.000Z", "999", "2", "3", "4" },
    };
    for (const auto& b : badRows) {
        SetUp();
        const QByteArray text = reply({ rowAt(1), rowAt(2), row(b[0], b[1], b[2], b[3], b[4]), rowAt(4) });
        try {
            parse(text);
            ADD_FAILURE() << "no error for " << b[0] << ' ' << b[1] << ' ' << b[2] << ' ' << b[3] << ' '
                          << b[4];
        } catch (const ConversionError& e) {
            const bool named = e.message().contains(QString::fromUtf8(b[0]))
                || e.message().contains(QString::fromUtf8(b[1]))
                || e.message().contains(QString::fromUtf8(b[2]))
                || e.message().contains(QString::fromUtf8(b[3]))
                || e.message().contains(QString::fromUtf8(b[4]));
            EXPECT_TRUE(named) << e.message().toStdString();
        }
        EXPECT_EQ(cat().ImportCount, 2);
        EXPECT_EQ(cat()[2].OriginTime, (10 * 3600 + 2) / 86400.0);
    }
    try {
        parse(reply({ row("2015-07-03T00:00:00.000Z", "4x.5", "2", "3", "4") }));
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'4x.5' nie jest poprawną liczbą"));
    }
    // A row with fewer than five fields is malformed too.
    EXPECT_THROW(parse(reply({ rowAt(1), "2015-07-03T00:00:00.000Z,1,2\n", rowAt(3) })), ConversionError);
}

TEST_F(CsvImportTest, AcceptanceOfRepliesWithoutTheServiceHeader)
{
    // Another tool's column list: only ",type" marks the header.
    auto padded = [](int length, const QByteArray& head) {
        QByteArray text = head + row("2015-07-03T12:00:00.000Z", "1", "2", "3", "4.0");
        text.insert(head.size() - 1, QByteArray(length - text.size(), 'x'));
        return text;
    };
    const QByteArray head = "id,time,lat,lon,depth,mag,type\n";
    const QByteArray short499 = padded(499, head);
    ASSERT_EQ(short499.size(), 499);
    AnalizaResult result = parse(short499);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(cat().ImportCount, 0);
    ASSERT_EQ(observer.warnings.size(), 1u);
    EXPECT_EQ(
        observer.warnings[0], QStringLiteral("Baza zaimportowana z sieci jest pusta, błąd serwera USGS..."));
    ASSERT_EQ(observer.lines.size(), 1u);
    EXPECT_EQ(observer.lines[0], observer.warnings[0]);

    result = parse(padded(500, head));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.rowsPlaced, 1);
    EXPECT_EQ(observer.warnings.size(), 1u);

    // ",type" at 1-based p with p < L - 50 is needed.
    const QByteArray tail(50, 'y');
    QByteArray text = QByteArray(600 - 50 - 5, 'a') + ",type" + tail; // p = 546 = L - 54
    EXPECT_TRUE(parse(text).accepted);
    text = QByteArray(600 - 50 - 5 + 3, 'a') + ",type" + tail.left(47); // p = 549 = L - 51
    EXPECT_TRUE(parse(text).accepted);
    text = QByteArray(600 - 50 - 5 + 4, 'a') + ",type" + tail.left(46); // p = 550 = L - 50
    EXPECT_FALSE(parse(text).accepted);
    EXPECT_FALSE(parse(QByteArray(800, 'z')).accepted);
    EXPECT_FALSE(parse(QByteArray()).accepted);
    EXPECT_FALSE(parse(QByteArray(",TYPE") + QByteArray(800, 'z')).accepted);
    EXPECT_EQ(observer.warnings.size(), 5u);
}

TEST_F(CsvImportTest, ShortGenuineRepliesAreValidMonths)
{
    AnalizaResult result = parse(kHeader15);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.rowsRead, 0);
    result = parse(reply({ rowAt(7) }));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.rowsPlaced, 1);
    EXPECT_LT(reply({ rowAt(7) }).size(), kMinReplyLength);
    EXPECT_TRUE(observer.warnings.empty());
    EXPECT_TRUE(isServiceReply(kHeader15));
    EXPECT_FALSE(isServiceReply("Error 400: Bad Request\n\n"));
}

TEST_F(CsvImportTest, RowsCutOffByTheEndAreNotStoredAndNothingReadsPastIt)
{
    const QByteArray full = reply({ rowAt(1), rowAt(2), rowAt(3) });
    // Every prefix of the reply: rows cut off are dropped, whole rows before them are kept.
    for (qsizetype n = kHeader15.size(); n <= full.size(); ++n) {
        SetUp();
        // A heap copy of exactly n bytes, so a read past the end is caught by the sanitizer.
        const std::unique_ptr<char[]> bytes(new char[static_cast<std::size_t>(n)]);
        std::memcpy(bytes.get(), full.constData(), static_cast<std::size_t>(n));
        const QByteArray text = QByteArray::fromRawData(bytes.get(), n);
        const AnalizaResult result = parse(text);
        const qsizetype rowLength = rowAt(1).size();
        const qsizetype magEnd = QByteArray(rowAt(1)).indexOf(",ml");
        const qsizetype whole = (n - kHeader15.size()) / rowLength;
        const qsizetype partEnd = (n - kHeader15.size()) % rowLength;
        // A row counts once its magnitude field is closed; the tail after it is never needed.
        const qsizetype expected = whole + (partEnd > magEnd ? 1 : 0);
        EXPECT_EQ(result.rowsPlaced, std::min<qsizetype>(expected, 3)) << n;
    }
    // Blank lines and CR LF endings do no harm.
    QByteArray crlf = reply({ rowAt(1), rowAt(2) });
    crlf.replace("\n", "\r\n");
    EXPECT_EQ(parse(crlf + "\r\n\r\n").rowsPlaced, 2);
}

TEST_F(CsvImportTest, FirstReplyMatchesTheNewestStoredRecords)
{
    // 150 stored quakes, one a second.
    constexpr int kStart = 150;
    std::vector<QByteArray> stored;
    auto timeOf = [](int i) {
        return QByteArray("2015-07-03T") + QByteArray::number(10 + i / 3600).rightJustified(2, '0') + ':'
            + QByteArray::number(i / 60 % 60).rightJustified(2, '0') + ':'
            + QByteArray::number(i % 60).rightJustified(2, '0') + ".000Z";
    };
    for (int i = 1; i <= kStart; ++i)
        stored.push_back(row(timeOf(i).constData(), "10.5", "20.25", "5", "3.1"));
    ASSERT_EQ(parse(reply(stored)).rowsPlaced, kStart);
    cat().CatalogueCount = kStart;

    // Rows 1 and 2 are unknown (revised since), row 3 is slot 148, then two updates and a new one.
    const std::vector<QByteArray> fresh = {
        row(timeOf(147).constData(), "10.5", "20.25", "5", "3.3"),
        row(timeOf(147).constData(), "10.6", "20.25", "5", "3.1"),
        stored[147],
        row(timeOf(149).constData(), "10.5", "20.25", "6", "3.1"),
        row(timeOf(150).constData(), "10.5", "20.25", "5", "3.1"),
        row(timeOf(151).constData(), "11.5", "21.25", "5", "4.0"),
    };
    const QuakeRecord before147 = cat()[147];
    AnalizaResult result = parse(reply(fresh), kStart, true);
    EXPECT_TRUE(result.matched);
    EXPECT_EQ(result.rowsPlaced, 3);
    EXPECT_EQ(cat().ImportCount, kStart + 1);
    EXPECT_EQ(cat()[147].Mag10, before147.Mag10);
    EXPECT_EQ(cat()[147].Latitude, before147.Latitude);
    EXPECT_EQ(cat()[149].Depth10, 60);
    EXPECT_EQ(cat()[151].Mag10, 40);
    EXPECT_EQ(cat().CatalogueCount, kStart);

    // The oldest slot of the window still matches; one older does not.
    cat().ImportCount = kStart;
    result = parse(reply({ stored[kStart - 101], rowAt(59) }), kStart, true);
    EXPECT_TRUE(result.matched);
    EXPECT_EQ(cat().ImportCount, kStart - 100 + 1);

    cat().ImportCount = kStart;
    result = parse(reply({ stored[kStart - 102], rowAt(58) }), kStart, true);
    EXPECT_FALSE(result.matched);
    EXPECT_EQ(result.rowsPlaced, 0);
    EXPECT_EQ(cat().ImportCount, kStart);

    // Later months append.
    cat().ImportCount = kStart;
    result = parse(reply({ rowAt(1), rowAt(2, "-1.2"), rowAt(3), rowAt(4) }), kStart, false);
    EXPECT_EQ(result.rowsPlaced, 3);
    EXPECT_EQ(result.rowsRead, 4);
    EXPECT_EQ(cat().ImportCount, kStart + 3);
    EXPECT_EQ(cat()[kStart + 3].OriginTime, (10 * 3600 + 4) / 86400.0);
}

TEST_F(CsvImportTest, ProgressEveryTenthRowAndCapacity)
{
    std::vector<QByteArray> rows;
    for (int i = 0; i < 25; ++i)
        rows.push_back(rowAt(i, i == 7 ? "-3" : "1.0"));
    cat().ImportCount = 3;
    parse(reply(rows));
    // The skipped eighth row does not advance the index, so 10 is reported twice.
    EXPECT_EQ(observer.progressed, (std::vector<int> { 10, 10, 20 }));
    EXPECT_EQ(cat().ImportCount, 27);

    // Past the last slot the rows wait in the overflow (the oldest records give way to them when
    // the update is taken) and the progress counts on.
    observer.progressed.clear();
    cat().ImportCount = kCatalogueCapacity - 2;
    const AnalizaResult result = parse(reply({ rowAt(1), rowAt(2), rowAt(3), rowAt(4) }));
    EXPECT_EQ(result.rowsPlaced, 4);
    EXPECT_EQ(cat().ImportCount, kCatalogueCapacity);
    EXPECT_EQ(cat()[kCatalogueCapacity].OriginTime, (10 * 3600 + 2) / 86400.0);
    ASSERT_EQ(cat().overflow().size(), 2u);
    EXPECT_EQ(cat().overflow()[1].OriginTime, (10 * 3600 + 4) / 86400.0);
    EXPECT_EQ(cat().importDropCount(), 2);
    EXPECT_EQ(observer.progressed, (std::vector<int> { kCatalogueSlots }));
}

TEST_F(CsvImportTest, FileHelperLogsSizesAndDeletesRejectedReplies)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(kReplyFileName));
    const QByteArray text = reply({ rowAt(1), rowAt(2) });
    ASSERT_TRUE(test::writeAll(path, text));
    AnalizaResult result = AnalizaFile(path, cat(), 0, false, observer);
    EXPECT_EQ(result.rowsPlaced, 2);
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_EQ(observer.lines.size(), 2u);
    EXPECT_EQ(observer.lines[0], QStringLiteral("Wielkość: %1 bajtów").arg(text.size()));
    EXPECT_EQ(observer.lines[1], QStringLiteral("Długość ciągu danych: %1 Bajtów").arg(text.size()));

    ASSERT_TRUE(test::writeAll(path, "Error 503: Service Unavailable\n"));
    result = AnalizaFile(path, cat(), 0, false, observer);
    EXPECT_FALSE(result.accepted);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(observer.warnings.size(), 1u);
}

TEST(SearchLimitReply, RecognisesTheServiceRefusal)
{
    EXPECT_TRUE(
        isSearchLimitReply("Error 400: Bad Request\n\n20160 matching events exceeds search limit of 20000. "
                           "Modify the search to match fewer events.\n"));
    EXPECT_FALSE(isSearchLimitReply(kHeader15));
}

TEST_F(CsvImportTest, RealMonthsParseWithTheExpectedRowCounts)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("usgs", "the six whole USGS months");
    struct Month {
        const char* file;
        int kept;
        int rows;
    };
    const Month months[] = {
        { "usgs/2015-07-fdsn-asc.csv", 8566, 8566 },
        { "usgs/2017-10-fdsn-asc.csv", 8992, 8996 },
        { "usgs/2020-02-fdsn-asc.csv", 11502, 11506 },
        { "usgs/2021-05-fdsn-asc.csv", 12428, 12437 },
        { "usgs/2023-02-fdsn-asc.csv", 10520, 10526 },
        { "usgs/2025-05-fdsn-asc.csv", 9285, 9366 },
    };
    for (const Month& m : months) {
        SetUp();
        const QByteArray text = test::readAll(test::sharedData(QString::fromLatin1(m.file)));
        ASSERT_FALSE(text.isEmpty()) << m.file;
        const AnalizaResult result = parse(text);
        EXPECT_TRUE(result.accepted) << m.file;
        EXPECT_EQ(result.rowsRead, m.rows) << m.file;
        EXPECT_EQ(result.rowsPlaced, m.kept) << m.file;
        for (int i = 2; i <= cat().ImportCount; ++i) {
            const QuakeRecord& a = cat()[i - 1];
            const QuakeRecord& b = cat()[i];
            ASSERT_TRUE(a.OriginDate + a.OriginTime <= b.OriginDate + b.OriginTime)
                << m.file << " slot " << i;
        }
        EXPECT_TRUE(observer.warnings.empty()) << m.file;
    }
    // 2015-07's first and last rows.
    SetUp();
    parse(test::readAll(test::sharedData(QStringLiteral("usgs/2015-07-fdsn-asc.csv"))));
    const QuakeRecord& first = cat()[1];
    EXPECT_EQ(first.OriginDate, static_cast<double>(dayNumber(2015, 6, 29)));
    EXPECT_EQ(first.OriginTime, (3 * 3600 + 5 * 60 + 36) / 86400.0);
    EXPECT_EQ(first.Hundredths, 87);
    EXPECT_EQ(first.Latitude, 37.2873f);
    EXPECT_EQ(first.Longitude, -97.6222f);
    EXPECT_EQ(first.Depth10, 40);
    EXPECT_EQ(first.Mag10, 16);
    const QuakeRecord& last = cat()[8566];
    EXPECT_EQ(last.Depth10, 1180);
    EXPECT_EQ(last.Mag10, 63);
    EXPECT_EQ(last.Latitude, 59.897f);
}

TEST_F(CsvImportTest, DamagedRepliesEitherParseOrThrowButNeverOverrun)
{
    const QByteArray month
        = test::readAll(test::fixture(QStringLiteral("usgs/2021-05-first-rows-fdsn-asc.csv")));
    ASSERT_FALSE(month.isEmpty());
    qsizetype cut = 0;
    for (int lines = 0; lines < 41 && cut >= 0; ++lines)
        cut = month.indexOf('\n', cut + 1);
    const QByteArray sample = month.left(cut + 1); // the header and 40 rows
    const char alphabet[] = "0123456789,.-+TZ:\n\r eE\"x";
    std::mt19937 random(2015);
    for (int round = 0; round < 3000; ++round) {
        SetUp();
        std::string bytes(sample.constData(), static_cast<std::size_t>(sample.size()));
        const int damages = 1 + static_cast<int>(random() % 4);
        for (int d = 0; d < damages; ++d)
            bytes[random() % bytes.size()] = alphabet[random() % (sizeof alphabet - 1)];
        bytes.resize(random() % (bytes.size() + 1));
        const std::unique_ptr<char[]> exact(new char[std::max<std::size_t>(bytes.size(), 1)]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        const QByteArray text = QByteArray::fromRawData(exact.get(), static_cast<qsizetype>(bytes.size()));
        try {
            const AnalizaResult result = parse(text);
            ASSERT_LE(result.rowsPlaced, 40);
        } catch (const ConversionError& e) {
            ASSERT_FALSE(e.message().isEmpty());
        }
        ASSERT_LE(cat().ImportCount, 40);
        for (int i = 1; i <= cat().ImportCount; ++i) {
            ASSERT_LE(cat()[i].Mag10, kMaxMag10);
            ASSERT_LE(cat()[i].Depth10, kMaxDepth10);
        }
    }
}
