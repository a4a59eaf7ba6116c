// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AlertCheck.h"

#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "table/NumberText.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace tremora
{

namespace
{

constexpr double kTenth = 10.0;

} // namespace

QString AlertLine(const QuakeRecord& r)
{
    return QCoreApplication::translate("tremora::AlertCheck", "%1 %2 Mag.: %3  %4,  %5, Głęb.: %6")
        .arg(dateText(r.OriginDate), timeText(r.OriginTime), FixedText(r.Mag10 / kTenth),
            FixedText(r.Latitude), FixedText(r.Longitude), FixedText(r.Depth10 / kTenth));
}

SearchCriteria alertCriteria(const SearchBoxes& boxes, bool anyCriterion)
{
    // Every day counts: the day limits are as wide as a day number goes.
    constexpr double kAnyDay = std::numeric_limits<double>::max();
    return searchCriteria(boxes, -kAnyDay, kAnyDay, anyCriterion);
}

int alertStart(int lastAlertIndex, int firstWritten)
{
    int first = lastAlertIndex + 1;
    if (firstWritten > 0)
        first = std::min(first, firstWritten);
    return std::max(first, 1);
}

void AlertLedger::settle(const Catalogue& catalogue)
{
    // An update can write again only records among the newest it matches against.
    m_seen.clear();
    const QuakeRecord* records = catalogue.slots();
    for (int i = std::max(1, catalogue.CatalogueCount - kMatchWindow + 1); i <= catalogue.CatalogueCount; ++i)
        m_seen.insert(keyOf(records[i]));
}

std::vector<int> AlertLedger::check(const Catalogue& catalogue, int first, const SearchCriteria& criteria)
{
    std::vector<int> matches;
    const QuakeRecord* records = catalogue.slots();
    for (int i = std::max(first, 1); i <= catalogue.CatalogueCount; ++i) {
        const QuakeRecord& r = records[i];
        if (!m_seen.contains(keyOf(r)) && MatchesSearch(r, criteria))
            matches.push_back(i);
    }
    settle(catalogue);
    return matches;
}

} // namespace tremora
