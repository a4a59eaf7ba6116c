// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Program.h"
#include "platform/testing/Doubles.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tremora
{
class TForm1;
}

namespace tremora::test
{

/// One event of a reply of the event service, in July 2015.
struct Event {
    int day;
    int second; // of the day
    double mag;
    double lat = 10.5;
    double lon = 20.25;
};

/// The events as the service's CSV reply.
QByteArray csvOf(const std::vector<Event>& events);

/// 150 quiet events, one an hour from 1 July 2015 on: enough for an update to add to them.
std::vector<Event> quietHistory();

/// The real window over doubles on 10 July 2015, whose updates are answered with the events a
/// test sets; balloons are recorded.
class UpdatedWindow : public testing::Test, protected fakes::FakePlatform
{
protected:
    UpdatedWindow();

    /// Starts the program over a catalogue file of `stored` (none when empty).
    void start(const std::vector<Event>& stored);
    /// Answers the update's request for July 2015 with `reply`, every other month with no events.
    void answerWith(const std::vector<Event>& reply);
    /// Runs one update answered as answerWith() says.
    void update(const std::vector<Event>& reply);

    TForm1& form();
    /// The lines of "Ostrzeżenia".
    QStringList warningLines() const;

    QTemporaryDir dir;
    fakes::RecordingTray tray;
    std::unique_ptr<Program> program;
};

} // namespace tremora::test
