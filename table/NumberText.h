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

/// Room FixedText's text always fits in: a sign, 19 whole digits, the comma and four decimals.
inline constexpr int kFixedTextRoom = 32;

/// FixedText written as Latin-1 bytes from `out` on, for writers that build long lines in a byte
/// buffer; `out` needs kFixedTextRoom bytes of room. Returns the end of what was written.
char* writeFixedText(char* out, double x);

/// Nearest whole number, an exact half going to the even neighbour, whatever the FPU mode.
double roundHalfEven(double v);

/// The value rounded to d decimals first (ties to even), then written by FixedText:
/// RoundedText(63.0957, 2) is "63,1", RoundedText(1.9953, 2) is "2".
QString RoundedText(double x, int d);

} // namespace tremora
