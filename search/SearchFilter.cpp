// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/SearchFilter.h"

#include "platform/ConversionError.h"
#include "platform/FourDecimals.h"

#include <QCoreApplication>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tremora
{

namespace
{

// Tenths of a magnitude and of a kilometre of depth that the boxes accept.
constexpr std::int64_t kMaxMagnitude10 = 100;
constexpr std::int64_t kMaxDepth10 = 10'000;
constexpr float kMaxDegrees = 180.0f;
constexpr int kTenthsDecimals = 1;
constexpr int kDegreesDecimals = 4;
constexpr std::int64_t kTenth = 10;

QString translated(const char* text)
{
    return QCoreApplication::translate("tremora::SearchFilter", text);
}

ConversionError notANumber(const QString& text)
{
    return ConversionError(
        QCoreApplication::translate("tremora::SearchFilter", "'%1' nie jest poprawną wartością liczbową")
            .arg(text));
}

enum class Kind { Tenths, Degrees };

struct BoxRule {
    const char* name; // with its double quotes (UTF-8, shown translated)
    Kind kind;
    std::int64_t maxTenths;
    const char* rangeText; // UTF-8, shown translated
};

constexpr const char* kMagRange = QT_TRANSLATE_NOOP("tremora::SearchFilter", " - wartość do 10,0");
constexpr const char* kDepthRange = QT_TRANSLATE_NOOP("tremora::SearchFilter", " - wartość do 1000 km");
constexpr const char* kDegreesRange
    = QT_TRANSLATE_NOOP("tremora::SearchFilter", " - wartość między -180,0 a 180,0");

constexpr std::array<BoxRule, SearchBoxes::BoxCount> kRules { {
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Magnituda od\""), Kind::Tenths, kMaxMagnitude10,
        kMagRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Magnituda do\""), Kind::Tenths, kMaxMagnitude10,
        kMagRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Głębokość od\""), Kind::Tenths, kMaxDepth10,
        kDepthRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Głębokość do\""), Kind::Tenths, kMaxDepth10,
        kDepthRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Długość geograficzna od\""), Kind::Degrees, 0,
        kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Długość geograficzna do\""), Kind::Degrees, 0,
        kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Szerokość geograficzna od\""), Kind::Degrees, 0,
        kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Szerokość geograficzna do\""), Kind::Degrees, 0,
        kDegreesRange },
} };

// The warning criteria take the same checks under names of their own.
constexpr std::array<BoxRule, SearchBoxes::BoxCount> kAlertRules { {
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - magnituda\""), Kind::Tenths,
        kMaxMagnitude10, kMagRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - magnituda do\""), Kind::Tenths,
        kMaxMagnitude10, kMagRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - głębokość od\""), Kind::Tenths, kMaxDepth10,
        kDepthRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - głębokość do\""), Kind::Tenths, kMaxDepth10,
        kDepthRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - długość geograficzna od\""), Kind::Degrees,
        0, kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - długość geograficzna do\""), Kind::Degrees,
        0, kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - szerokość geograficzna od\""),
        Kind::Degrees, 0, kDegreesRange },
    { QT_TRANSLATE_NOOP("tremora::SearchFilter", "\"Ostrzeżenia - szerokość geograficzna do\""),
        Kind::Degrees, 0, kDegreesRange },
} };

// A magnitude or depth in tenths: a whole number typed counts as whole units.
std::int64_t tenths(const EditNumber& n)
{
    return n.DecimalCount == 0 ? std::int64_t { n.ScaledDigits } * kTenth : n.ScaledDigits;
}

// What a text that is no number ("5-") does: end the operation with the conversion error, or be
// named like any other fault of its box.
enum class NoNumber { Throws, IsAFault };

std::optional<QString> checkBox(const QString& text, const BoxRule& rule, NoNumber noNumber)
{
    const QString name = translated(rule.name);
    std::optional<EditNumber> n;
    try {
        n = spr_edit(text);
    } catch (const ConversionError&) {
        if (noNumber == NoNumber::Throws)
            throw;
    }
    if (!n)
        return QCoreApplication::translate("tremora::SearchFilter", "Błąd liczby w %1").arg(name);
    const int allowed = rule.kind == Kind::Tenths ? kTenthsDecimals : kDegreesDecimals;
    if (n->DecimalCount > allowed)
        return QCoreApplication::translate("tremora::SearchFilter", "Błąd przecinka w %1").arg(name);
    const bool inRange = rule.kind == Kind::Tenths
        ? tenths(*n) >= 0 && tenths(*n) <= rule.maxTenths
        : n->LastParsedValue >= -kMaxDegrees && n->LastParsedValue <= kMaxDegrees;
    if (!inRange)
        return name + translated(rule.rangeText);
    return std::nullopt;
}

int tenthsBound(const QString& text)
{
    const std::optional<EditNumber> n = spr_edit(text);
    if (!n)
        return 0;
    const std::int64_t t = tenths(*n);
    // Only an unchecked box can hold more, and its bound is never compared: clamping keeps the
    // conversion defined.
    return static_cast<int>(std::clamp<std::int64_t>(t, INT32_MIN, INT32_MAX));
}

float degreesBound(const QString& text)
{
    const std::optional<EditNumber> n = spr_edit(text);
    return n ? n->LastParsedValue : 0.0f;
}

} // namespace

std::optional<EditNumber> spr_edit(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::string s;
    s.reserve(static_cast<std::size_t>(text.size()));
    EditNumber n;
    int separators = 0;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const QChar c = text[i];
        const bool separator = c == u',' || c == u'.';
        if (!(c.isDigit() && c.unicode() < 0x80) && c != u'-' && !separator)
            return std::nullopt;
        if (separator && (i == 0 || i == last))
            return std::nullopt;
        if (separator) {
            ++separators;
            n.DecimalCount = static_cast<int>(last - i);
        }
        s.push_back(separator ? ',' : static_cast<char>(c.unicode()));
    }
    if (separators > 1)
        return std::nullopt;

    const FourDecimals value = readFourDecimals(s, DecimalPoint::DotOrComma);
    if (value.reading != FourDecimals::Reading::Number)
        throw notANumber(text);
    n.LastParsedValue = nearestFloat(value);

    std::string digits;
    for (char c : s)
        if (c != ',')
            digits.push_back(c);
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, n.ScaledDigits);
    if (ec != std::errc() || ptr != end)
        throw notANumber(text);
    return n;
}

namespace
{

std::optional<QString> firstFault(
    const SearchBoxes& boxes, const std::array<BoxRule, SearchBoxes::BoxCount>& rules, NoNumber noNumber)
{
    const std::array<bool, 4> checked { boxes.magnitude, boxes.depth, boxes.longitude, boxes.latitude };
    for (int box = 0; box < SearchBoxes::BoxCount; ++box) {
        if (!checked[static_cast<std::size_t>(box / 2)])
            continue;
        const auto i = static_cast<std::size_t>(box);
        if (std::optional<QString> fault = checkBox(boxes.texts[i], rules[i], noNumber))
            return fault;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> formularz1(const SearchBoxes& boxes)
{
    return firstFault(boxes, kRules, NoNumber::Throws);
}

std::optional<QString> alertBoxesFault(const SearchBoxes& boxes)
{
    // The warnings run on their own, after updates: a fault there ends no operation of the user's,
    // so every fault is named, with its box.
    return firstFault(boxes, kAlertRules, NoNumber::IsAFault);
}

SearchCriteria searchCriteria(const SearchBoxes& boxes, double from, double to, bool anyCriterion)
{
    SearchCriteria c;
    const auto& t = boxes.texts;
    c.magFrom = tenthsBound(t[SearchBoxes::MagFrom]);
    c.magTo = tenthsBound(t[SearchBoxes::MagTo]);
    c.depthFrom = tenthsBound(t[SearchBoxes::DepthFrom]);
    c.depthTo = tenthsBound(t[SearchBoxes::DepthTo]);
    c.lonFrom = degreesBound(t[SearchBoxes::LonFrom]);
    c.lonTo = degreesBound(t[SearchBoxes::LonTo]);
    c.latFrom = degreesBound(t[SearchBoxes::LatFrom]);
    c.latTo = degreesBound(t[SearchBoxes::LatTo]);
    c.dayFrom = std::floor(from);
    c.dayTo = std::floor(to);
    c.magnitude = boxes.magnitude;
    c.depth = boxes.depth;
    c.longitude = boxes.longitude;
    c.latitude = boxes.latitude;
    c.anyCriterion = anyCriterion;
    return c;
}

bool MatchesSearch(const QuakeRecord& r, const SearchCriteria& c)
{
    // Written so that a date that is no number (a damaged record) is outside every period.
    if (!(r.OriginDate >= c.dayFrom && r.OriginDate <= c.dayTo))
        return false;
    const bool mag = c.magnitude && c.magFrom <= r.Mag10 && r.Mag10 <= c.magTo;
    const bool depth = c.depth && c.depthFrom <= r.Depth10 && r.Depth10 <= c.depthTo;
    const bool lon = c.longitude && c.lonFrom <= r.Longitude && r.Longitude <= c.lonTo;
    const bool lat = c.latitude && c.latFrom <= r.Latitude && r.Latitude <= c.latTo;
    if (c.anyCriterion)
        return mag || depth || lon || lat;
    return (mag || !c.magnitude) && (depth || !c.depth) && (lon || !c.longitude) && (lat || !c.latitude);
}

} // namespace tremora
