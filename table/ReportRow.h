// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"
#include "table/ReportTableModel.h"

#include <QString>

#include <cstdint>

namespace tremora
{

/// Appended to the depth and distance cells.
inline constexpr const char* kKilometreSuffix = " km";
/// The source cell of a record whose source code has no tag (none occurs in a sound catalogue).
inline constexpr const char* kUnknownSourceTag = "---";
/// Decimals of the magnitude cell.
inline constexpr int kMagnitudeDecimals = 1;

/// Tag of a record's source code: 1 "PDE-Q", 2 "PDE-W", 3 "PDE", anything else "---".
QString sourceTag(std::uint8_t sourceCode);

/// A distance in whole kilometres, halves rounded upward: "222 km". A distance that is no
/// number is written as "- km".
QString distanceText(float kilometres);

/// Writes the twelve texts of report table rows. It remembers the last date it wrote, since a
/// listing runs through the records of a few days in order; keep one for a whole listing.
class ReportRowFormatter
{
public:
    /// The row of record `index` (1-based), given the nearest place's name and distance as the
    /// place lookup found them.
    ReportTableModel::RowTexts format(
        int index, const QuakeRecord& record, const QString& placeName, float placeDistance);

private:
    double m_lastDay = -1;
    QString m_lastDayText;
};

/// One row written by a fresh formatter.
ReportTableModel::RowTexts formatReportRow(
    int index, const QuakeRecord& record, const QString& placeName, float placeDistance);

/// "HH:mm:ss" of a time of day, the same text as timeText() without its temporary strings.
QString timeOfDayText(double dateTime);

} // namespace tremora
