// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"

namespace tremora
{

Catalogue::Catalogue()
    : m_slots(std::make_unique<QuakeRecord[]>(kCatalogueSlots))
{
}

} // namespace tremora
