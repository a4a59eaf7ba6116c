// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueFile.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>

#include <algorithm>

namespace tremora
{

namespace
{

constexpr qint64 kRecordBytes = qint64(sizeof(QuakeRecord));
// Records are checked piece by piece as they arrive, while the piece is still in the cache.
constexpr qint64 kReadPieceBytes = (qint64(1) << 20) / kRecordBytes * kRecordBytes;

FilePiece recordsPiece(const QuakeRecord* first, qint64 count)
{
    return { reinterpret_cast<const char*>(first), std::max<qint64>(count, 0) * kRecordBytes };
}

SaveResult saveResult(const WholeFileWrite& written)
{
    SaveResult result;
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace

LoadResult LoadCatalogue(Catalogue& catalogue)
{
    catalogue.CatalogueCount = 0;
    QFile file(catalogue.CatalogueFileName);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult result;
        result.fileFound = true;
        result.error = file.errorString();
        return result;
    }
    return LoadCatalogueFrom(catalogue, file);
}

LoadResult LoadCatalogueFrom(Catalogue& catalogue, QIODevice& file)
{
    LoadResult result;
    result.fileFound = true;
    catalogue.CatalogueCount = 0;

    result.recordsInFile = file.size() / kRecordBytes;
    const qint64 toLoad = std::min<qint64>(result.recordsInFile, kCatalogueCapacity);
    result.overCapacity = result.recordsInFile > kCatalogueCapacity;
    // A catalogue follows today's earthquakes: what does not fit are the oldest.
    if (result.overCapacity && !file.seek((result.recordsInFile - toLoad) * kRecordBytes)) {
        result.error = file.errorString();
        return result;
    }

    const qint64 bytes = toLoad * kRecordBytes;
    QuakeRecord* records = catalogue.slots() + 1;
    auto* target = reinterpret_cast<char*>(records);
    qint64 done = 0;
    qint64 checked = 0; // records read and checked
    qint64 kept = 0; // sound records, moved down over the damaged ones
    while (done < bytes) {
        const qint64 want = std::min(kReadPieceBytes, bytes - done);
        const qint64 got = std::max<qint64>(readFully(file, target + done, want), 0);
        done += got;
        for (const qint64 whole = done / kRecordBytes; checked < whole; ++checked) {
            if (!isSoundRecord(records[checked]))
                continue;
            if (kept != checked)
                records[kept] = records[checked];
            ++kept;
        }
        if (got < want)
            break;
    }
    if (done < bytes) {
        result.error = file.errorString();
        if (result.error.isEmpty() || result.error == QStringLiteral("Unknown error"))
            result.error = QCoreApplication::translate("tremora::CatalogueFile", "odczytano %1 z %2 bajtów")
                               .arg(done)
                               .arg(bytes);
    }

    // A last record the file holds only in part is damaged like any other.
    const bool partRecord = file.size() % kRecordBytes != 0;
    result.damaged = static_cast<int>(checked - kept) + (partRecord ? 1 : 0);
    result.loaded = static_cast<int>(kept);
    catalogue.CatalogueCount = result.loaded;
    return result;
}

SetAside setAsideDamagedFile(const QString& fileName, const QDate& day)
{
    SetAside result;
    const QString base = fileName + QString::fromLatin1(kDamagedSuffix) + day.toString(Qt::ISODate);
    QString target = base;
    for (int n = 2; QFile::exists(target); ++n)
        target = base + QLatin1Char('-') + QString::number(n);
    QFile file(fileName);
    if (!file.rename(target)) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    result.path = target;
    return result;
}

SaveResult SaveCatalogue(const Catalogue& catalogue)
{
    const int count = std::clamp(catalogue.CatalogueCount, 0, kCatalogueCapacity);
    const FilePiece records = recordsPiece(catalogue.slots() + 1, count);
    return saveResult(writeWholeFile(catalogue.CatalogueFileName, records.data, records.size));
}

SaveResult SaveImport(const Catalogue& catalogue)
{
    const std::span<const QuakeRecord> overflow = catalogue.overflow();
    const int count = std::clamp(catalogue.ImportCount, 0, kCatalogueCapacity);
    const auto waiting = std::min<qint64>(qint64(overflow.size()), count);
    const FilePiece pieces[] = {
        recordsPiece(catalogue.slots() + 1 + waiting, count - waiting),
        recordsPiece(overflow.data(), waiting),
    };
    return saveResult(writeWholeFile(catalogue.CatalogueFileName, pieces));
}

} // namespace tremora
