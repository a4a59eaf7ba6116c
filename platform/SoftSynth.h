// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace tremora
{

/// Keeps the messages of the sound libraries (ALSA, FluidSynth) off the terminal.
void silenceSoundLibraries();

/// A General MIDI software synthesizer (FluidSynth) that plays short-message words, either on the
/// desktop's audio output or into buffers the caller renders (no audio device needed).
class SoftSynth
{
public:
    enum class Output { Audio, Offline };
    static constexpr int kSampleRate = 44'100;

    /// Where the General MIDI SoundFont is looked for, in order: the system's default GM font,
    /// then the fonts of the Debian packages timgm6mb-soundfont and fluid-soundfont-gm.
    static QStringList soundFontCandidates();
    /// The first candidate that exists; empty when there is none.
    static QString soundFontPath();

    SoftSynth();
    ~SoftSynth();
    SoftSynth(const SoftSynth&) = delete;
    SoftSynth& operator=(const SoftSynth&) = delete;

    /// Loads the SoundFont and, for Output::Audio, starts the audio output. False when it cannot
    /// sound (no font, no audio device); the synthesizer then ignores everything it is given.
    bool start(const QString& soundFont, Output output);
    void stop();
    bool playing() const;

    /// Plays a program change or a note-on on its channel; other messages are ignored. A data
    /// byte is taken in 7 bits, as a MIDI data byte must be.
    void play(std::uint32_t word);
    void allNotesOff();
    /// Output level, 0 (silent) to 1 (the loudest that two full-velocity voices bear).
    void setLevel(double level);
    /// Renders `frames` stereo frames into the two buffers (offline output only).
    void render(float* left, float* right, int frames);

private:
    struct Fluid;
    std::unique_ptr<Fluid> m_fluid;
};

} // namespace tremora
