// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/ShownQuakes.h"

#include <algorithm>

namespace tremora
{

ShownQuakeList::ShownQuakeList()
    : m_slots(std::make_unique<QuakeRecord[]>(kShownCapacity + 1))
{
}

bool ShownQuakeList::append(const QuakeRecord& record, int limit)
{
    if (ShownCount >= std::min(limit, kShownCapacity))
        return false;
    ++ShownCount;
    m_slots[ShownCount] = record;
    return true;
}

int blinkIntervalMs(int shownCount)
{
    struct Step {
        int upTo;
        int ms;
    };
    static constexpr Step kSteps[] = { { 100, 250 }, { 500, 350 }, { 1000, 500 }, { 5000, 750 } };
    static constexpr int kLongListMs = 1000;
    for (const Step& step : kSteps) {
        if (shownCount <= step.upTo)
            return step.ms;
    }
    return kLongListMs;
}

} // namespace tremora
