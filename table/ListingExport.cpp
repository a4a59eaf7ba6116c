// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ListingExport.h"

#include "catalogue/DayNumber.h"
#include "table/Energy.h"
#include "table/ReportRow.h"
#include "table/ReportTableModel.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cmath>

namespace tremora
{

namespace
{

using M = ReportTableModel;

constexpr int kCoordinateDecimals = 4;
constexpr int kDepthDecimals = 1;
constexpr int kEnergyDigits = 6;
constexpr double kTenths = 10.0;
constexpr int kHundredthsLimit = 100;

QString oneLine(QString cell)
{
    for (QChar& c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return cell;
}

// A number with the dot whatever the locale; empty when it is no number.
QString fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QString();
}

// ISO 8601 in UTC to the hundredth, or empty for a record whose date is no date.
QString isoTime(const QuakeRecord& record)
{
    const QString day = dateText(record.OriginDate);
    if (day == QStringLiteral("-") || !std::isfinite(record.OriginTime))
        return {};
    QString text = day + u'T' + timeOfDayText(record.OriginTime);
    if (record.Hundredths < kHundredthsLimit)
        text += QStringLiteral(".%1").arg(record.Hundredths, 2, 10, QLatin1Char('0'));
    return text + u'Z';
}

QString distanceKm(float distance)
{
    return std::isfinite(distance) ? QString::number(std::lround(distance)) : QString();
}

QString csvField(const QString& text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString jsonString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

// A JSON value: the text of a number, or null when there is none.
QString jsonNumber(const QString& number)
{
    return number.isEmpty() ? QStringLiteral("null") : number;
}

QString jsonText(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("null") : jsonString(text);
}

} // namespace

QString tabSeparatedRows(const ReportTableModel& model, const QList<int>& rows)
{
    QString text;
    for (int c = 0; c < M::ColumnCount; ++c)
        text += (c ? QStringLiteral("\t") : QString()) + M::columnCaption(c);
    text += u'\n';
    for (const int row : rows) {
        for (int c = 0; c < M::ColumnCount; ++c)
            text += (c ? QStringLiteral("\t") : QString()) + oneLine(model.cell(row, c));
        text += u'\n';
    }
    return text;
}

QByteArray listingCsv(const ReportTableModel& model)
{
    QString text = QString::fromLatin1(kCsvHeader) + QStringLiteral("\r\n");
    for (int row = 0; row < model.rowCount(); ++row) {
        const QuakeRecord& r = model.rowRecord(row);
        const QStringList fields { model.cell(row, M::Number), isoTime(r),
            fixed(r.Latitude, kCoordinateDecimals), fixed(r.Longitude, kCoordinateDecimals),
            fixed(r.Depth10 / kTenths, kDepthDecimals), fixed(r.Mag10 / kTenths, 1),
            csvField(model.cell(row, M::Source)), csvField(model.cell(row, M::Place)),
            distanceKm(model.rowPlaceDistance(row)),
            QString::number(QuakeEnergyJ(r.Mag10), 'g', kEnergyDigits) };
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

QByteArray listingGeoJson(const ReportTableModel& model)
{
    QString text = QStringLiteral("{\"type\":\"FeatureCollection\",\"features\":[");
    for (int row = 0; row < model.rowCount(); ++row) {
        const QuakeRecord& r = model.rowRecord(row);
        if (row > 0)
            text += u',';
        text += QStringLiteral("\n{\"type\":\"Feature\",\"geometry\":");
        const QString lon = fixed(r.Longitude, kCoordinateDecimals);
        const QString lat = fixed(r.Latitude, kCoordinateDecimals);
        if (lon.isEmpty() || lat.isEmpty())
            text += QStringLiteral("null");
        else
            text += QStringLiteral("{\"type\":\"Point\",\"coordinates\":[%1,%2]}").arg(lon, lat);
        text += QStringLiteral(",\"properties\":{\"nr\":%1,\"time\":%2,\"mag\":%3,\"depth_km\":%4,"
                               "\"source\":%5,\"place\":%6,\"distance_km\":%7,\"energy_j\":%8}}")
                    .arg(jsonNumber(model.cell(row, M::Number)), jsonText(isoTime(r)),
                        jsonNumber(fixed(r.Mag10 / kTenths, 1)),
                        jsonNumber(fixed(r.Depth10 / kTenths, kDepthDecimals)),
                        jsonString(model.cell(row, M::Source)), jsonString(model.cell(row, M::Place)),
                        jsonNumber(distanceKm(model.rowPlaceDistance(row))),
                        QString::number(QuakeEnergyJ(r.Mag10), 'g', kEnergyDigits));
    }
    text += QStringLiteral("\n]}\n");
    return text.toUtf8();
}

ExportTarget exportTarget(const QString& chosenPath, const QString& chosenFilter)
{
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    if (suffix == QStringLiteral("csv"))
        return { chosenPath, ExportFormat::Csv };
    if (suffix == QStringLiteral("geojson") || suffix == QStringLiteral("json"))
        return { chosenPath, ExportFormat::GeoJson };
    if (chosenFilter == QLatin1String(kGeoJsonFilter))
        return { chosenPath + QStringLiteral(".geojson"), ExportFormat::GeoJson };
    return { chosenPath + QStringLiteral(".csv"), ExportFormat::Csv };
}

QString writeListing(const ReportTableModel& model, const ExportTarget& target)
{
    QSaveFile file(target.path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = target.format == ExportFormat::Csv ? listingCsv(model) : listingGeoJson(model);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace tremora
