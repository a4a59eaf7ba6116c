// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace tremora
{

class Dialogs;
class ProgramEvents;
class StatusBar;

/// A long walk over the catalogue (a listing, a chart) done a slice at a time between turns of
/// the event loop, so that the window repaints and answers while it runs. The first slice runs
/// at once: a walk that fits in one slice is through before start() returns. The status bar's
/// progress bar shows the share done while the walk runs.
///
/// One walk at a time in the whole window: starting one ends any other where it stands, as does
/// a replay. A catalogue loaded anew under a running walk (record indices may have moved) makes
/// it start again from its beginning.
class SlicedWalk final : public QObject
{
    Q_OBJECT
public:
    /// Where one slice left the walk: how far along of how much, and whether it is through.
    struct Progress {
        qint64 done = 0;
        qint64 total = 0;
        bool through = false;
    };
    /// A walk set up: its slices, each on from where the last stopped, and what runs once the
    /// last is through. Both share whatever the walk gathers.
    struct Walk {
        std::function<Progress()> slice;
        std::function<void()> finish;
    };

    /// Records a walk looks at in one slice, and rows of the report table it makes at most (each
    /// looks its nearest place up): a few milliseconds each in an optimised build.
    static constexpr int kSliceRecords = 65'536;
    static constexpr int kSliceRows = 2'048;
    /// A walk shows its progress once it has run this long (a short one never does: showing
    /// the bar lays the status bar out again), then every kShowProgressMs, not after every slice.
    static constexpr int kShowAfterMs = 250;
    static constexpr int kShowProgressMs = 100;

    SlicedWalk(Dialogs& dialogs, ProgramEvents& events, StatusBar& bar);
    ~SlicedWalk() override;
    SlicedWalk(const SlicedWalk&) = delete;
    SlicedWalk& operator=(const SlicedWalk&) = delete;

    /// Starts the walk `begin` sets up (emptying what it fills). `begin` runs again when the
    /// catalogue is loaded anew under the walk. A walk of this object still running ends first.
    void start(std::function<Walk()> begin);
    /// Ends a running walk where it stands; its finish does not run.
    void stop();
    bool running() const { return static_cast<bool>(m_walk.slice); }

private:
    void runSlice();
    void otherWalkStarted(const QObject* walk);
    void catalogueReloaded();
    void end();

    Dialogs& m_dialogs;
    ProgramEvents& m_events;
    StatusBar& m_bar;
    std::function<Walk()> m_begin;
    Walk m_walk;
    QTimer m_next;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceShown;
};

} // namespace tremora
