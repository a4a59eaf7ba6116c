// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ReportRow.h"

#include "catalogue/DayNumber.h"
#include "table/Energy.h"
#include "table/NumberText.h"

#include <cmath>

namespace tremora
{

namespace
{

constexpr double kTenths = 10.0;
// Beyond this a rounded distance is no longer a whole number a double holds exactly.
constexpr double kMaxWholeKilometres = 9.0e15;

} // namespace

QString sourceTag(std::uint8_t sourceCode)
{
    switch (sourceCode) {
    case 1:
        return QStringLiteral("PDE-Q");
    case 2:
        return QStringLiteral("PDE-W");
    case 3:
        return QStringLiteral("PDE");
    default:
        return QLatin1String(kUnknownSourceTag);
    }
}

QString distanceText(float kilometres)
{
    const double rounded = std::floor(static_cast<double>(kilometres) + 0.5);
    if (!(std::fabs(rounded) < kMaxWholeKilometres))
        return QLatin1Char('-') + QLatin1String(kKilometreSuffix);
    return QString::number(static_cast<long long>(rounded)) + QLatin1String(kKilometreSuffix);
}

ReportTableModel::RowTexts formatReportRow(
    int index, const QuakeRecord& record, const QString& placeName, float placeDistance)
{
    using M = ReportTableModel;
    M::RowTexts row;
    row[M::Number] = QString::number(index);
    row[M::Date] = dateText(record.OriginDate);
    row[M::Time] = timeText(record.OriginTime);
    row[M::Magnitude] = RoundedText(record.Mag10 / kTenths, kMagnitudeDecimals);
    row[M::Latitude] = FixedText(record.Latitude);
    row[M::Longitude] = FixedText(record.Longitude);
    row[M::Depth] = FixedText(record.Depth10 / kTenths) + QLatin1String(kKilometreSuffix);
    row[M::Source] = sourceTag(record.SourceCode);
    row[M::Place] = placeName;
    row[M::Distance] = distanceText(placeDistance);
    row[M::Energy] = Przelicz_mag_J(record.Mag10);
    row[M::WattHours] = Przelicz_mag_W(record.Mag10);
    return row;
}

} // namespace tremora
