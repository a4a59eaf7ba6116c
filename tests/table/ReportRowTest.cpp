// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ReportRow.h"
#include "catalogue/DayNumber.h"
#include "table/PeriodSpan.h"
#include "table/RecentListing.h"
#include "table/ReportTableModel.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

using namespace tremora;
using M = ReportTableModel;
using test::quake;
using test::s;

TEST(ReportRow, EveryColumnOfOneRecord)
{
    const QuakeRecord r
        = quake(dayNumber(2015, 7, 3), 12 * 3600 + 34 * 60 + 56, 60, 352, 16.19f, -51.6912f, 1);
    const M::RowTexts row = formatReportRow(1234, r, s("Polska"), 222.24f);
    const char* expected[M::ColumnCount] = { "1234", "2015-07-03", "12:34:56", "6", "-51,6912", "16,19",
        "35,2 km", "PDE-Q", "Polska", "222 km", "63,1 TJ", "17,53 GWh" };
    for (int c = 0; c < M::ColumnCount; ++c)
        EXPECT_EQ(row[static_cast<std::size_t>(c)], s(expected[c])) << M::columnCaption(c).toStdString();

    const QuakeRecord shallow = quake(dayNumber(2015, 7, 3), 0, 45, 0, -180.0f, 0.0f, 3);
    const M::RowTexts other = formatReportRow(1, shallow, s(""), 0.0f);
    EXPECT_EQ(other[M::Time], s("00:00:00"));
    EXPECT_EQ(other[M::Magnitude], s("4,5"));
    EXPECT_EQ(other[M::Depth], s("0 km"));
    EXPECT_EQ(other[M::Longitude], s("-180"));
    EXPECT_EQ(other[M::Latitude], s("0"));
    EXPECT_EQ(other[M::Place], s(""));
    EXPECT_EQ(other[M::Distance], s("0 km"));
}

TEST(ReportRow, SourceTagsAndDistanceRounding)
{
    EXPECT_EQ(sourceTag(0), s("---"));
    EXPECT_EQ(sourceTag(1), s("PDE-Q"));
    EXPECT_EQ(sourceTag(2), s("PDE-W"));
    EXPECT_EQ(sourceTag(3), s("PDE"));
    EXPECT_EQ(sourceTag(4), s("---"));
    EXPECT_EQ(sourceTag(255), s("---"));

    EXPECT_EQ(distanceText(0.5f), s("1 km"));
    EXPECT_EQ(distanceText(1.49f), s("1 km"));
    EXPECT_EQ(distanceText(2.5f), s("3 km"));
    EXPECT_EQ(distanceText(39780.96f), s("39781 km"));
    EXPECT_EQ(distanceText(123456789.0f), s("123456792 km")); // the float's own value
    EXPECT_EQ(distanceText(std::numeric_limits<float>::quiet_NaN()), s("- km"));
    EXPECT_EQ(distanceText(std::numeric_limits<float>::infinity()), s("- km"));
    EXPECT_EQ(distanceText(std::numeric_limits<float>::max()), s("- km"));
}

TEST(ReportRow, OddRecordValuesStillGiveTexts)
{
    QuakeRecord r = quake(std::numeric_limits<double>::quiet_NaN(), 0, 255, 65535, 0, 0, 0);
    r.Longitude = std::numeric_limits<float>::infinity();
    r.Latitude = std::numeric_limits<float>::quiet_NaN();
    const M::RowTexts row = formatReportRow(1, r, s("-"), 0.0f);
    EXPECT_EQ(row[M::Date], s("-"));
    EXPECT_EQ(row[M::Magnitude], s("25,5"));
    EXPECT_EQ(row[M::Depth], s("6553,5 km"));
    EXPECT_EQ(row[M::Longitude], s("-"));
    EXPECT_EQ(row[M::Latitude], s("-"));
}

TEST(ReportTableModel, ColumnsAndCells)
{
    M model;
    EXPECT_EQ(model.columnCount(), 12);
    const char* captions[] = { "Nr", "Data", "Godzina", "Mag.", "Szer.geogr.", "Dł.geogr.", "Głębokość",
        "Kat", "Lokalizacja", "Odleg.", "Energia", "Wh" };
    const int widths[] = { 70, 70, 55, 40, 67, 65, 65, 30, 80, 50, 70, 70 };
    for (int c = 0; c < M::ColumnCount; ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), s(captions[c]));
        EXPECT_EQ(M::columnWidth(c), widths[c]);
    }

    M::RowTexts a;
    M::RowTexts b;
    for (int c = 0; c < M::ColumnCount; ++c) {
        a[static_cast<std::size_t>(c)] = QStringLiteral("a%1").arg(c);
        b[static_cast<std::size_t>(c)] = c % 2 ? QString() : QStringLiteral("bb%1").arg(c);
    }
    b[M::Place] = s("Wyspy Świętego Tomasza");
    model.appendRow(a);
    model.appendRow(b);
    ASSERT_EQ(model.rowCount(), 2);
    for (int c = 0; c < M::ColumnCount; ++c) {
        EXPECT_EQ(model.data(model.index(0, c)).toString(), a[static_cast<std::size_t>(c)]);
        EXPECT_EQ(model.cell(1, c), b[static_cast<std::size_t>(c)]);
    }
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("x")));
    EXPECT_EQ(model.cell(2, 0), QString());
    EXPECT_EQ(model.cell(0, 12), QString());
    EXPECT_EQ(model.cell(-1, 0), QString());

    // An overlong cell is cut rather than overflowing the row's offsets.
    M::RowTexts huge = a;
    huge[M::Place] = QString(5000, QLatin1Char('x'));
    model.appendRow(huge);
    EXPECT_EQ(model.cell(2, M::Place).size(), M::kMaxCellLength);
    EXPECT_EQ(model.cell(2, M::Distance), a[M::Distance]);

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    model.appendRow(b);
    EXPECT_EQ(model.cell(0, M::Place), s("Wyspy Świętego Tomasza"));
}

TEST(ReportTableModel, BatchAnnouncesRowsOnceAtTheEnd)
{
    M model;
    std::vector<std::pair<int, int>> inserted;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model,
        [&](const QModelIndex&, int first, int last) { inserted.emplace_back(first, last); });
    M::RowTexts row;
    row[M::Number] = QStringLiteral("1");
    model.appendRow(row);
    EXPECT_EQ(inserted.size(), 1u);
    {
        M::AppendBatch batch(model);
        {
            M::AppendBatch inner(model);
            for (int i = 0; i < 5; ++i)
                model.appendRow(row);
        }
        EXPECT_EQ(model.rowCount(), 1);
        model.appendRow(row);
    }
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[1], std::make_pair(1, 6));
    EXPECT_EQ(model.rowCount(), 7);
}

namespace
{

struct Walk {
    int visited = 0;
    std::vector<int> indices;
};

Walk walk(const Catalogue& catalogue, double cutoff, int limit = TableRowLimit)
{
    Walk w;
    w.visited = walkRecentRecords(catalogue, cutoff, limit, [&](int index, int visited) {
        w.indices.push_back(index);
        EXPECT_EQ(visited, static_cast<int>(w.indices.size()));
    });
    return w;
}

} // namespace

TEST(RecentListing, WalksNewestFirstBackToTheCutoff)
{
    Catalogue catalogue;
    EXPECT_EQ(walk(catalogue, 100).visited, 0);

    const double days[] = { 95, 97, 98, 98, 99, 100, 100 };
    for (double d : days)
        catalogue[++catalogue.CatalogueCount].OriginDate = d;

    EXPECT_EQ(walk(catalogue, 100).indices, (std::vector<int> { 7, 6 }));
    EXPECT_EQ(walk(catalogue, 98).indices, (std::vector<int> { 7, 6, 5, 4, 3 }));
    // The newest record is listed even when it is older than the cutoff.
    EXPECT_EQ(walk(catalogue, 101).indices, (std::vector<int> { 7 }));
    // Never below index 1.
    EXPECT_EQ(walk(catalogue, 0).indices, (std::vector<int> { 7, 6, 5, 4, 3, 2, 1 }));
    const Walk limited = walk(catalogue, 0, 3);
    EXPECT_EQ(limited.visited, 3);
    EXPECT_EQ(limited.indices, (std::vector<int> { 7, 6, 5 }));

    // A count beyond the array does not walk outside it.
    catalogue.CatalogueCount = kCatalogueCapacity + 5;
    EXPECT_EQ(walk(catalogue, 1e9, 2).indices, (std::vector<int> { kCatalogueCapacity }));
    catalogue.CatalogueCount = -3;
    EXPECT_EQ(walk(catalogue, 0).visited, 0);
}

TEST(PeriodSpan, DaysOfTheEightItems)
{
    const int expected[] = { 365, 180, 90, 29, 13, 6, 2, 1 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(periodSpanDays(i), expected[i]) << i;
    EXPECT_FALSE(periodSpanDays(-1));
    EXPECT_FALSE(periodSpanDays(8));
}

TEST(ReportRow, FormatterKeepsTextsEqualToTheGeneralOnes)
{
    // The formatter's shortcuts must write exactly what the general date and time texts write.
    for (long long ms = 0; ms < 86'400'000; ms += 997) {
        const double t = 42188 + static_cast<double>(ms) / 86'400'000.0;
        ASSERT_EQ(timeOfDayText(t), timeText(t)) << ms;
    }
    for (double t : { -0.25, 1e300, 0.999999999, std::numeric_limits<double>::quiet_NaN(),
             std::numeric_limits<double>::infinity() })
        EXPECT_EQ(timeOfDayText(t), timeText(t)) << t;

    ReportRowFormatter formatter;
    const double days[] = { 42188, 42188, 42187, std::numeric_limits<double>::quiet_NaN(), 42187, -1, 42188 };
    for (double day : days) {
        const QuakeRecord r = quake(day, 3600, 45, 100, 1, 2, 2);
        const M::RowTexts row = formatter.format(7, r, s("x"), 1.0f);
        EXPECT_EQ(row[M::Date], dateText(day)) << day;
        EXPECT_EQ(row, formatReportRow(7, r, s("x"), 1.0f));
    }
}
