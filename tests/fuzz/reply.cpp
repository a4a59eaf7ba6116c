// SPDX-License-Identifier: GPL-3.0-or-later
// The parse and merge of a reply of the event service, over arbitrary bytes, into a catalogue
// holding real records: either a small one (the merge matches against its newest records) or a
// full one (the rows past the last slot go to the overflow).
#include "catalogue/Catalogue.h"
#include "catalogue/CsvImport.h"
#include "catalogue/testing/QuietObserver.h"
#include "platform/ConversionError.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <vector>

using namespace tremora;

namespace
{

struct Seeded {
    Catalogue catalogue;
    std::vector<QuakeRecord> records;
};

Seeded& seeded()
{
    static Seeded* s = [] {
        auto* made = new Seeded;
        QuietObserver quiet;
        const QByteArray reply
            = fuzz::readAll(fuzz::testData(QStringLiteral("usgs/2017-10-14-fdsn-asc.csv")));
        Analiza(reply, made->catalogue, 0, false, quiet);
        const int n = made->catalogue.ImportCount;
        if (n < 101)
            std::abort(); // the seed data is missing
        made->records.assign(made->catalogue.slots() + 1, made->catalogue.slots() + 1 + n);
        return made;
    }();
    return *s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Seeded& s = seeded();
    Catalogue& c = s.catalogue;
    const int n = int(s.records.size());
    // The size picks the catalogue's shape, so the bytes stay the reply's own.
    const bool full = size % 3 == 0;
    const bool matchFirst = size % 2 == 0;
    const int first = full ? kCatalogueCapacity - n + 1 : 1;
    std::copy(s.records.begin(), s.records.end(), c.slots() + first);
    c.dropOverflow();
    c.CatalogueCount = full ? kCatalogueCapacity : n;
    c.ImportCount = c.CatalogueCount;
    const int startCount = c.CatalogueCount;

    QuietObserver quiet;
    const QByteArray reply = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const AnalizaResult result = Analiza(reply, c, startCount, matchFirst, quiet);
        if (result.rowsPlaced < 0 || result.rowsPlaced > result.rowsRead)
            std::abort();
    } catch (const ConversionError&) {
        // A malformed field ends the parse; that is an answer, not a fault.
    }
    if (c.ImportCount < 0 || c.ImportCount > kCatalogueCapacity)
        std::abort();
    if (!matchFirst && c.importEnd() < startCount)
        std::abort();
    for (int i = startCount + 1; i <= c.ImportCount; ++i) {
        const QuakeRecord& r = c[i];
        if (!isSoundRecord(r))
            std::abort();
    }
    return 0;
}
