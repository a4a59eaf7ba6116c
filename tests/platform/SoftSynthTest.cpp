// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoftSynth.h"
#include "platform/MidiOut.h"
#include "platform/SystemMidiOut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace tremora;

namespace
{

constexpr int kRate = SoftSynth::kSampleRate;
constexpr int kChunk = 512;

std::vector<float> renderMono(SoftSynth& synth, int frames)
{
    const auto size = std::size_t(frames);
    std::vector<float> left(size), right(size), mono(size);
    for (int done = 0; done < frames; done += kChunk) {
        const int n = std::min(kChunk, frames - done);
        synth.render(left.data() + done, right.data() + done, n);
    }
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = 0.5f * (left[i] + right[i]);
    return mono;
}

double rms(const std::vector<float>& x)
{
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return std::sqrt(sum / double(x.size()));
}

// The fundamental by normalised autocorrelation: the first lag (from 2 kHz down to 60 Hz) whose
// correlation comes within 10 % of the best, refined between its neighbours. Taking the first good
// peak rather than the best keeps a note from being read an octave low.
double fundamentalHz(const std::vector<float>& x)
{
    const int minLag = kRate / 2000;
    const int maxLag = kRate / 60;
    const int n = int(x.size()) - maxLag - 1;
    std::vector<double> r(std::size_t(maxLag + 2), 0.0);
    for (int lag = minLag; lag <= maxLag + 1; ++lag) {
        double xy = 0, xx = 0, yy = 0;
        for (int i = 0; i < n; ++i) {
            xy += double(x[std::size_t(i)]) * x[std::size_t(i + lag)];
            xx += double(x[std::size_t(i)]) * x[std::size_t(i)];
            yy += double(x[std::size_t(i + lag)]) * x[std::size_t(i + lag)];
        }
        r[std::size_t(lag)] = xy / std::sqrt(xx * yy + 1e-30);
    }
    double best = 0;
    for (int lag = minLag; lag <= maxLag; ++lag)
        best = std::max(best, r[std::size_t(lag)]);
    for (int lag = minLag + 1; lag <= maxLag; ++lag) {
        const double a = r[std::size_t(lag - 1)], b = r[std::size_t(lag)], c = r[std::size_t(lag + 1)];
        if (b >= 0.9 * best && b >= a && b >= c) {
            const double shift = (a - c) / (2 * (a - 2 * b + c));
            return kRate / (lag + (std::isfinite(shift) ? shift : 0));
        }
    }
    return 0;
}

} // namespace

TEST(SoftSynth, ANoteOnOf70RenderedOfflineSoundsAtItsPitch)
{
    const QString font = SoftSynth::soundFontPath();
    if (font.isEmpty())
        GTEST_SKIP() << "no General MIDI SoundFont (Debian package timgm6mb-soundfont) in any of: "
                     << SoftSynth::soundFontCandidates().join(QStringLiteral(", ")).toStdString();
    SoftSynth synth;
    ASSERT_TRUE(synth.start(font, SoftSynth::Output::Offline));
    synth.setLevel(1.0);

    const std::vector<float> before = renderMono(synth, kRate / 10);
    synth.play(PackMidiMessage(kProgramChangeStatus, 0, 0)); // piano
    synth.play(PackMidiMessage(kNoteOnStatus, 70, 127));
    const std::vector<float> sounded = renderMono(synth, kRate / 2);

    EXPECT_LT(rms(before), 1e-6);
    // The middle of the note, past the attack.
    const std::vector<float> middle(sounded.begin() + kRate / 10, sounded.begin() + kRate / 10 + kRate / 5);
    EXPECT_GT(rms(middle), 0.01);
    const double hz = fundamentalHz(middle);
    const double semitones = 12 * std::log2(hz / 466.16);
    EXPECT_LT(std::abs(semitones), 1.0) << hz << " Hz";

    // All notes off lets the note die away.
    synth.allNotesOff();
    renderMono(synth, kRate);
    EXPECT_LT(rms(renderMono(synth, kRate / 10)), 1e-3);
}

TEST(SoftSynth, WithoutASoundFontItIsSilentAndQuiet)
{
    SoftSynth synth;
    EXPECT_FALSE(synth.start(QString(), SoftSynth::Output::Offline));
    EXPECT_FALSE(synth.start(QStringLiteral("/nonexistent/font.sf2"), SoftSynth::Output::Offline));
    synth.play(PackMidiMessage(kNoteOnStatus, 70, 127));
    std::vector<float> left(64, 1.0f), right(64, 1.0f);
    synth.render(left.data(), right.data(), 64);
    EXPECT_EQ(left, std::vector<float>(64, 0.0f));
}

// Whatever the machine has (a port, an audio device, neither), the output opens, plays and closes
// without failing.
TEST(SystemMidiOut, OpensPlaysAndClosesWhateverTheMachineHas)
{
    SystemMidiOut out;
    out.open();
    SetMidiVolume(out);
    SendProgramChange(out, 6);
    out.reset();
    out.close();
    out.close();
    SUCCEED() << "played on: " << out.playerName().toStdString();
}
