// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Downloader.h"
#include "platform/MidiOut.h"
#include "platform/Pause.h"

#include <QString>

namespace tremora
{

/// The seams to the outside world, handed to every controller. Tests pass doubles.
struct Platform {
    Clock& clock;
    Dialogs& dialogs;
    Downloader& downloader;
    Pause& pause;
    /// Base URL of the event service, e.g. "https://earthquake.usgs.gov".
    QString eventHost;
    /// Base URL of the tile server.
    QString tileHost;
    /// The MIDI output; none means the system's (the first port, else the built-in synthesizer).
    MidiOut* midiOut = nullptr;
};

} // namespace tremora
