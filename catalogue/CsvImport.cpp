// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CsvImport.h"

#include "catalogue/DayNumber.h"
#include "platform/ConversionError.h"
#include "platform/FourDecimals.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tremora
{

namespace
{

constexpr char kServiceHeader[] = "time,latitude,longitude,depth,mag,";
constexpr char kSearchLimitText[] = "exceeds search limit";
constexpr char kHeaderMarker[] = ",type";
constexpr int kMaxShownFieldLength = 80; // longer offending texts are cut in the message
constexpr int kMaxPlainIntegerDigits = 9; // more integer digits go through the double path
constexpr double kMaxCoordinate = 360.0; // beyond this a coordinate is corrupt, not data
constexpr long long kCoordinateScale = 10000; // coordinates are kept to four decimals
constexpr std::int64_t kMaxCoordinateUnits = static_cast<std::int64_t>(kMaxCoordinate) * kCoordinateScale;
constexpr double kSecondsPerDay = 86400.0;

QString shownText(const char* begin, const char* end)
{
    const auto length = static_cast<qsizetype>(end - begin);
    if (length > kMaxShownFieldLength)
        return QString::fromUtf8(begin, kMaxShownFieldLength) + QStringLiteral("…");
    return QString::fromUtf8(begin, length);
}

QString translated(const char* text)
{
    return QCoreApplication::translate("tremora::CsvImport", text);
}

// `what` is marked for translation where it is given.
[[noreturn]] void malformed(const char* begin, const char* end, const char* what)
{
    throw ConversionError(QCoreApplication::translate("tremora::CsvImport", "'%1' nie jest %2")
                              .arg(shownText(begin, end), translated(what)));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A decimal number as written: sign, integer digits, fraction digits. Numbers with an exponent
// (the service has never sent one, but a double printed by another tool may) are carried as a
// double instead.
struct Decimal {
    bool negative = false;
    const char* intBegin = nullptr;
    const char* intEnd = nullptr;
    const char* fracBegin = nullptr;
    const char* fracEnd = nullptr;
    bool useDouble = false;
    double value = 0;
};

Decimal parseDecimal(const char* begin, const char* end)
{
    Decimal d;
    const char* p = begin;
    if (p < end && (*p == '-' || *p == '+')) {
        d.negative = *p == '-';
        ++p;
    }
    while (p < end && *p == '0' && p + 1 < end && isDigit(p[1]))
        ++p; // leading zeros carry nothing
    d.intBegin = p;
    while (p < end && isDigit(*p))
        ++p;
    d.intEnd = p;
    d.fracBegin = d.fracEnd = p;
    if (p < end && *p == '.') {
        d.fracBegin = ++p;
        while (p < end && isDigit(*p))
            ++p;
        d.fracEnd = p;
    }
    const bool anyDigit = d.intEnd > d.intBegin || d.fracEnd > d.fracBegin;
    if (!anyDigit)
        malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną liczbą"));
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* from = begin + (*begin == '+' ? 1 : 0);
        const auto [last, ec] = std::from_chars(from, end, d.value);
        if (ec != std::errc() || last != end || !std::isfinite(d.value))
            malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną liczbą"));
        d.useDouble = true;
        return d;
    }
    if (p != end)
        malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną liczbą"));
    if (d.intEnd - d.intBegin > kMaxPlainIntegerDigits) {
        const char* from = begin + (*begin == '+' ? 1 : 0);
        if (std::from_chars(from, end, d.value).ec != std::errc())
            d.value = d.negative ? -HUGE_VAL : HUGE_VAL;
        d.useDouble = true;
    }
    return d;
}

long long integerPart(const Decimal& d)
{
    long long v = 0;
    for (const char* p = d.intBegin; p < d.intEnd; ++p)
        v = v * 10 + (*p - '0');
    return v;
}

// Rounded to four decimals on the written digits (half away from zero), then the nearest float.
float coordinate(const char* begin, const char* end)
{
    const FourDecimals plain
        = readFourDecimals(std::string_view(begin, static_cast<std::size_t>(end - begin)), DecimalPoint::Dot);
    if (plain.reading == FourDecimals::Reading::Number) {
        if (plain.units > kMaxCoordinateUnits)
            malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną współrzędną"));
        // The catalogue keeps a negative zero as a plain zero.
        return plain.units == 0 ? 0.0f : nearestFloat(plain);
    }
    if (plain.reading == FourDecimals::Reading::TooLarge)
        malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną współrzędną"));
    // Either a number with an exponent, rounded from its double, or no number (parseDecimal throws).
    const Decimal d = parseDecimal(begin, end);
    if (!(std::fabs(d.value) <= kMaxCoordinate))
        malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną współrzędną"));
    return static_cast<float>(std::round(d.value * kCoordinateScale) / kCoordinateScale);
}

// Whole kilometres before the point, x 10; empty and negative depths count as 0.
int depth10(const char* begin, const char* end)
{
    if (begin == end)
        return 0;
    const Decimal d = parseDecimal(begin, end);
    if (d.negative)
        return 0;
    constexpr long long kSaturated = kMaxDepth10 + 10;
    long long km = 0;
    if (d.useDouble) {
        km = d.value >= kSaturated ? kSaturated : static_cast<long long>(d.value);
    } else {
        km = d.intEnd - d.intBegin > 6 ? kSaturated : integerPart(d);
    }
    return static_cast<int>(std::min(km * 10, kSaturated));
}

constexpr int kRejectedMagnitude = -1;

// Magnitude x 10, truncated: the integer part x 10 plus the first decimal, worked on the
// written digits so 4.56 gives 45 and 5 gives 50. A negative magnitude above -1 gives 0;
// -1.0 and below, and anything above Mag10 120, give kRejectedMagnitude.
int mag10(const char* begin, const char* end)
{
    const Decimal d = parseDecimal(begin, end);
    if (d.useDouble) {
        if (d.value <= -1.0 || d.value > kMaxMag10)
            return kRejectedMagnitude;
        if (d.value < 0)
            return 0;
        const int v = static_cast<int>(std::floor(d.value * 10 + 1e-9));
        return v > kMaxMag10 ? kRejectedMagnitude : v;
    }
    const long long whole = integerPart(d);
    if (d.negative)
        return whole >= 1 ? kRejectedMagnitude : 0;
    if (whole > kMaxMag10 / 10)
        return kRejectedMagnitude;
    const int tenths = d.fracEnd > d.fracBegin ? *d.fracBegin - '0' : 0;
    const int v = static_cast<int>(whole) * 10 + tenths;
    return v > kMaxMag10 ? kRejectedMagnitude : v;
}

// Reads 1..maxDigits digits followed by sep; false when the text is not like that.
bool digitsThen(const char*& p, const char* end, int maxDigits, char sep, int& value)
{
    const char* start = p;
    int v = 0;
    while (p < end && isDigit(*p) && p - start < maxDigits)
        v = v * 10 + (*p++ - '0');
    if (p == start || p >= end || *p != sep)
        return false;
    ++p;
    value = v;
    return true;
}

// Origin time "yyyy-MM-ddTHH:mm:ss.fffZ" into date, time of day and hundredths.
class TimeField
{
public:
    void read(const char* begin, const char* end, QuakeRecord& r)
    {
        const char* p = begin;
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (!digitsThen(p, end, 4, '-', year) || !digitsThen(p, end, 2, '-', month)
            || !digitsThen(p, end, 2, 'T', day) || !digitsThen(p, end, 2, ':', hour)
            || !digitsThen(p, end, 2, ':', minute))
            malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną datą i godziną"));
        int second = 0;
        const char* s = p;
        while (p < end && isDigit(*p) && p - s < 2)
            second = second * 10 + (*p++ - '0');
        if (p == s || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59)
            malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną datą i godziną"));
        int hundredths = 0;
        if (p < end && *p == '.') {
            ++p;
            int digits = 0;
            while (p < end && isDigit(*p)) {
                if (digits < 2)
                    hundredths = hundredths * 10 + (*p - '0');
                ++digits;
                ++p;
            }
            if (digits == 1)
                hundredths *= 10;
        }
        if (p < end && *p == 'Z')
            ++p;
        if (p != end)
            malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną datą i godziną"));

        // Rows come in time order, so most rows repeat the previous row's day.
        if (year != m_year || month != m_month || day != m_day) {
            if (day > daysInMonth(year, month))
                malformed(begin, end, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawną datą i godziną"));
            m_year = year;
            m_month = month;
            m_day = day;
            m_dayNumber = static_cast<double>(dayNumber(year, month, day));
        }
        r.OriginDate = m_dayNumber;
        r.OriginTime = (hour * 3600 + minute * 60 + second) / kSecondsPerDay;
        r.Hundredths = static_cast<std::uint8_t>(hundredths);
    }

private:
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
    double m_dayNumber = 0;
};

bool sameQuake(const QuakeRecord& a, const QuakeRecord& b)
{
    return a.OriginDate == b.OriginDate && a.OriginTime == b.OriginTime && a.Mag10 == b.Mag10
        && a.Depth10 == b.Depth10 && a.Longitude == b.Longitude && a.Latitude == b.Latitude;
}

enum class RowEnd { Read, CutOff };

// One pass over the reply, converting five fields per row into the work record and merging.
class ReplyParser
{
public:
    ReplyParser(const char* text, qsizetype length, Catalogue& catalogue, int startCount, bool matchFirst,
        ImportObserver& observer)
        : m_text(text)
        , m_end(text + length)
        , m_length(length)
        , m_catalogue(catalogue)
        , m_startCount(std::min(startCount, kCatalogueCapacity))
        , m_matchFirst(matchFirst)
        , m_observer(observer)
    {
    }

    AnalizaResult run(qsizetype startIndex)
    {
        AnalizaResult result;
        result.accepted = true;
        if (m_catalogue.ImportCount < 0)
            m_catalogue.ImportCount = 0;
        const char* q = m_text + startIndex;
        for (;;) {
            const auto* lf
                = static_cast<const char*>(std::memchr(q, '\n', static_cast<std::size_t>(m_end - q)));
            if (lf == nullptr)
                break;
            const char* row = lf + 1;
            if (row >= m_end)
                break;
            if (*row == '\n' || (*row == '\r' && row + 1 < m_end && row[1] == '\n')) {
                q = row; // a blank line holds no quake
                continue;
            }
            bool accepted = false;
            const char* magEnd = nullptr;
            if (readRow(row, accepted, magEnd) == RowEnd::CutOff)
                break;
            ++result.rowsRead;
            const int provisional = m_catalogue.importEnd() + (accepted ? 1 : 0);
            if (provisional % kProgressEvery == 0)
                m_observer.progress(provisional);
            if (accepted)
                place(result);
            q = magEnd;
            if ((q - m_text) + 1 >= m_length - kReplyTailLength)
                break;
        }
        return result;
    }

private:
    // Finds the end of the field starting at p: the next comma, or a line end for the last
    // field read. Returns nullptr when the text ends first.
    const char* fieldEnd(const char* p, const char* rowBegin, bool lastField) const
    {
        while (p < m_end) {
            const char c = *p;
            if (c == ',')
                return p;
            if (c == '\n') {
                if (lastField)
                    return p;
                malformed(
                    rowBegin, p, QT_TRANSLATE_NOOP("tremora::CsvImport", "poprawnym wierszem katalogu"));
            }
            ++p;
        }
        return nullptr;
    }

    RowEnd readRow(const char* row, bool& accepted, const char*& magEnd)
    {
        const char* timeEnd = fieldEnd(row, row, false);
        if (!timeEnd)
            return RowEnd::CutOff;
        const char* latEnd = fieldEnd(timeEnd + 1, row, false);
        if (!latEnd)
            return RowEnd::CutOff;
        const char* lonEnd = fieldEnd(latEnd + 1, row, false);
        if (!lonEnd)
            return RowEnd::CutOff;
        const char* depthEnd = fieldEnd(lonEnd + 1, row, false);
        if (!depthEnd)
            return RowEnd::CutOff;
        magEnd = fieldEnd(depthEnd + 1, row, true);
        if (!magEnd)
            return RowEnd::CutOff;

        QuakeRecord r;
        m_time.read(row, timeEnd, r);
        r.Latitude = coordinate(timeEnd + 1, latEnd);
        r.Longitude = coordinate(latEnd + 1, lonEnd);
        int d10 = depth10(lonEnd + 1, depthEnd);
        if (d10 > kMaxDepth10) {
            m_observer.warning(translated(kDepthCorrectedText));
            d10 = kMaxDepth10;
        }
        r.Depth10 = static_cast<std::uint16_t>(d10);
        const char* magBegin = depthEnd + 1;
        const char* magTextEnd = magEnd;
        if (magTextEnd > magBegin && magTextEnd[-1] == '\r')
            --magTextEnd;
        int m10 = kRejectedMagnitude;
        if (magTextEnd > magBegin)
            m10 = mag10(magBegin, magTextEnd);
        r.Mag10 = m10 != kRejectedMagnitude ? static_cast<std::uint8_t>(m10) : 0;
        // A row no real earthquake could give (a latitude past the pole, a magnitude above 10,0,
        // a date outside 1900-2100) is passed over like one without a magnitude: the catalogue
        // would take it for damage when it is next read.
        accepted = m10 != kRejectedMagnitude && isSoundRecord(r);
        m_catalogue.WorkRecord() = r;
        return RowEnd::Read;
    }

    // Places the work record; past the last slot it waits in the catalogue's overflow.
    void place(AnalizaResult& result)
    {
        const QuakeRecord& work = m_catalogue.WorkRecord();
        if (m_matchFirst) {
            const int lowest = std::max(1, m_startCount - (kMatchWindow - 1));
            for (int k = m_startCount; k >= lowest; --k) {
                if (sameQuake(work, m_catalogue[k])) {
                    m_catalogue.ImportCount = k;
                    m_matchFirst = false;
                    result.matched = true;
                    break;
                }
            }
            return;
        }
        m_catalogue.appendImported(work);
        ++result.rowsPlaced;
    }

    const char* m_text;
    const char* m_end;
    qsizetype m_length;
    Catalogue& m_catalogue;
    int m_startCount;
    bool m_matchFirst;
    ImportObserver& m_observer;
    TimeField m_time;
};

} // namespace

bool isServiceReply(const QByteArray& head)
{
    return head.startsWith(kServiceHeader);
}

bool isSearchLimitReply(const QByteArray& body)
{
    return body.contains(kSearchLimitText);
}

ReplyKind classifyReply(QIODevice& reply, int status)
{
    // The service answers a period without events with "204 No Content".
    if (reply.size() == 0 && status == kHttpNoContent)
        return ReplyKind::NoEvents;
    const QByteArray head = reply.read(kReplyHeadBytes);
    if (isServiceReply(head))
        return ReplyKind::Catalogue;
    if (reply.atEnd() && isSearchLimitReply(head))
        return ReplyKind::SearchLimit;
    return ReplyKind::Other;
}

AnalizaResult Analiza(
    const QByteArray& reply, Catalogue& catalogue, int StartCount, bool MatchFirst, ImportObserver& observer)
{
    const qsizetype length = reply.size();
    qsizetype start = -1;
    if (isServiceReply(reply)) {
        // The service's own header: a month with few or no quakes is short but valid.
        start = 0;
    } else {
        const qsizetype marker = reply.indexOf(kHeaderMarker);
        const qsizetype position = marker + 1; // 1-based
        if (marker >= 0 && position < length - kReplyTailLength && length >= kMinReplyLength)
            start = marker;
    }
    if (start < 0) {
        const QString text = translated(kEmptyReplyText);
        observer.log(text);
        observer.warning(text);
        return {};
    }
    ReplyParser parser(reply.constData(), length, catalogue, StartCount, MatchFirst, observer);
    return parser.run(start);
}

AnalizaResult AnalizaFile(
    const QString& path, Catalogue& catalogue, int StartCount, bool MatchFirst, ImportObserver& observer)
{
    QFile file(path);
    QByteArray reply;
    qint64 size = 0;
    if (file.open(QIODevice::ReadOnly)) {
        size = file.size();
        observer.log(translated(QT_TRANSLATE_NOOP("tremora::CsvImport", "Wielkość: %1 bajtów")).arg(size));
        reply = file.readAll();
        file.close();
    } else {
        observer.log(translated(QT_TRANSLATE_NOOP("tremora::CsvImport", "Wielkość: %1 bajtów")).arg(size));
    }
    observer.log(translated(QT_TRANSLATE_NOOP("tremora::CsvImport", "Długość ciągu danych: %1 Bajtów"))
                     .arg(reply.size()));
    const AnalizaResult result = Analiza(reply, catalogue, StartCount, MatchFirst, observer);
    if (!result.accepted)
        QFile::remove(path);
    return result;
}

} // namespace tremora
