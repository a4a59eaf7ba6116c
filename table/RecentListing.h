// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <QtGlobal>

#include <functional>

namespace tremora
{

/// The most records one listing of the report table visits.
inline constexpr int TableRowLimit = 30'000;
/// Warning shown (translated) when a listing stops at TableRowLimit records.
inline constexpr const char* kTableRowLimitMessage
    = QT_TRANSLATE_NOOP("tremora::RecentListing", "Limit ilości danych w oknie wynosi 30 000 pozycji.");

/// Walks the catalogue from the newest record down, as the listing of the last days does: the
/// newest record is always visited, every further one only while its day is not before
/// `cutoff`, and at most `limit` records in all. `visit` gets each record's index and the count
/// of records visited so far, this one included. Returns that count (0 for an empty catalogue).
int walkRecentRecords(const Catalogue& catalogue, double cutoff, int limit,
    const std::function<void(int index, int visited)>& visit);

/// Where a walk of walkRecentRecords stands when it goes a part at a time.
struct RecentWalk {
    int next = -1; // the record visited next; none chosen before the first part
    int visited = 0;
    bool through = false;
};

/// Goes on with `walk` as walkRecentRecords would, for at most `visits` further records.
void continueRecentWalk(const Catalogue& catalogue, double cutoff, int limit, int visits, RecentWalk& walk,
    const std::function<void(int index, int visited)>& visit);

} // namespace tremora
