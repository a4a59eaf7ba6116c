// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MidiOut.h"

namespace tremora
{

std::uint32_t PackMidiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2)
{
    return std::uint32_t(status) + std::uint32_t(data1) * 256u + std::uint32_t(data2) * 65536u;
}

void SendProgramChange(MidiOut& out, int program)
{
    out.shortMessage(PackMidiMessage(kProgramChangeStatus, std::uint8_t(program & 0xFF), 0));
}

void SendNoteOn(MidiOut& out, int note, int velocity)
{
    out.shortMessage(
        PackMidiMessage(kNoteOnStatus, std::uint8_t(note & 0xFF), std::uint8_t(velocity & 0xFF)));
}

void SetMidiVolume(MidiOut& out)
{
    out.setVolume(kFullVolume, kFullVolume);
}

} // namespace tremora
