// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tremora
{

/// A MIDI output: device 0, short messages packed in one word, reset (all notes off), output
/// volume and close. Nothing here reports failure: an output that cannot sound stays silent.
class MidiOut
{
public:
    virtual ~MidiOut() = default;
    /// Opens device 0; opening an open output closes it first.
    virtual void open() = 0;
    /// One short message: status + data1 * 256 + data2 * 65536.
    virtual void shortMessage(std::uint32_t word) = 0;
    /// Every note on every channel off.
    virtual void reset() = 0;
    /// Output volume per side, 0 to 0xFFFF.
    virtual void setVolume(std::uint16_t left, std::uint16_t right) = 0;
    virtual void close() = 0;
};

inline constexpr std::uint8_t kProgramChangeStatus = 0xC0; // channel 1
inline constexpr std::uint8_t kNoteOnStatus = 0x90; // channel 1
inline constexpr std::uint16_t kFullVolume = 0xFFFF;

/// The short-message word: status + data1 * 256 + data2 * 65536.
std::uint32_t PackMidiMessage(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
/// A program change on channel 1; the program is taken in 8 bits.
void SendProgramChange(MidiOut& out, int program);
/// A note-on on channel 1; the note is taken in 8 bits.
void SendNoteOn(MidiOut& out, int note, int velocity);
/// Full volume on both sides.
void SetMidiVolume(MidiOut& out);

} // namespace tremora
