// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/SlicedWalk.h"

#include "gui/widgets/StatusBar.h"
#include "platform/ConversionError.h"
#include "state/ProgramEvents.h"

namespace tremora
{

SlicedWalk::SlicedWalk(Dialogs& dialogs, ProgramEvents& events, StatusBar& bar)
    : m_dialogs(dialogs)
    , m_events(events)
    , m_bar(bar)
{
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, &SlicedWalk::runSlice);
    connect(&m_events, &ProgramEvents::walkStarted, this, &SlicedWalk::otherWalkStarted);
    connect(&m_events, &ProgramEvents::replayStarted, this, &SlicedWalk::stop);
    connect(&m_events, &ProgramEvents::catalogueReloaded, this, &SlicedWalk::catalogueReloaded);
}

SlicedWalk::~SlicedWalk()
{
    m_next.stop();
}

void SlicedWalk::start(std::function<Walk()> begin)
{
    stop();
    Q_EMIT m_events.walkStarted(this);
    m_begin = std::move(begin);
    m_sinceStart.start();
    m_walk = m_begin();
    runSlice();
}

void SlicedWalk::runSlice()
{
    if (!running())
        return;
    Progress progress;
    // A slice that fails (an error box has said why) ends the walk.
    if (!guarded(m_dialogs, [&] { progress = m_walk.slice(); })) {
        stop();
        return;
    }
    if (!progress.through) {
        const bool due = m_sinceShown.isValid() ? m_sinceShown.elapsed() >= kShowProgressMs
                                                : m_sinceStart.elapsed() >= kShowAfterMs;
        if (due) {
            m_sinceShown.start();
            // The bar holds ints; a share is what it shows.
            constexpr qint64 kScale = 10'000;
            const qint64 done = progress.total > 0 ? progress.done * kScale / progress.total : 0;
            m_bar.showProgress(static_cast<int>(done), static_cast<int>(kScale));
        }
        m_next.start();
        return;
    }
    // What the walk filled is complete before its finish looks at it.
    const std::function<void()> finish = std::move(m_walk.finish);
    end();
    guarded(m_dialogs, finish);
}

void SlicedWalk::stop()
{
    if (running())
        end();
}

void SlicedWalk::end()
{
    m_next.stop();
    // The slice owns what the walk held open (the table's batch of rows): letting it go shows them.
    m_walk = {};
    m_begin = {};
    if (m_sinceShown.isValid())
        m_bar.hideProgress();
    m_sinceShown.invalidate();
}

void SlicedWalk::otherWalkStarted(const QObject* walk)
{
    if (walk != this)
        stop();
}

void SlicedWalk::catalogueReloaded()
{
    if (!running())
        return;
    m_next.stop();
    // What the old walk held open goes first: the new one empties it.
    m_walk = {};
    m_walk = m_begin();
    m_next.start();
}

} // namespace tremora
