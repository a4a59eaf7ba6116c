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

} // namespace tremora
