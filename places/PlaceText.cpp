// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceText.h"

#include "places/PlaceFile.h"
#include "platform/ConversionError.h"
#include "platform/FourDecimals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tremora
{

namespace
{

constexpr int kPointFields = 3; // code, latitude, longitude
constexpr int kNameFields = 4; // Polish name, English name, code, code3
constexpr int kShownFieldChars = 40;

struct Field {
    QByteArray bytes;
    int line = 1;
};

/// Cuts text into fields ended by separator or LF (and by the end of the text), dropping CR;
/// stops after maxFields fields.
std::vector<Field> splitFields(QByteArrayView text, char separator, std::size_t maxFields = SIZE_MAX)
{
    std::vector<Field> fields;
    Field current;
    int line = 1;
    for (const char c : text) {
        if (c == separator || c == '\n') {
            fields.push_back(std::move(current));
            if (fields.size() >= maxFields)
                return fields;
            current = Field {};
            if (c == '\n')
                ++line;
            current.line = line;
        } else if (c != '\r') {
            current.bytes.append(c);
        }
    }
    fields.push_back(std::move(current));
    return fields;
}

/// A decimal number with "." or "," as the decimal point, optionally signed and surrounded by
/// blanks, rounded half away from zero to four decimals; nothing when it is not such a number
/// or too large to hold as a count of ten-thousandths.
std::optional<float> decimalValue(QByteArrayView field)
{
    qsizetype i = 0;
    qsizetype end = field.size();
    while (i < end && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    while (end > i && (field[end - 1] == ' ' || field[end - 1] == '\t'))
        --end;
    const FourDecimals number = readFourDecimals(
        std::string_view(field.data() + i, static_cast<std::size_t>(end - i)), DecimalPoint::DotOrComma);
    if (number.reading != FourDecimals::Reading::Number)
        return std::nullopt;
    // -110.8 is stored as -110.80000305..., the float nearest to it.
    return nearestFloat(number);
}

float numberField(const Field& field, const QString& fileName)
{
    if (const std::optional<float> value = decimalValue(field.bytes))
        return *value;
    QString shown = QString::fromUtf8(field.bytes);
    if (shown.size() > kShownFieldChars)
        shown = shown.left(kShownFieldChars) + QStringLiteral("…");
    throw ConversionError(QCoreApplication::translate(
        "tremora::PlaceText", "Plik %1, wiersz %2: „%3” nie jest poprawną liczbą dziesiętną.")
                              .arg(fileName)
                              .arg(field.line)
                              .arg(shown));
}

/// Whole contents of path; nothing when it does not exist (fileFound stays false) or cannot be read.
template <typename Result> std::optional<QByteArray> readText(const QString& path, Result& result)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    result.fileFound = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

struct FixedName {
    const char* code;
    const char* polish;
    const char* english;
};

// Codes whose names in the country list do not suit the places they stand for here.
constexpr FixedName kFixedNames[] = {
    { "AN", "Antyle Holenderskie", "Netherlands Antilles" },
    { "AP", "Chiny", "China" },
    { "EU", "Szwajcaria", "Switzerland" },
};

struct ExtraPlace {
    float latitude;
    float longitude;
    const char* code;
    const char* polish;
    const char* english;
};

// Regions a single point per country names badly: Poland's own centre, the active parts of the
// USA, western China and Kamchatka.
constexpr ExtraPlace kExtraPlaces[kExtraPlaceCount] = {
    { 52.0f, 17.0f, "PL", "Polska", "Poland" },
    { 38.0f, -119.0f, "US", "Kalifornia", "California" },
    { 44.5f, -110.8f, "US", "Yellowstone", "Yellowstone" },
    { 37.0f, -107.0f, "US", "Wielki Kanion", "Grand Canyon" },
    { 62.0f, -151.0f, "US", "Alaska", "Alaska" },
    { 38.0f, 77.0f, "CN", "Chiny", "China" },
    { 56.0f, 160.0f, "RU", "Kamczatka", "Kamchatka" },
};

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView kNoBreakSpace("\xC2\xA0");

} // namespace

QByteArray cutUtf8(const QByteArray& text, int maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    qsizetype cut = maxBytes;
    // Back off over continuation bytes (10xxxxxx) to the start of the character that was split.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.left(cut);
}

PlacePointsLoad Load_lokalizacje(PlaceList& places, const QString& path)
{
    PlacePointsLoad result;
    const std::optional<QByteArray> text = readText(path, result);
    if (!text)
        return result;

    const QString fileName = QFileInfo(path).fileName();
    // One group past the capacity is enough to tell that the text holds too many places.
    const std::vector<Field> fields = splitFields(*text, ',', std::size_t(kPlaceCapacity + 1) * kPointFields);
    const std::size_t groups = fields.size() / kPointFields;
    result.overCapacity = groups > std::size_t(kPlaceCapacity);

    int slot = 1;
    for (std::size_t g = 0; g < groups && slot <= kPlaceCapacity; ++g, ++slot) {
        const Field* group = &fields[g * kPointFields];
        PlaceRecord& place = places[slot];
        place.Code.assign(group[0].bytes);
        place.Latitude = numberField(group[1], fileName);
        place.Longitude = numberField(group[2], fileName);
    }
    places.PlaceCount = slot - 1;
    result.places = places.PlaceCount;
    return result;
}

PlaceNamesLoad Load_lokalizacje2(PlaceList& places, const QString& path)
{
    PlaceNamesLoad result;
    const std::optional<QByteArray> text = readText(path, result);
    if (!text)
        return result;

    // Only a real byte-order mark is skipped, so a list saved without one keeps its first name.
    QByteArrayView body(*text);
    if (body.startsWith(kUtf8Bom))
        body = body.sliced(kUtf8Bom.size());

    const int count = places.validCount();
    const std::vector<Field> fields = splitFields(body, '\t');
    const std::size_t groups = fields.size() / kNameFields;
    for (std::size_t g = 0; g < groups; ++g) {
        const Field* group = &fields[g * kNameFields];
        QByteArray polish = group[0].bytes;
        // Some Polish names come with a no-break space in front.
        if (polish.startsWith(kNoBreakSpace))
            polish.remove(0, kNoBreakSpace.size());
        const QByteArray& code = group[2].bytes;
        for (int slot = 1; slot <= count; ++slot) {
            PlaceRecord& place = places[slot];
            if (place.Code.bytes() != code)
                continue;
            place.Code3.assign(group[3].bytes);
            place.PolishName.assign(cutUtf8(polish, place.PolishName.kCapacity));
            place.EnglishName.assign(cutUtf8(group[1].bytes, place.EnglishName.kCapacity));
        }
    }
    result.groups = static_cast<int>(groups);

    for (const FixedName& fixed : kFixedNames) {
        for (int slot = 1; slot <= count; ++slot) {
            PlaceRecord& place = places[slot];
            if (place.Code.bytes() != fixed.code)
                continue;
            place.PolishName.assign(fixed.polish);
            place.EnglishName.assign(fixed.english);
        }
    }

    int slot = count;
    for (const ExtraPlace& extra : kExtraPlaces) {
        if (slot >= kPlaceCapacity) {
            ++result.notAppended;
            continue;
        }
        PlaceRecord& place = places[++slot];
        place = PlaceRecord {};
        place.Latitude = extra.latitude;
        place.Longitude = extra.longitude;
        place.Code.assign(extra.code);
        place.PolishName.assign(extra.polish);
        place.EnglishName.assign(extra.english);
        ++result.appended;
    }
    places.PlaceCount = slot;
    return result;
}

PlaceRebuild rebuildPlaceFile(const QString& textFolder, const QString& outFile)
{
    PlaceRebuild result;
    const QDir folder(textFolder);
    const QString pointsPath = folder.filePath(QString::fromLatin1(kPlacePointsFileName));
    const QString namesPath = folder.filePath(QString::fromLatin1(kPlaceNamesFileName));
    const auto cannotRead = [](const QString& path, const QString& error) {
        return error.isEmpty()
            ? QCoreApplication::translate("tremora::PlaceText", "Brak pliku %1.")
                  .arg(QDir::toNativeSeparators(path))
            : QCoreApplication::translate("tremora::PlaceText", "Nie można odczytać pliku %1: %2")
                  .arg(QDir::toNativeSeparators(path), error);
    };

    // The list is built from scratch, so nothing of the running program's list leaks into the file.
    auto places = std::make_unique<PlaceList>();
    PlacePointsLoad points;
    try {
        points = Load_lokalizacje(*places, pointsPath);
    } catch (const ConversionError& e) {
        result.message = e.message();
        return result;
    }
    if (!points.fileFound || !points.error.isEmpty()) {
        result.message = cannotRead(pointsPath, points.error);
        return result;
    }
    const PlaceNamesLoad names = Load_lokalizacje2(*places, namesPath);
    if (!names.fileFound || !names.error.isEmpty()) {
        result.message = cannotRead(namesPath, names.error);
        return result;
    }

    const PlaceFileSave saved = SavePlaceList(*places, outFile);
    if (!saved.ok) {
        result.message = QCoreApplication::translate("tremora::PlaceText", "Nie można zapisać pliku %1: %2")
                             .arg(QDir::toNativeSeparators(outFile), saved.error);
        return result;
    }
    result.ok = true;
    result.placeCount = places->PlaceCount;
    result.message
        = QCoreApplication::translate("tremora::PlaceText", "Zapisano plik %1 (liczba miejsc: %2).")
              .arg(QDir::toNativeSeparators(outFile))
              .arg(result.placeCount);
    if (points.overCapacity || names.notAppended > 0)
        result.message += QCoreApplication::translate("tremora::PlaceText",
            " Lista jest pełna (%1 miejsc): pominięto miejsca, które się nie zmieściły.")
                              .arg(kPlaceCapacity);
    return result;
}

} // namespace tremora
