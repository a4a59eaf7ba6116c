// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayStepper.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "platform/Clock.h"
#include "platform/MidiOut.h"
#include "table/NumberText.h"

#include <algorithm>
#include <limits>

namespace tremora
{

namespace
{

constexpr int kSpeedMax = 100;
constexpr int kTickStepMs = 10;
constexpr int kShortestTickMs = 1;
constexpr int kDepthNoteBase = 10;
constexpr int kMagnitudeNoteTop = 120;
constexpr int kByte = 256;
// Minutes walked without a pause (speed 0) before the window gets a turn: a few milliseconds of
// work at most, so a replay of years at full speed leaves the window answering.
constexpr int kMinutesPerTurn = 2000;

} // namespace

int replayTickInterval(int speed)
{
    const int interval = (kSpeedMax - speed) * kTickStepMs;
    return interval > 0 ? interval : kShortestTickMs;
}

ReplayStepper::ReplayStepper(const Catalogue& catalogue, const Clock& clock, MidiOut& midi, ReplayView& view)
    : m_catalogue(catalogue)
    , m_clock(clock)
    , m_midi(midi)
    , m_view(view)
{
}

double ReplayStepper::eventTime(const QuakeRecord& record)
{
    return record.OriginDate + record.OriginTime;
}

QString ReplayStepper::simulationLine(int listed, const QuakeRecord& record)
{
    return tr("%1. %2 %3 Mag:%4 , szer.:%5, długość:%6, Głębokość:%7 km")
        .arg(QString::number(listed), dateText(record.OriginDate), timeText(record.OriginTime),
            FixedText(record.Mag10 / 10.0), FixedText(record.Latitude), FixedText(record.Longitude),
            FixedText(record.Depth10 / 10.0));
}

void ReplayStepper::sound(MidiOut& midi, const QuakeRecord& record, const ReplaySettings& settings)
{
    const int d = record.Depth10;
    const int m = record.Mag10;
    SendProgramChange(midi, settings.quakeInstruments ? d % kByte : settings.depthInstrument);
    SendNoteOn(midi, (d / 10 + kDepthNoteBase) % kByte, kVelocity);
    SendProgramChange(midi, settings.quakeInstruments ? m : settings.magnitudeInstrument);
    SendNoteOn(midi, kMagnitudeNoteTop - m, kVelocity); // taken in 8 bits, as a byte would wrap
}

bool ReplayStepper::start(double periodStart)
{
    m_phase = Phase::Idle;
    const int count = m_catalogue.CatalogueCount;
    if (count < 1)
        return false;
    int i = 1;
    while (i != count && m_catalogue[i].OriginDate < periodStart - 1)
        ++i;
    if (i >= count)
        return false;
    SimCursor = i;
    SimClock = eventTime(m_catalogue[i]);
    SimListed = 0;
    m_phase = Phase::BetweenTicks;
    noteCursor({});
    return true;
}

void ReplayStepper::stop()
{
    m_phase = Phase::Idle;
}

ReplayStepper::Next ReplayStepper::noteCursor(Next next)
{
    const int count = m_catalogue.CatalogueCount;
    m_cursorTies = 0;
    if (SimCursor < 1 || SimCursor > count) {
        m_cursorTime = SimCursor < 1 ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
        return next;
    }
    m_cursorTime = eventTime(m_catalogue[SimCursor]);
    for (int i = SimCursor - 1; i >= 1 && eventTime(m_catalogue[i]) == m_cursorTime; --i)
        ++m_cursorTies;
    return next;
}

void ReplayStepper::catalogueMoved()
{
    if (!running())
        return;
    const int count = m_catalogue.CatalogueCount;
    const QuakeRecord* first = m_catalogue.slots() + 1;
    const QuakeRecord* end = first + std::max(count, 0);
    const double t = m_cursorTime;
    const QuakeRecord* at
        = std::partition_point(first, end, [t](const QuakeRecord& r) { return eventTime(r) < t; });
    for (int ties = m_cursorTies; ties > 0 && at != end && eventTime(*at) == t; --ties)
        ++at;
    SimCursor = int(at - first) + 1;
}

ReplayStepper::Next ReplayStepper::tick(const ReplaySettings& settings)
{
    if (m_phase != Phase::BetweenTicks)
        return { running() ? Wait::Pause : Wait::Ended, 0 };
    m_matched = false;
    if (settings.midi)
        m_midi.reset();
    m_phase = Phase::LoopTop;
    return noteCursor(run(settings));
}

ReplayStepper::Next ReplayStepper::resume(const ReplaySettings& settings)
{
    return noteCursor(resumeStep(settings));
}

ReplayStepper::Next ReplayStepper::resumeStep(const ReplaySettings& settings)
{
    if (m_phase == Phase::QuakePause) {
        // The pause was the earthquake's; its line follows it.
        const int count = m_catalogue.CatalogueCount;
        if (SimCursor <= count) {
            ++SimListed;
            m_view.logLine(simulationLine(SimListed, m_catalogue[SimCursor]));
        }
        m_phase = Phase::Tail;
    }
    if (m_phase != Phase::Tail && m_phase != Phase::MinutePause)
        return { running() ? Wait::NextTick : Wait::Ended, 0 };
    return run(settings);
}

ReplayStepper::Next ReplayStepper::run(const ReplaySettings& settings)
{
    int minutesLeft = kMinutesPerTurn;
    for (;;) {
        const int count = m_catalogue.CatalogueCount;
        switch (m_phase) {
        case Phase::LoopTop: {
            if (SimCursor > count)
                return endTick();
            const double t = eventTime(m_catalogue[SimCursor]);
            m_phase = Phase::Tail;
            if (SimClock - kTolerance <= t && t <= SimClock + kTolerance) {
                m_matched = true;
                const QuakeRecord& due = m_catalogue[SimCursor];
                if (InMapMagnitudeRange(due.Mag10, settings.range))
                    m_view.drawQuake(due);
                ++SimCursor;
                if (SimCursor <= count) {
                    // The earthquake after the one just drawn is the one heard and logged.
                    const QuakeRecord& next = m_catalogue[SimCursor];
                    if (InMapMagnitudeRange(next.Mag10, settings.range)) {
                        if (settings.midi)
                            sound(m_midi, next, settings);
                        m_phase = Phase::QuakePause;
                        // A negative pause would be a wait without end; none at all is the least.
                        return { Wait::Pause, std::max(0, settings.pause + next.Mag10) };
                    }
                }
            }
            break;
        }
        case Phase::QuakePause:
            return resumeStep(settings);
        case Phase::Tail:
            if (!m_matched) {
                SimClock += kClockStep;
            } else {
                if (settings.midi && (settings.muteAfterQuake || settings.quakeInstruments))
                    m_midi.reset();
                m_matched = false;
            }
            m_phase = Phase::MinutePause;
            if (settings.speed > 0)
                return { Wait::Pause, settings.speed };
            if (--minutesLeft == 0)
                return { Wait::Pause, 0 };
            break;
        case Phase::MinutePause:
            if (SimCursor <= count && eventTime(m_catalogue[SimCursor]) + double(kHour) > SimClock)
                m_phase = Phase::LoopTop;
            else
                return endTick();
            break;
        case Phase::Idle:
        case Phase::BetweenTicks:
            return { running() ? Wait::NextTick : Wait::Ended, 0 };
        }
    }
}

ReplayStepper::Next ReplayStepper::endTick()
{
    const int count = m_catalogue.CatalogueCount;
    if (SimCursor <= count)
        m_view.setStatus(tr(kClockText) + dateTimeText(eventTime(m_catalogue[SimCursor])));
    // The record the loop stopped at is passed over.
    ++SimCursor;
    if (m_clock.now() > SimClock && SimCursor < count) {
        m_phase = Phase::BetweenTicks;
        return { Wait::NextTick, 0 };
    }
    m_view.setStatus(tr(kEndedText));
    SimListed = 0;
    m_phase = Phase::Idle;
    return { Wait::Ended, 0 };
}

} // namespace tremora
