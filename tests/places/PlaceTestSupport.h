// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "places/PlaceList.h"

#include <QByteArray>

namespace tremora::test
{

/// A place with the given point and names; the code is optional.
inline PlaceRecord place(float lat, float lon, const QByteArray& polish, const QByteArray& english = {},
    const QByteArray& code = {})
{
    PlaceRecord r;
    r.Latitude = lat;
    r.Longitude = lon;
    r.Code.assign(code);
    r.PolishName.assign(polish);
    r.EnglishName.assign(english);
    return r;
}

} // namespace tremora::test
