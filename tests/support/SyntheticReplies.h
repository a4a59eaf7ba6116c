// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace tremora::test
{

/// A reply of the event service holding `perDay` made-up events on each day of one month, oldest
/// first, in the service's CSV form.
QByteArray syntheticMonth(int year, int month, int perDay);

} // namespace tremora::test
