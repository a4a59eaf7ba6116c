// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue file load over arbitrary bytes, and then everything that shows or lists a record
// over what it loaded: the log line, the table row with its nearest place and energies, the mark
// on the map, the search, the listing of recent days and the plan of the next update.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/DayNumber.h"
#include "catalogue/MonthPlan.h"
#include "map/MapProjection.h"
#include "map/MapSelection.h"
#include "map/MarkPainter.h"
#include "map/QuakeLogLine.h"
#include "places/PlaceList.h"
#include "places/PlaceText.h"
#include "search/SearchFilter.h"
#include "table/Energy.h"
#include "table/RecentListing.h"
#include "table/ReportRow.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QImage>

#include <cstdlib>

using namespace tremora;

namespace
{

struct World {
    Catalogue catalogue;
    PlaceList places;
    QImage map { 64, 32, QImage::Format_RGB32 };
    FittedSize fit = FittedMapSize(64, 32, 64, 32);
    SearchCriteria everything;
};

World& world()
{
    static World* w = [] {
        auto* made = new World;
        made->catalogue.CatalogueFileName = fuzz::scratchFile(QStringLiteral("Baza_USGS.dat"));
        Load_lokalizacje(made->places, fuzz::testData(QStringLiteral("places/Lokalizacje2.txt")));
        Load_lokalizacje2(made->places, fuzz::testData(QStringLiteral("places/Kraje2.txt")));
        SearchBoxes boxes;
        boxes.magnitude = boxes.depth = boxes.longitude = boxes.latitude = true;
        boxes.texts = { QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("1000"), QStringLiteral("-180"), QStringLiteral("180"), QStringLiteral("-90"),
            QStringLiteral("90") };
        made->everything = searchCriteria(boxes, dayNumber(1900, 1, 1), dayNumber(2100, 12, 31), false);
        return made;
    }();
    return *w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    World& w = world();
    Catalogue& c = w.catalogue;
    if (!fuzz::writeAll(c.CatalogueFileName, data, size))
        std::abort();
    const LoadResult load = LoadCatalogue(c);
    // Every record of the file, a last part-record included, is either loaded or counted damaged.
    const int records = int(size / sizeof(QuakeRecord)) + (size % sizeof(QuakeRecord) != 0 ? 1 : 0);
    if (load.loaded != c.CatalogueCount || c.CatalogueCount + load.damaged != records)
        std::abort();
    for (int i = 1; i <= c.CatalogueCount; ++i)
        if (!isSoundRecord(c[i]))
            std::abort();
    c.ImportCount = c.CatalogueCount;

    QuakeLogLine logLine;
    ReportRowFormatter rows;
    MarkCanvas canvas(w.map, w.fit, pointDivisor(kDefaultPointSize));
    const MagnitudeRange range;
    for (int i = 1; i <= c.CatalogueCount; ++i) {
        const QuakeRecord& r = c[i];
        (void)logLine.format(i, r);
        const QString place = Lok(w.places, r.Longitude, r.Latitude, PlaceLanguage::Polish);
        (void)rows.format(i, r, place, w.places.NearestPlaceDistance);
        (void)Przelicz_mag_J(r.Mag10);
        (void)Przelicz_mag_W(r.Mag10);
        (void)dateTimeText(r.OriginDate + r.OriginTime);
        (void)qDate(r.OriginDate);
        (void)MatchesSearch(r, w.everything);
        if (InMapMagnitudeRange(r.Mag10, range) && InMapPeriod(r.OriginDate, 0, 1e6))
            Poz(canvas, r.Mag10, kMarkYellow, r.Longitude, r.Latitude, kMarkRed);
    }
    if (c.CatalogueCount > 0) {
        const double newest = c.newest().OriginDate;
        walkRecentRecords(c, std::isfinite(newest) ? newest - 7 : 0, 100, [](int, int) {});
    }
    const UpdatePlan plan = planUpdate(c, dayNumber(2026, 12, 8));
    if (plan.months.size() > 12 * (2026 - 1973 + 1))
        std::abort();
    return 0;
}
