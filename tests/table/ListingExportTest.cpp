// SPDX-License-Identifier: GPL-3.0-or-later
// The report table's rows copied as tab-separated text and exported as CSV and GeoJSON; the files
// are read back by Python's own csv and json modules, as a script or a spreadsheet would.
#include "table/ListingExport.h"
#include "catalogue/DayNumber.h"
#include "table/ReportRow.h"
#include "table/ReportTableModel.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace tremora::test
{
namespace
{

using M = ReportTableModel;

void append(M& model, int nr, const QuakeRecord& r, const QString& place, float distance)
{
    model.appendRow(formatReportRow(nr, r, place, distance), r, distance);
}

// Two ordinary rows (one place with a comma, a quote and Polish letters) and a damaged record.
void fill(M& model)
{
    append(model, 1234, quake(dayNumber(2015, 7, 3), secondsOfDay(12, 34, 56), 60, 352, 16.19f, -51.6912f, 1),
        QStringLiteral("Łódź, \"centrum\""), 222.4f);
    append(model, 7, quake(dayNumber(1973, 1, 1), secondsOfDay(0, 0, 5), 45, 0, -179.5f, 89.25f, 3),
        QStringLiteral("Kraj\tz tabulatorem"), 3.6f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    append(model, 8, quake(dayNumber(2020, 2, 29), 0, 10, 100, nan, nan, 2), QStringLiteral("-"), nan);
}

// Runs a Python script over one file; its standard output, or nothing when Python is missing.
std::optional<QByteArray> python(const char* script, const QString& file)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(program, { QStringLiteral("-c"), QString::fromLatin1(script), file });
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QByteArray("python failed: ") + p.readAllStandardError();
    return p.readAllStandardOutput();
}

TEST(ListingExport, CopyIsTheShownTextWithTheHeaderOneLinePerRow)
{
    M model;
    fill(model);
    const QString text = tabSeparatedRows(model, { 1, 0 });
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 4); // header, two rows, the empty rest after the last newline
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(lines[0].split(u'\t').first(), M::columnCaption(M::Number));
    EXPECT_EQ(lines[0].split(u'\t').size(), M::ColumnCount);
    // The rows in the order asked for, as the table writes them; a tab inside a cell is a blank.
    const QStringList second = lines[1].split(u'\t');
    ASSERT_EQ(second.size(), M::ColumnCount);
    EXPECT_EQ(second[M::Number], QStringLiteral("7"));
    EXPECT_EQ(second[M::Place], QStringLiteral("Kraj z tabulatorem"));
    const QStringList first = lines[2].split(u'\t');
    EXPECT_EQ(first[M::Magnitude], model.cell(0, M::Magnitude));
    EXPECT_EQ(first[M::Latitude], QStringLiteral("-51,6912"));
}

TEST(ListingExport, CsvReadsBackWithDotDecimalsIsoTimesAndQuotedPlaces)
{
    M model;
    fill(model);
    QTemporaryDir dir;
    const ExportTarget target
        = exportTarget(dir.filePath(QStringLiteral("lista")), QLatin1String(kCsvFilter));
    EXPECT_TRUE(target.path.endsWith(QStringLiteral("lista.csv")));
    ASSERT_EQ(writeListing(model, target), QString());

    const QByteArray csv = readAll(target.path);
    EXPECT_TRUE(csv.startsWith(QByteArray(kCsvHeader) + "\r\n"));
    EXPECT_FALSE(csv.startsWith("\xEF\xBB\xBF")); // no byte-order mark for scripts to trip over

    const std::optional<QByteArray> out = python(R"(
import csv, json, sys
with open(sys.argv[1], encoding="utf-8", newline="") as f:
    rows = list(csv.DictReader(f))
print(json.dumps(rows))
)",
        target.path);
    if (!out)
        GTEST_SKIP() << "python3 is not installed";
    const QJsonArray rows = QJsonDocument::fromJson(*out).array();
    ASSERT_EQ(rows.size(), 3) << out->constData();
    const QJsonObject a = rows[0].toObject();
    EXPECT_EQ(a[u"nr"].toString(), QStringLiteral("1234"));
    EXPECT_EQ(a[u"time"].toString(), QStringLiteral("2015-07-03T12:34:56.00Z"));
    EXPECT_EQ(a[u"latitude"].toString(), QStringLiteral("-51.6912"));
    EXPECT_EQ(a[u"longitude"].toString(), QStringLiteral("16.1900"));
    EXPECT_EQ(a[u"depth_km"].toString(), QStringLiteral("35.2"));
    EXPECT_EQ(a[u"magnitude"].toString(), QStringLiteral("6.0"));
    EXPECT_EQ(a[u"source"].toString(), QStringLiteral("PDE-Q"));
    EXPECT_EQ(a[u"place"].toString(), QStringLiteral("Łódź, \"centrum\""));
    EXPECT_EQ(a[u"distance_km"].toString(), QStringLiteral("222"));
    EXPECT_NEAR(a[u"energy_j"].toString().toDouble(), 6.30957e13, 1e8);
    // A damaged record leaves its numbers empty rather than writing "nan" into a spreadsheet.
    const QJsonObject damaged = rows[2].toObject();
    EXPECT_EQ(damaged[u"latitude"].toString(), QString());
    EXPECT_EQ(damaged[u"distance_km"].toString(), QString());
    EXPECT_EQ(damaged[u"time"].toString(), QStringLiteral("2020-02-29T00:00:00.00Z"));
}

TEST(ListingExport, GeoJsonLoadsAsAFeatureCollectionOfPoints)
{
    M model;
    fill(model);
    QTemporaryDir dir;
    const ExportTarget target
        = exportTarget(dir.filePath(QStringLiteral("lista.geojson")), QLatin1String(kCsvFilter));
    EXPECT_EQ(target.format, ExportFormat::GeoJson); // the name wins over the filter
    ASSERT_EQ(writeListing(model, target), QString());

    const std::optional<QByteArray> out = python(R"(
import json, sys
with open(sys.argv[1], encoding="utf-8") as f:
    doc = json.load(f)
print(json.dumps(doc))
)",
        target.path);
    if (!out)
        GTEST_SKIP() << "python3 is not installed";
    const QJsonObject doc = QJsonDocument::fromJson(*out).object();
    EXPECT_EQ(doc[u"type"].toString(), QStringLiteral("FeatureCollection"));
    const QJsonArray features = doc[u"features"].toArray();
    ASSERT_EQ(features.size(), 3) << out->constData();
    const QJsonObject first = features[0].toObject();
    EXPECT_EQ(first[u"type"].toString(), QStringLiteral("Feature"));
    const QJsonObject point = first[u"geometry"].toObject();
    EXPECT_EQ(point[u"type"].toString(), QStringLiteral("Point"));
    EXPECT_DOUBLE_EQ(point[u"coordinates"].toArray()[0].toDouble(), 16.19); // longitude first
    EXPECT_DOUBLE_EQ(point[u"coordinates"].toArray()[1].toDouble(), -51.6912);
    const QJsonObject props = first[u"properties"].toObject();
    EXPECT_EQ(props[u"time"].toString(), QStringLiteral("2015-07-03T12:34:56.00Z"));
    EXPECT_DOUBLE_EQ(props[u"mag"].toDouble(), 6.0);
    EXPECT_DOUBLE_EQ(props[u"depth_km"].toDouble(), 35.2);
    EXPECT_EQ(props[u"place"].toString(), QStringLiteral("Łódź, \"centrum\""));
    EXPECT_EQ(features[1].toObject()[u"properties"].toObject()[u"place"].toString(),
        QStringLiteral("Kraj\tz tabulatorem"));
    // No position, no point: the feature stays, with a null geometry.
    EXPECT_TRUE(features[2].toObject()[u"geometry"].isNull());
}

TEST(ListingExport, AFileThatCannotBeWrittenSaysWhyAndLeavesNothing)
{
    M model;
    fill(model);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brak/lista.csv"));
    EXPECT_FALSE(writeListing(model, { path, ExportFormat::Csv }).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
} // namespace tremora::test
