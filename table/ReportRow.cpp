// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ReportRow.h"

#include "catalogue/DayNumber.h"
#include "table/Energy.h"
#include "table/NumberText.h"

#include <array>
#include <cmath>

namespace tremora
{

namespace
{

constexpr double kTenths = 10.0;
// Beyond this a rounded distance is no longer a whole number a double holds exactly.
constexpr double kMaxWholeKilometres = 9.0e15;
constexpr int kMag10Values = 256;
constexpr double kMillisecondsPerDay = 86'400'000.0;
constexpr long long kSecondsPerDay = 86'400;

// Texts that depend on the magnitude alone, written once for all 256 stored values: a listing
// then shares them instead of writing the same few dozen texts thousands of times.
struct MagnitudeTexts {
    std::array<QString, kMag10Values> magnitude;
    std::array<QString, kMag10Values> joules;
    std::array<QString, kMag10Values> wattHours;
};

const MagnitudeTexts& magnitudeTexts()
{
    static const MagnitudeTexts texts = [] {
        MagnitudeTexts t;
        for (int m = 0; m < kMag10Values; ++m) {
            const auto mag10 = static_cast<std::uint8_t>(m);
            const auto i = static_cast<std::size_t>(m);
            t.magnitude[i] = RoundedText(mag10 / kTenths, kMagnitudeDecimals);
            t.joules[i] = Przelicz_mag_J(mag10);
            t.wattHours[i] = Przelicz_mag_W(mag10);
        }
        return t;
    }();
    return texts;
}

void putTwoDigits(char16_t* p, long long v)
{
    p[0] = static_cast<char16_t>(u'0' + v / 10);
    p[1] = static_cast<char16_t>(u'0' + v % 10);
}

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

QString timeOfDayText(double dateTime)
{
    if (!std::isfinite(dateTime))
        return timeText(dateTime);
    // Whole seconds after rounding to the millisecond, exactly as timeText() counts them.
    const double fraction = dateTime - std::floor(dateTime);
    const long long seconds = (std::llround(fraction * kMillisecondsPerDay) / 1000) % kSecondsPerDay;
    char16_t text[8] = { 0, 0, u':', 0, 0, u':', 0, 0 };
    putTwoDigits(text, seconds / 3600);
    putTwoDigits(text + 3, seconds / 60 % 60);
    putTwoDigits(text + 6, seconds % 60);
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

ReportTableModel::RowTexts formatReportRow(
    int index, const QuakeRecord& record, const QString& placeName, float placeDistance)
{
    return ReportRowFormatter().format(index, record, placeName, placeDistance);
}

ReportTableModel::RowTexts ReportRowFormatter::format(
    int index, const QuakeRecord& record, const QString& placeName, float placeDistance)
{
    using M = ReportTableModel;
    const MagnitudeTexts& byMagnitude = magnitudeTexts();
    const auto mag = static_cast<std::size_t>(record.Mag10);
    if (record.OriginDate != m_lastDay || m_lastDayText.isEmpty()) {
        m_lastDay = record.OriginDate;
        m_lastDayText = dateText(record.OriginDate);
    }

    M::RowTexts row;
    row[M::Number] = QString::number(index);
    row[M::Date] = m_lastDayText;
    row[M::Time] = timeOfDayText(record.OriginTime);
    row[M::Magnitude] = byMagnitude.magnitude[mag];
    row[M::Latitude] = FixedText(record.Latitude);
    row[M::Longitude] = FixedText(record.Longitude);
    row[M::Depth] = FixedText(record.Depth10 / kTenths) + QLatin1String(kKilometreSuffix);
    row[M::Source] = sourceTag(record.SourceCode);
    row[M::Place] = placeName;
    row[M::Distance] = distanceText(placeDistance);
    row[M::Energy] = byMagnitude.joules[mag];
    row[M::WattHours] = byMagnitude.wattHours[mag];
    return row;
}

} // namespace tremora
