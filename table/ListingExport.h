// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tremora
{

class ReportTableModel;

/// The report table's rows as other programs want them. The copy is what the table shows (the
/// user pastes what they see); the files carry the numbers themselves, written the same whatever
/// the language: UTF-8, a dot for decimals, ISO 8601 times in UTC.

/// The given rows, in the order given, as tab-separated text (what the table shows), the
/// header line of the column captions first, one line per row, each line ended by a newline.
/// Tabs and line breaks inside a cell become spaces, so every row stays one line of 12 cells.
QString tabSeparatedRows(const ReportTableModel& model, const QList<int>& rows);

/// The header of the CSV file, in order.
inline constexpr const char* kCsvHeader
    = "nr,time,latitude,longitude,depth_km,magnitude,source,place,distance_km,energy_j";

/// Every row as CSV (RFC 4180: commas, CRLF line ends, double quotes around a field that holds a
/// comma, a quote or a line break). A number that is no number (a damaged record) is left empty.
QByteArray listingCsv(const ReportTableModel& model);

/// Every row as a GeoJSON FeatureCollection of points [longitude, latitude] with the time,
/// magnitude, depth and the rest as properties. A row whose position is no number gets a null
/// geometry, so the file stays valid JSON.
QByteArray listingGeoJson(const ReportTableModel& model);

/// The export formats and the names the save dialog offers them under.
enum class ExportFormat { Csv, GeoJson };
inline constexpr const char* kCsvFilter = "CSV (*.csv)";
inline constexpr const char* kGeoJsonFilter = "GeoJSON (*.geojson)";

/// The format a file name asks for: by its extension, else by the chosen filter; a name without
/// the extension gets it.
struct ExportTarget {
    QString path;
    ExportFormat format = ExportFormat::Csv;
};
ExportTarget exportTarget(const QString& chosenPath, const QString& chosenFilter);

/// Writes the listing to the target whole or not at all (a temporary file, renamed when done).
/// Returns an empty string on success, else why it failed.
QString writeListing(const ReportTableModel& model, const ExportTarget& target);

} // namespace tremora
