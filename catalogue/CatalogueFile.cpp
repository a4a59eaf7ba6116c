// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueFile.h"
#include "platform/WholeFile.h"

#include <QFile>

#include <algorithm>

namespace tremora
{

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
    const qint64 done = readFully(file, target, bytes);
    if (done < bytes)
        result.error = file.errorString();

    result.loaded = static_cast<int>(done / qint64(sizeof(QuakeRecord)));
    catalogue.CatalogueCount = result.loaded;
    return result;
}

SaveResult SaveCatalogue(const Catalogue& catalogue)
{
    const int count = std::clamp(catalogue.CatalogueCount, 0, kCatalogueCapacity);
    const qint64 bytes = qint64(count) * qint64(sizeof(QuakeRecord));
    const auto* source = reinterpret_cast<const char*>(catalogue.slots() + 1);
    const WholeFileWrite written = writeWholeFile(catalogue.CatalogueFileName, source, bytes);
    SaveResult result;
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace tremora
