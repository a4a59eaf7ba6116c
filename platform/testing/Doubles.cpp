// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/Doubles.h"

#include <QTimer>

#include <cmath>

namespace tremora::fakes
{

double FixedClock::today() const
{
    return std::floor(m_now);
}

AnsweredDownload::AnsweredDownload(std::function<bool()> respond, int status)
    : m_respond(std::move(respond))
    , m_status(status)
{
    QTimer::singleShot(0, this, [this] {
        const bool received = !m_aborted && m_respond && m_respond() && !m_aborted;
        Q_EMIT finished(received, received ? m_status : 0);
    });
}

Download* ScriptedDownloader::download(const QString& url, const QString& filePath)
{
    urls << url;
    return new AnsweredDownload(
        [this, url, filePath] { return m_answer ? m_answer(url, filePath) : false; }, status);
}

void NoPause::after(int milliseconds, QObject* context, std::function<void()> then)
{
    total += milliseconds;
    if (hold) {
        m_held.emplace_back(context, std::move(then));
        return;
    }
    QTimer::singleShot(0, context, std::move(then));
}

void NoPause::release()
{
    hold = false;
    for (auto& [context, then] : std::exchange(m_held, {}))
        if (context)
            QTimer::singleShot(0, context, std::move(then));
}

} // namespace tremora::fakes

namespace tremora::fakes
{

std::vector<std::uint32_t> RecordingMidiOut::messages() const
{
    std::vector<std::uint32_t> out;
    for (std::uint32_t word : calls)
        if (word < kOpened)
            out.push_back(word);
    return out;
}

} // namespace tremora::fakes
