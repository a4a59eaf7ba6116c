// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueFile.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace tremora {

LoadResult LoadCatalogue(Catalogue& catalogue)
{
    LoadResult result;
    catalogue.CatalogueCount = 0;

    QFile file(catalogue.CatalogueFileName);
    if (!file.exists())
        return result;
    result.fileFound = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }

    result.recordsInFile = file.size() / qint64(sizeof(QuakeRecord));
    const qint64 toLoad = std::min<qint64>(result.recordsInFile, kCatalogueCapacity);
    result.overCapacity = result.recordsInFile > kCatalogueCapacity;

    const qint64 bytes = toLoad * qint64(sizeof(QuakeRecord));
    auto* target = reinterpret_cast<char*>(catalogue.slots() + 1);
    qint64 done = 0;
    while (done < bytes) {
        const qint64 got = file.read(target + done, bytes - done);
        if (got <= 0)
            break;
        done += got;
    }
    if (done < bytes)
        result.error = file.errorString();

    result.loaded = static_cast<int>(done / qint64(sizeof(QuakeRecord)));
    catalogue.CatalogueCount = result.loaded;
    return result;
}

SaveResult SaveCatalogue(const Catalogue& catalogue)
{
    SaveResult result;
    QSaveFile file(catalogue.CatalogueFileName);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    const int count = std::clamp(catalogue.CatalogueCount, 0, kCatalogueCapacity);
    const qint64 bytes = qint64(count) * qint64(sizeof(QuakeRecord));
    const auto* source = reinterpret_cast<const char*>(catalogue.slots() + 1);
    if (bytes > 0 && file.write(source, bytes) != bytes) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    // commit() flushes to disk and renames the temporary file over the old one.
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace tremora
