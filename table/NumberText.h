// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// Decimal separator of every number the program writes; the texts do not follow the system locale.
inline constexpr char kDecimalSeparator = ',';
/// Text written for a value that has no fixed-point form (NaN, infinite, too large).
inline constexpr char kNoNumberText = '-';

/// How every decimal number shown to the user is written: the value is rounded to four decimals
/// (ties to even) as a signed 64-bit fixed-point number and written in the shortest form, with a
/// comma and no trailing zeros: 63,1; 2; -0,0001. A value outside the fixed-point range (about
/// +-9.2e14), NaN or infinity is written as "-".
QString FixedText(double x);

/// The value rounded to d decimals first (ties to even), then written by FixedText:
/// RoundedText(63.0957, 2) is "63,1", RoundedText(1.9953, 2) is "2".
QString RoundedText(double x, int d);

} // namespace tremora
