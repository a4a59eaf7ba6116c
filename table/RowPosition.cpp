// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/RowPosition.h"

#include "platform/ConversionError.h"
#include "table/NumberText.h"

#include <QCoreApplication>

#include <limits>

namespace tremora
{

namespace
{

constexpr int kDecimals = 4;
// Whole degrees far beyond any coordinate; keeps the arithmetic away from overflow.
constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int64_t>::max() / kPositionScale / 4;

[[noreturn]] void notANumber(const QString& text)
{
    throw ConversionError(
        QCoreApplication::translate("tremora::RowPosition", "'%1' nie jest poprawną wartością liczbową")
            .arg(text));
}

QString unitsText(std::int64_t units)
{
    return FixedText(double(units) / double(kPositionScale));
}

} // namespace

std::int64_t positionUnits(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    std::int64_t whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i, ++digits) {
        whole = whole * 10 + (t[i].unicode() - '0');
        if (whole > kMaxWhole)
            notANumber(text);
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < t.size() && (t[i] == QLatin1Char(',') || t[i] == QLatin1Char('.'))) {
        for (++i; i < t.size() && t[i].isDigit() && t[i].unicode() < 128; ++i, ++digits) {
            if (fractionDigits < kDecimals)
                fraction = fraction * 10 + (t[i].unicode() - '0');
            else if (fractionDigits == kDecimals)
                roundUp = t[i].unicode() >= '5';
            ++fractionDigits;
        }
    }
    if (digits == 0 || i != t.size())
        notANumber(text);
    for (int d = fractionDigits; d < kDecimals; ++d)
        fraction *= 10;
    const std::int64_t units = whole * kPositionScale + fraction + (roundUp ? 1 : 0);
    return negative ? -units : units;
}

float positionDegrees(const QString& text)
{
    return float(double(positionUnits(text)) / double(kPositionScale));
}

PositionBounds boundsAround(const QString& text, std::int64_t halfWidth)
{
    const std::int64_t units = positionUnits(text);
    return { unitsText(units - halfWidth), unitsText(units + halfWidth) };
}

QString pointText(const QString& latText, const QString& lonText)
{
    QString lat = latText;
    QString lon = lonText;
    lat.replace(QLatin1Char(','), QLatin1Char('.'));
    lon.replace(QLatin1Char(','), QLatin1Char('.'));
    return lat + QLatin1Char(',') + lon;
}

} // namespace tremora
