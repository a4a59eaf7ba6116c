// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/RecentListing.h"

#include <algorithm>

namespace tremora
{

int walkRecentRecords(const Catalogue& catalogue, double cutoff, int limit,
    const std::function<void(int index, int visited)>& visit)
{
    RecentWalk walk;
    continueRecentWalk(catalogue, cutoff, limit, std::max(limit, 0), walk, visit);
    return walk.visited;
}

void continueRecentWalk(const Catalogue& catalogue, double cutoff, int limit, int visits, RecentWalk& walk,
    const std::function<void(int index, int visited)>& visit)
{
    // A count past the capacity would walk outside the array.
    if (walk.next < 0)
        walk.next = std::clamp(catalogue.CatalogueCount, 0, kCatalogueCapacity);
    for (int n = 0; n < visits && !walk.through; ++n) {
        const int i = walk.next;
        if (i < 1 || walk.visited >= limit) {
            walk.through = true;
            break;
        }
        ++walk.visited;
        visit(i, walk.visited);
        // The catalogue is in ascending time order, so the first record before the cutoff ends it.
        walk.through = i == 1 || walk.visited >= limit || cutoff > catalogue[i - 1].OriginDate
            || cutoff > catalogue[i].OriginDate;
        walk.next = i - 1;
    }
}

} // namespace tremora
