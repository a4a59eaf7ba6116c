// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MidiOut.h"
#include "platform/SoftSynth.h"

#include <QString>

#include <memory>

class RtMidiOut;

namespace tremora
{

/// The program's MIDI output. Device 0 is the first MIDI output port of the system (RtMidi), not
/// counting the "Midi Through" loop-back ports that sound nowhere; with no such port the built-in
/// General MIDI synthesizer plays the same messages on the desktop's audio output. With neither a
/// port nor sound the output is silent; nothing here fails.
class SystemMidiOut final : public MidiOut
{
public:
    SystemMidiOut();
    ~SystemMidiOut() override;

    void open() override;
    void shortMessage(std::uint32_t word) override;
    void reset() override;
    void setVolume(std::uint16_t left, std::uint16_t right) override;
    void close() override;

    /// What plays now: the port's name, "FluidSynth" or nothing (silent).
    QString playerName() const;

private:
    bool openFirstPort();

    std::unique_ptr<RtMidiOut> m_port;
    QString m_portName;
    SoftSynth m_synth;
};

} // namespace tremora
