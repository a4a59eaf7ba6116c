// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CatalogueFile.h"

#include <QObject>

namespace tremora
{

/// The notifier through which the controllers of the window tell each other what happened.
/// Controllers hold the window, the state and this object, never one another: an area that must
/// react to another connects to the signal here, and the area that acts emits it.
class ProgramEvents final : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    /// The catalogue was loaded anew from its file; record indices may have changed.
    void catalogueReloaded(const tremora::LoadResult& result);
    /// An update of the catalogue began.
    void updateStarted();
    /// An update of the catalogue ended, however it ended.
    void updateFinished();
    /// An update wrote records into the catalogue: those from index `firstWritten` on (after the
    /// oldest gave way) may be new. `rebuild`: the catalogue was built anew from its first month.
    void recordsArrived(int firstWritten, bool rebuild);
    /// A display wants the automatic update held while it runs (Timer2 off).
    void autoUpdateHoldRequested();
    /// A display is through; the automatic update may run again (Timer2 on).
    void autoUpdateResumeRequested();
    /// A listing took the report over: Timer5's deferred update and day display are off.
    void timer5OffRequested();
    /// The day of the calendar should be shown on the map (after the start-up update).
    void calendarDayRequested();
    /// A listing of the report table ended; its energy totals are in the state.
    void listingFinished();
    /// "Wyczyść" without the button: the log, the marks and the shown list are to be emptied.
    void mapClearRequested();
    /// The list of the earthquakes shown last was refilled.
    void shownQuakesChanged();
    /// A table row was selected with the automatic location picture on: show the picture of
    /// its point (already converted from the row's texts).
    void rowPictureRequested(float lon, float lat);
    /// A replay began: the blinking stops for its length (Timer1 and Timer3 off).
    void replayStarted();
    /// A replay ran to its end: the shown earthquakes blink again (Timer3 on).
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
