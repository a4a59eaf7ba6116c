// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "map/ShownQuakes.h"
#include "places/PlaceList.h"
#include "table/ReportRow.h"
#include "table/ReportTableModel.h"

#include <QDir>
#include <QString>

namespace tremora
{

/// The state the whole program shares beyond its controls: the catalogue, the place list, the
/// earthquakes shown last, the rows of the report table with the energy totals of their listing,
/// and the texts of the selected table row. One object per window, handed to every controller by
/// reference.
struct ProgramState {
    /// Folder of the program's files (catalogue, place list, map pictures, downloads).
    QDir workDir = QDir::current();
    /// Path of one of the program's files in the working folder.
    QString path(const QString& fileName) const { return workDir.filePath(fileName); }

    Catalogue catalogue;

    /// The places named in the report table, loaded at start-up and then only read.
    PlaceList placeList;

    ShownQuakeList ShownQuakes; // earthquakes shown last; the blinking redraws them

    /// The rows of the report table (ControlPanel1 shows them) and their writer.
    ReportTableModel reportRows;
    ReportRowFormatter rowFormatter;

    /// Appends the row of catalogue record n (1-based) to the report table and adds its energy
    /// to the totals; the place column names the nearest place in `language`. A record of
    /// magnitude 0, or an index outside the catalogue, adds nothing. The only way rows enter the
    /// table.
    void Wysw_tab1(int n, PlaceLanguage language);

    /// What a new listing empties besides the energy totals, which always start again from zero.
    enum class Emptied { TableAndShownList, Table, ShownList };
    /// A new listing begins: the energy totals go back to zero, and the table's rows, the shown
    /// list or both are emptied (a chart keeps the table; the listing of the last days keeps the
    /// map's list).
    void clearListing(Emptied emptied = Emptied::TableAndShownList);

    /// The oldest `count` records of the catalogue gave way to newer ones: every index held here
    /// moves down with its record, so the warning check neither misses nor repeats one.
    void oldestRecordsGaveWay(int count);

    double EnergySumJ = 0;
    double EnergySumWh = 0;
    int LastAlertIndex = 0; // the warning checks have examined the records up to here
    int PendingAlertIndex = 0; // oldest record written by updates but not yet checked; 0: none
    QString SelectedLonText = QStringLiteral("0");
    QString SelectedLatText = QStringLiteral("0");
    QString SelectedMagText;
};

} // namespace tremora
