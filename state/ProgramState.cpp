// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/ProgramState.h"

#include "table/Energy.h"

#include <algorithm>

namespace tremora
{

void ProgramState::Wysw_tab1(int n, PlaceLanguage language)
{
    if (n < 1 || n > catalogue.CatalogueCount || n > kCatalogueCapacity)
        return;
    const QuakeRecord& record = catalogue[n];
    if (record.Mag10 == 0)
        return;

    const QString place = Lok(placeList, record.Longitude, record.Latitude, language);
    reportRows.appendRow(rowFormatter.format(n, record, place, placeList.NearestPlaceDistance), record,
        placeList.NearestPlaceDistance);

    // A new row means no row is selected any more.
    SelectedLonText = QStringLiteral("0");
    SelectedLatText = QStringLiteral("0");

    const double joules = QuakeEnergyJ(record.Mag10);
    EnergySumJ += joules;
    EnergySumWh += joules / kSecondsPerHour;
}

void ProgramState::clearListing(Emptied emptied)
{
    if (emptied != Emptied::ShownList)
        reportRows.clear();
    if (emptied != Emptied::Table)
        ShownQuakes.clear();
    EnergySumJ = 0;
    EnergySumWh = 0;
}

void ProgramState::oldestRecordsGaveWay(int count)
{
    if (count <= 0)
        return;
    LastAlertIndex = std::max(LastAlertIndex - count, 0);
    // A pending record that gave way is gone; the check then starts at the first one left.
    if (PendingAlertIndex > 0)
        PendingAlertIndex = std::max(PendingAlertIndex - count, 1);
}

} // namespace tremora
