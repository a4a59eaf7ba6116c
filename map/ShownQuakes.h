// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <cstdint>
#include <memory>

namespace tremora
{

/// Room of the list of earthquakes last shown.
inline constexpr int kShownCapacity = 30'000;
/// What the map display and the calendar day keep; the filtered listing keeps up to the room.
inline constexpr int kMapShownLimit = 10'000;

/// Interval of the shown list's blink: the longer the list, the slower, so that a tick's
/// repaint never crowds the window (250 ms up to 100 earthquakes, 1000 ms above 5000).
int blinkIntervalMs(int shownCount);

/// The earthquakes last shown (copies, slots 1 .. ShownCount), refilled by every display and read
/// by the blinking. Appending past a limit keeps nothing and says nothing.
class ShownQuakeList
{
public:
    ShownQuakeList();

    /// Keeps a copy when fewer than the limit are kept (the limit never exceeds the room);
    /// true when it was kept.
    bool append(const QuakeRecord& record, int limit);
    void clear() { ShownCount = 0; }

    /// Slot i, 1-based, 1 <= i <= ShownCount.
    const QuakeRecord& operator[](int i) const { return m_slots[static_cast<std::size_t>(i)]; }

    std::uint16_t ShownCount = 0;

private:
    std::unique_ptr<QuakeRecord[]> m_slots;
};

} // namespace tremora
