// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueFile.h"

#include <QObject>

namespace tremora
{

/// The notifier through which the controllers of the window tell each other what happened.
/// Controllers hold the window, the state and this object, never one another: an area that must
/// react to another connects to the signal here, and the area that acts emits it. A signal says
/// what happened; what follows for a controller's own timers and controls, it decides itself.
class ProgramEvents final : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    /// The catalogue was loaded anew from its file; record indices may have changed.
    void catalogueReloaded(const tremora::LoadResult& result);
    /// An update wrote records into the catalogue: those from index `firstWritten` on (after the
    /// oldest gave way) may be new. `rebuild`: the catalogue was built anew from its first month.
    void recordsArrived(int firstWritten, bool rebuild);
    /// An update began (true), writing into the catalogue until it ends (false): in between the
    /// slots hold a half-taken import, which only the update itself may read.
    void catalogueUpdating(bool updating);
    /// A long job began that walks the whole catalogue (the map display of a period).
    void longJobStarted();
    /// The long job ended, however it ended.
    void longJobEnded();
    /// A walk over the catalogue began that fills the shown list, the report table, the log or a
    /// chart, a slice at a time (`walk` is the one that began): any other still running ends
    /// where it stands, as the two would fill the same things.
    void walkStarted(const QObject* walk);
    /// The user chose a day on the calendar to look at.
    void calendarDayChosen();
    /// A listing took the window over (the filtered listing, a chart): whatever was waiting to show
    /// the day instead is no longer wanted.
    void listingTookOver();
    /// The day of the calendar should be shown on the map (after the start-up update).
    void calendarDayRequested();
    /// A listing of the report table ended; its energy totals are in the state.
    void listingFinished();
    /// "Wyczyść" without the button: the log, the marks and the shown list are to be emptied.
    void mapClearRequested();
    /// The list of the earthquakes shown last was refilled.
    void shownQuakesChanged();
    /// A table row's selection changed (either way).
    void rowSelectionChanged();
    /// A table row was selected with the automatic location picture on: show the picture of
    /// its point (already converted from the row's texts).
    void rowPictureRequested(float lon, float lat);
    /// A replay began; it draws on the map for its length.
    void replayStarted();
    /// A replay ran to its end, or was ended.
    void replayFinished();

    /// The program's language changed: texts an area keeps showing are to be put into it.
    void languageChanged();
    /// The map picture became `file` of the working folder; empty for the built-in map.
    void mapPictureShown(const QString& file);
    /// The remembered settings are back at the defaults of the first start: areas that derive
    /// something from them (the update interval, the map picture) do so again.
    void defaultsRestored();
};

} // namespace tremora
