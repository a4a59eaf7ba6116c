// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoftSynth.h"

#include "platform/MidiOut.h"

#include <QFileInfo>

#include <fluidsynth.h>
#ifdef TREMORA_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

#include <algorithm>

namespace tremora
{

namespace
{

constexpr int kDataMask = 0x7F;
constexpr int kStatusKindMask = 0xF0;
constexpr int kChannelMask = 0x0F;
constexpr int kAllChannels = -1;
// FluidSynth's gain at level 1: two voices at full velocity stay clear of clipping.
constexpr double kFullGain = 0.6;

void quiet(int, const char*, void*)
{
}

#ifdef TREMORA_HAVE_ALSA
void quietAlsa(const char*, int, const char*, int, const char*, ...)
{
}
#endif

} // namespace

void silenceSoundLibraries()
{
    // Their messages (no sound card, no audio server) would only clutter the terminal: with no
    // sound the program is silent, not noisy.
    for (int level : { FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG })
        fluid_set_log_function(level, &quiet, nullptr);
#ifdef TREMORA_HAVE_ALSA
    snd_lib_error_set_handler(&quietAlsa);
#endif
}

struct SoftSynth::Fluid {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;

    ~Fluid()
    {
        if (driver)
            delete_fluid_audio_driver(driver);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

QStringList SoftSynth::soundFontCandidates()
{
    return { QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2") };
}

QString SoftSynth::soundFontPath()
{
    for (const QString& path : soundFontCandidates())
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

SoftSynth::SoftSynth() = default;
SoftSynth::~SoftSynth() = default;

bool SoftSynth::start(const QString& soundFont, Output output)
{
    stop();
    if (soundFont.isEmpty())
        return false;
    silenceSoundLibraries();
    auto fluid = std::make_unique<Fluid>();
    fluid->settings = new_fluid_settings();
    if (!fluid->settings)
        return false;
    fluid_settings_setnum(fluid->settings, "synth.sample-rate", kSampleRate);
    fluid->synth = new_fluid_synth(fluid->settings);
    if (!fluid->synth)
        return false;
    if (fluid_synth_sfload(fluid->synth, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED)
        return false;
    if (output == Output::Audio) {
        fluid->driver = new_fluid_audio_driver(fluid->settings, fluid->synth);
        if (!fluid->driver)
            return false;
    }
    m_fluid = std::move(fluid);
    return true;
}

void SoftSynth::stop()
{
    m_fluid.reset();
}

bool SoftSynth::playing() const
{
    return m_fluid != nullptr;
}

void SoftSynth::play(std::uint32_t word)
{
    if (!m_fluid)
        return;
    const int status = int(word & 0xFF);
    const int data1 = int((word >> 8) & kDataMask);
    const int data2 = int((word >> 16) & kDataMask);
    const int channel = status & kChannelMask;
    switch (status & kStatusKindMask) {
    case kNoteOnStatus:
        fluid_synth_noteon(m_fluid->synth, channel, data1, data2);
        break;
    case kProgramChangeStatus:
        fluid_synth_program_change(m_fluid->synth, channel, data1);
        break;
    default:
        break;
    }
}

void SoftSynth::allNotesOff()
{
    if (m_fluid)
        fluid_synth_all_notes_off(m_fluid->synth, kAllChannels);
}

void SoftSynth::setLevel(double level)
{
    if (m_fluid)
        fluid_synth_set_gain(m_fluid->synth, float(kFullGain * level));
}

void SoftSynth::render(float* left, float* right, int frames)
{
    if (m_fluid && !m_fluid->driver) {
        fluid_synth_write_float(m_fluid->synth, frames, left, 0, 1, right, 0, 1);
        return;
    }
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
}

} // namespace tremora
