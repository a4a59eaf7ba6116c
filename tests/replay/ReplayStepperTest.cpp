// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayStepper.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "platform/MidiOut.h"
#include "platform/testing/Doubles.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

using namespace tremora;
using test::quake;
using test::secondsOfDay;
using Midi = fakes::RecordingMidiOut;

namespace
{

constexpr double kMinute = 1.0 / 1440;

// What a replay does, in order: marks (by the record's longitude, with the clock's minute from
// the first record), log lines, status texts and each pause the stepper asks for, ending with
// "tick" where it waits for the next tick.
class Replayed : public ReplayView
{
public:
    void drawQuake(const QuakeRecord& r) override
    {
        timeline << QStringLiteral("draw %1 at %2").arg(r.Longitude).arg(minuteOf(stepper.SimClock));
    }
    void logLine(const QString& line) override { timeline << QStringLiteral("log ") + line; }
    void setStatus(const QString& text) override { timeline << QStringLiteral("status ") + text; }

    void add(double day, double seconds, int mag10, int depth10, float lon, float lat = 0)
    {
        catalogue[++catalogue.CatalogueCount] = quake(day, seconds, mag10, depth10, lon, lat);
    }
    int minuteOf(double t) const { return int(std::lround((t - origin) / kMinute)); }

    /// Start, then ticks and wakes until the run ends; returns the sum of the pauses in ms.
    /// `between`, when given, runs after every step, as other work of the window would.
    long long runAll(double periodStart, const std::function<void()>& between = {})
    {
        long long paused = 0;
        if (!stepper.start(periodStart))
            return -1;
        origin = stepper.SimClock;
        ReplayStepper::Next next = stepper.tick(settings);
        for (int steps = 0; steps < 10'000'000; ++steps) {
            if (between)
                between();
            if (next.wait == ReplayStepper::Wait::Ended)
                return paused;
            if (next.wait == ReplayStepper::Wait::NextTick) {
                timeline << QStringLiteral("tick");
                next = stepper.tick(settings);
                continue;
            }
            if (next.ms > 0)
                timeline << QStringLiteral("pause %1").arg(next.ms);
            paused += next.ms;
            ++wakes;
            next = stepper.resume(settings);
        }
        ADD_FAILURE() << "the replay never ended";
        return paused;
    }

    const double day = double(dayNumber(2025, 5, 10));
    Catalogue catalogue;
    fakes::FixedClock clock { day + 30 };
    Midi midi;
    ReplaySettings settings;
    ReplayStepper stepper { catalogue, clock, midi, *this };
    QStringList timeline;
    double origin = 0;
    int wakes = 0;
};

std::uint32_t programChange(int program)
{
    return PackMidiMessage(0xC0, std::uint8_t(program), 0);
}
std::uint32_t noteOn(int note)
{
    return PackMidiMessage(0x90, std::uint8_t(note), 127);
}

} // namespace

TEST(ReplayStepper, DrawsEachQuakeOnItsMinuteAndSoundsAndLogsTheNextAfterItsPause)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(10, 0, 20), 45, 333, 2, -12.5f); // within 30 s of the clock
    r.add(r.day, secondsOfDay(10, 3, 0), 30, 100, 3);
    r.settings.speed = 2;
    r.settings.pause = 10;

    const long long paused = r.runAll(r.day);

    const QStringList expected {
        "draw 1 at 0",
        "pause 55", // the next record's pause: 10 + 45
        "log 1. 2025-05-10 10:00:20 Mag:4,5 , szer.:-12,5, długość:2, Głębokość:33,3 km",
        "pause 2",
        "draw 2 at 0", // due without the clock moving
        "pause 40",
        "log 2. 2025-05-10 10:03:00 Mag:3 , szer.:0, długość:3, Głębokość:10 km",
        "pause 2",
        "pause 2", // three empty minutes
        "pause 2",
        "pause 2",
        "draw 3 at 3",
        "pause 2",
        "status Symulacja zakończona.",
    };
    EXPECT_EQ(r.timeline, expected);
    EXPECT_EQ(paused, 55 + 40 + 2 * 6);
    EXPECT_EQ(r.stepper.SimListed, 0);
    EXPECT_FALSE(r.stepper.running());
    EXPECT_TRUE(r.midi.calls.empty()); // "MIDI" unchecked
}

// An update during a replay loads the catalogue anew: the oldest records may give way and late
// ones come in behind the replay's clock. The run goes on from the record it had reached, even
// among records of the same second, exactly as it would have without the reload.
TEST(ReplayStepper, ACatalogueLoadedAnewMidRunCarriesOnFromTheRecordItHadReached)
{
    const auto fill = [](Replayed& r) {
        for (int minute = 0; minute < 8; ++minute) {
            r.add(r.day, secondsOfDay(10, minute, 0), 40, 100, float(minute));
            if (minute == 5)
                for (const float lon : { 51.0f, 52.0f })
                    r.add(r.day, secondsOfDay(10, minute, 0), 40, 100, lon);
        }
    };
    Replayed reference;
    fill(reference);
    reference.runAll(reference.day);

    Replayed r;
    fill(r);
    bool moved = false;
    r.runAll(r.day, [&] {
        if (moved || !r.timeline.contains(QStringLiteral("draw 51 at 5")))
            return;
        // Two of the oldest give way; a late quake comes in behind the clock, at minute 4.
        Catalogue& c = r.catalogue;
        std::memmove(c.slots() + 1, c.slots() + 3, std::size_t(c.CatalogueCount - 2) * sizeof(QuakeRecord));
        c.CatalogueCount -= 2;
        const QuakeRecord late = quake(r.day, secondsOfDay(10, 4, 30), 40, 100, 99);
        const int at = 4; // after minutes 2, 3 and 4
        std::memmove(
            c.slots() + at + 1, c.slots() + at, std::size_t(c.CatalogueCount - at + 1) * sizeof(QuakeRecord));
        c[at] = late;
        ++c.CatalogueCount;
        r.stepper.catalogueMoved();
        moved = true;
    });
    ASSERT_TRUE(moved);
    EXPECT_EQ(r.timeline, reference.timeline);
}

TEST(ReplayStepper, TheTwoVoicesAreTheDepthThenTheMagnitudeNotesTakenInEightBits)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(10, 0, 0), 99, 53, 2); // 5.3 km, magnitude 9.9
    r.add(r.day, secondsOfDay(10, 0, 0), 20, 1500, 3); // 150 km, magnitude 2.0
    r.settings.midi = true;
    r.settings.depthInstrument = 12 + 256; // a typed number is taken in 8 bits as well
    r.runAll(r.day);

    const std::vector<std::uint32_t> expected {
        Midi::kReset, // the tick begins with all notes off
        0x0CC0, 0x7F0F90, 0x06C0, 0x7F1590, // program 12, note 15, program 6, note 21
        programChange(12), noteOn(160), programChange(6), noteOn(100), // 150 km sent as is
    };
    EXPECT_EQ(r.midi.calls, expected);
}

TEST(ReplayStepper, WithF1TheInstrumentsComeFromTheEarthquakeAndEachIsSilencedAfter)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(10, 0, 0), 45, 3000, 2); // 300 km
    r.settings.midi = true;
    r.settings.quakeInstruments = true;
    r.runAll(r.day);

    const std::vector<std::uint32_t> expected {
        Midi::kReset, programChange(184), noteOn(310 - 256), programChange(45), noteOn(75), // 3000 mod 256
        Midi::kReset, // after the one sounded
        Midi::kReset, // after the last one drawn
    };
    EXPECT_EQ(r.midi.calls, expected);
}

TEST(ReplayStepper, WyciszajSilencesAfterEachEarthquakeAndTheFirstIsNeverHeard)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(10, 1, 0), 40, 100, 2);
    r.add(r.day, secondsOfDay(10, 2, 0), 30, 100, 3);
    r.settings.midi = true;
    r.settings.muteAfterQuake = true;
    r.runAll(r.day);

    const std::vector<std::uint32_t> expected {
        Midi::kReset,
        programChange(12),
        noteOn(20),
        programChange(6),
        noteOn(80),
        Midi::kReset, // the second
        programChange(12),
        noteOn(20),
        programChange(6),
        noteOn(90),
        Midi::kReset, // the third
        // the third's own minute: drawn, nothing follows it to sound, still silenced
        Midi::kReset,
    };
    EXPECT_EQ(r.midi.calls, expected);
    EXPECT_EQ(r.timeline.filter(QStringLiteral("log ")).size(), 2);
}

TEST(ReplayStepper, OutsideTheMagnitudeRangeNothingShowsButTheClockStillWalks)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 15, 100, 1);
    r.add(r.day, secondsOfDay(10, 30, 0), 10, 100, 2);
    r.add(r.day, secondsOfDay(11, 0, 0), 19, 100, 3);
    r.settings.midi = true;
    r.settings.speed = 5;

    const long long paused = r.runAll(r.day);

    // 60 minutes walked and three earthquakes due, each with its pause.
    EXPECT_EQ(paused, 5 * 63);
    EXPECT_EQ(r.minuteOf(r.stepper.SimClock), 60);
    EXPECT_EQ(r.timeline.filter(QStringLiteral("draw")).size(), 0);
    EXPECT_EQ(r.timeline.filter(QStringLiteral("log")).size(), 0);
    EXPECT_EQ(r.midi.messages().size(), 0u);
    EXPECT_EQ(r.timeline.last(), QStringLiteral("status Symulacja zakończona."));
}

TEST(ReplayStepper, ARecordBehindTheClockEndsTheTickAndIsPassedOver)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(9, 0, 0), 40, 100, 2); // out of order: an hour behind
    r.add(r.day, secondsOfDay(10, 2, 0), 30, 100, 3);
    r.add(r.day, secondsOfDay(10, 3, 0), 30, 100, 4);
    r.settings.speed = 0;
    r.settings.pause = 0;

    r.runAll(r.day);

    const QStringList expected {
        "draw 1 at 0",
        "pause 40",
        "log 1. 2025-05-10 09:00:00 Mag:4 , szer.:0, długość:2, Głębokość:10 km",
        // the clock walked a minute past 09:00 + 1 hour: the tick is through
        "status Symulacja czasowa: 2025-05-10 09:00:00",
        "tick", // the second record is passed over; the third comes on its minute
        "draw 3 at 2",
        "pause 30",
        "log 2. 2025-05-10 10:03:00 Mag:3 , szer.:0, długość:4, Głębokość:10 km",
        "draw 4 at 3",
        "status Symulacja zakończona.",
    };
    EXPECT_EQ(r.timeline, expected);
}

TEST(ReplayStepper, ARunStopsAtThePresent)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(8, 0, 0), 40, 100, 2);
    r.add(r.day, secondsOfDay(12, 0, 0), 40, 100, 3);
    r.add(r.day, secondsOfDay(13, 0, 0), 40, 100, 4);
    r.clock.set(r.day + 0.25); // six in the morning: the clock is past it at the first stop
    r.settings.speed = 0;

    r.runAll(r.day);

    EXPECT_EQ(r.timeline.filter(QStringLiteral("tick")).size(), 0);
    EXPECT_EQ(r.timeline.last(), QStringLiteral("status Symulacja zakończona."));
    EXPECT_EQ(r.timeline.filter(QStringLiteral("draw")).size(), 1);
}

TEST(ReplayStepper, StartsAtTheFirstRecordOfTheDayBeforeThePickerAndNeedsOneAfterIt)
{
    Replayed r;
    const double pickerTime = secondsOfDay(11, 22, 11) / 86400.0;
    r.add(r.day - 2, secondsOfDay(23, 0, 0), 50, 100, 1);
    r.add(r.day - 1, secondsOfDay(23, 0, 0), 50, 100, 2); // before the picker's time less a day
    r.add(r.day, secondsOfDay(0, 0, 1), 50, 100, 3);
    r.add(r.day, secondsOfDay(1, 0, 0), 50, 100, 4);

    ASSERT_TRUE(r.stepper.start(r.day + pickerTime));
    EXPECT_EQ(r.stepper.SimCursor, 3);
    EXPECT_DOUBLE_EQ(r.stepper.SimClock, r.day + secondsOfDay(0, 0, 1) / 86400.0);
    // Starting at the last record, or after it, replays nothing.
    EXPECT_FALSE(r.stepper.start(r.day + 1 + pickerTime));
    EXPECT_FALSE(r.stepper.start(r.day + 5));
    EXPECT_FALSE(r.stepper.running());
    r.catalogue.CatalogueCount = 0;
    EXPECT_FALSE(r.stepper.start(r.day));
}

TEST(ReplayStepper, AtFullSpeedTheClockWalksDaysInBoundedStepsAndANegativePauseIsNone)
{
    Replayed r;
    r.add(r.day, secondsOfDay(10, 0, 0), 50, 100, 1);
    r.add(r.day, secondsOfDay(10, 0, 0), 40, 100, 2);
    r.add(r.day + 10, secondsOfDay(10, 0, 0), 30, 100, 3);
    r.settings.speed = 0;
    r.settings.pause = -1000;

    const long long paused = r.runAll(r.day);

    EXPECT_EQ(paused, 0);
    EXPECT_EQ(r.timeline.filter(QStringLiteral("draw")).size(), 3);
    EXPECT_EQ(r.minuteOf(r.stepper.SimClock), 10 * 1440);
    // Ten days of minutes, the window getting its turn every few thousand of them.
    EXPECT_GE(r.wakes, 10 * 1440 / 2000);
    EXPECT_LE(r.wakes, 10 * 1440 / 2000 + 4); // and the two earthquakes' (empty) pauses
}

TEST(ReplayStepper, TheTickIntervalFollowsTheSpeedBarAndStillTicksAtItsEnd)
{
    EXPECT_EQ(replayTickInterval(0), 1000);
    EXPECT_EQ(replayTickInterval(2), 980);
    EXPECT_EQ(replayTickInterval(99), 10);
    EXPECT_EQ(replayTickInterval(100), 1); // never 0, which would never tick
}
