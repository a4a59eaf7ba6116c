// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tremora
{

/// A pause (the replay's step, the pause between download attempts).
class Sleep
{
public:
    virtual ~Sleep() = default;
    virtual void sleep(int milliseconds) = 0;
};

/// Pauses while the window keeps handling events.
class EventLoopSleep final : public Sleep
{
public:
    void sleep(int milliseconds) override;
};

} // namespace tremora
