// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceFile.h"
#include "platform/WholeFile.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace tremora
{

namespace
{
constexpr qint64 kRecordSize = sizeof(PlaceRecord);
}

PlaceFileLoad LoadPlaceList(PlaceList& places, const QString& fileName)
{
    PlaceFileLoad result;
    places.PlaceCount = 0;

    QFile file(fileName);
    if (!file.exists())
        return result;
    result.fileFound = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }

    const qint64 size = file.size();
    result.recordsInFile = size / kRecordSize;
    result.shortLastRecord = size % kRecordSize != 0;
    result.overCapacity = result.recordsInFile > kPlaceCapacity;
    const qint64 bytes = std::min<qint64>(result.recordsInFile, kPlaceCapacity) * kRecordSize;

    auto* target = reinterpret_cast<char*>(places.data());
    const qint64 done = readFully(file, target, bytes);
    if (done < bytes)
        result.error = file.errorString();

    result.loaded = static_cast<int>(done / kRecordSize);
    places.PlaceCount = result.loaded;
    return result;
}

PlaceFileSave SavePlaceList(const PlaceList& places, const QString& fileName)
{
    const int count = places.validCount();
    std::vector<PlaceRecord> records(places.data(), places.data() + count);
    for (PlaceRecord& record : records) {
        record.Code.clearUnused();
        record.Code3.clearUnused();
        record.PolishName.clearUnused();
        record.EnglishName.clearUnused();
        std::fill(std::begin(record.padding), std::end(record.padding), 0);
    }

    const qint64 bytes = qint64(count) * kRecordSize;
    const WholeFileWrite written
        = writeWholeFile(fileName, reinterpret_cast<const char*>(records.data()), bytes);
    PlaceFileSave result;
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace tremora
