// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemMidiOut.h"

#include <QFileInfo>

#include <RtMidi.h>

#include <array>
#include <vector>

namespace tremora
{

namespace
{

constexpr std::uint8_t kDataMask = 0x7F;
constexpr std::uint8_t kStatusKindMask = 0xF0;
constexpr std::uint8_t kControlChangeStatus = 0xB0;
constexpr std::uint8_t kAllNotesOffController = 123;
constexpr std::uint8_t kSustainController = 64;
constexpr int kChannels = 16;
#ifdef __linux__
// The system's own sequencer; asking for any API would also wake a JACK client.
constexpr RtMidi::Api kMidiSystem = RtMidi::LINUX_ALSA;
#else
constexpr RtMidi::Api kMidiSystem = RtMidi::UNSPECIFIED;
#endif

// Linux lists a loop-back port first on most machines; it forwards to nothing unless the user
// wired it, so it is never taken for device 0.
bool isLoopBack(const std::string& name)
{
    return name.rfind("Midi Through", 0) == 0;
}

// Program change and channel pressure carry one data byte, every other voice message two.
int dataBytes(std::uint8_t status)
{
    const std::uint8_t kind = status & kStatusKindMask;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

void quietErrors(RtMidiError::Type, const std::string&, void*)
{
}

} // namespace

SystemMidiOut::SystemMidiOut() = default;

SystemMidiOut::~SystemMidiOut()
{
    close();
}

void SystemMidiOut::open()
{
    close();
    if (openFirstPort())
        return;
    m_synth.start(SoftSynth::soundFontPath(), SoftSynth::Output::Audio);
}

bool SystemMidiOut::openFirstPort()
{
#ifdef __linux__
    // Without the sequencer device there are no ports to list (a container, a server).
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq")))
        return false;
#endif
    silenceSoundLibraries();
    try {
        auto port = std::make_unique<RtMidiOut>(kMidiSystem, "Tremora");
        port->setErrorCallback(&quietErrors, nullptr);
        const unsigned count = port->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string name = port->getPortName(i);
            if (isLoopBack(name))
                continue;
            port->openPort(i, "Tremora");
            if (!port->isPortOpen())
                return false;
            m_portName = QString::fromStdString(name);
            m_port = std::move(port);
            return true;
        }
    } catch (const RtMidiError&) {
        // No MIDI system at all (no sequencer device): the synthesizer plays instead.
    }
    return false;
}

void SystemMidiOut::shortMessage(std::uint32_t word)
{
    if (m_port) {
        const auto status = std::uint8_t(word & 0xFF);
        // A data byte of 128 or more would read as a status byte and derail the receiver.
        std::vector<unsigned char> message { status, std::uint8_t((word >> 8) & kDataMask) };
        if (dataBytes(status) == 2)
            message.push_back(std::uint8_t((word >> 16) & kDataMask));
        m_port->sendMessage(&message);
        return;
    }
    m_synth.play(word);
}

void SystemMidiOut::reset()
{
    if (m_port) {
        for (int channel = 0; channel < kChannels; ++channel) {
            const auto status = std::uint8_t(kControlChangeStatus | channel);
            std::vector<unsigned char> sustainOff { status, kSustainController, 0 };
            std::vector<unsigned char> notesOff { status, kAllNotesOffController, 0 };
            m_port->sendMessage(&sustainOff);
            m_port->sendMessage(&notesOff);
        }
        return;
    }
    m_synth.allNotesOff();
}

void SystemMidiOut::setVolume(std::uint16_t left, std::uint16_t right)
{
    // A port has no output volume of its own (the instrument's knob or the mixer sets it).
    m_synth.setLevel((double(left) + double(right)) / (2.0 * kFullVolume));
}

void SystemMidiOut::close()
{
    if (m_port) {
        m_port->closePort();
        m_port.reset();
    }
    m_portName.clear();
    m_synth.stop();
}

QString SystemMidiOut::playerName() const
{
    if (m_port)
        return m_portName;
    return m_synth.playing() ? QStringLiteral("FluidSynth") : QString();
}

} // namespace tremora
