// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/Doubles.h"

#include <cmath>

namespace tremora::fakes
{

double FixedClock::today() const
{
    return std::floor(m_now);
}

bool ScriptedDownloader::download(const QString& url, const QString& filePath)
{
    urls << url;
    return m_answer ? m_answer(url, filePath) : false;
}

} // namespace tremora::fakes
