// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <ostream>

// A failed comparison of texts shows the text itself rather than the bytes of the object.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace tremora::test
{

/// A text from a UTF-8 literal, so that expected texts with Polish letters read as they are shown.
inline QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace tremora::test
