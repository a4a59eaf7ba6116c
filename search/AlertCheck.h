// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "search/SearchFilter.h"

#include <QString>

#include <set>
#include <tuple>
#include <vector>

namespace tremora
{

/// The line a warning writes for one record: date, time, magnitude, latitude, longitude and depth
/// in kilometres, e.g. "2024-01-01 07:10:09 Mag.: 7,5  37,4874,  137,2629, Głęb.: 10".
QString AlertLine(const QuakeRecord& record);

/// The warning criteria as the boxes give them; no day limits. Throws as spr_edit.
SearchCriteria alertCriteria(const SearchBoxes& boxes, bool anyCriterion);

/// First catalogue index a warning check examines: the record after the last one examined, or
/// the oldest record the updates since then wrote when that lies lower (an earthquake the
/// service reports late sorts in before records already examined). `firstWritten` 0 means the
/// updates wrote nothing. Never below 1.
int alertStart(int lastAlertIndex, int firstWritten);

/// Which records the warning checks have seen. An update writes again the records after the one
/// it re-synchronises on, among the newest stored ones; such a record, seen before, is not news
/// whatever the criteria say now, and one reported is never reported again.
class AlertLedger
{
public:
    /// The newest records count as seen: those the catalogue holds at start-up, after a rebuild,
    /// and after each check.
    void settle(const Catalogue& catalogue);
    /// Indices from `first` to the catalogue's last record whose record was not seen before and
    /// meets the criteria, oldest first. Settles afterwards.
    std::vector<int> check(const Catalogue& catalogue, int first, const SearchCriteria& criteria);

private:
    using Key = std::tuple<double, double, float, float>; // date, time, latitude, longitude
    static Key keyOf(const QuakeRecord& r) { return { r.OriginDate, r.OriginTime, r.Latitude, r.Longitude }; }
    std::set<Key> m_seen;
};

} // namespace tremora
