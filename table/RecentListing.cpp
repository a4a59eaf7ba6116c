// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/RecentListing.h"

#include <algorithm>

namespace tremora
{

int walkRecentRecords(const Catalogue& catalogue, double cutoff, int limit,
    const std::function<void(int index, int visited)>& visit)
{
    // A count past the capacity would walk outside the array.
    int i = std::clamp(catalogue.CatalogueCount, 0, kCatalogueCapacity);
    int visited = 0;
    while (i >= 1 && visited < limit) {
        ++visited;
        visit(i, visited);
        // The catalogue is in ascending time order, so the first record before the cutoff ends it.
        if (i == 1 || cutoff > catalogue[i - 1].OriginDate || cutoff > catalogue[i].OriginDate)
            break;
        --i;
    }
    return visited;
}

} // namespace tremora
