// SPDX-License-Identifier: GPL-3.0-or-later
// Hears a replay without a sound card: replays one day of a USGS reply (a time-ascending CSV file)
// as "Symulacja" does with "MIDI" checked and the default settings, plays the messages on the
// built-in synthesizer offline, and writes what it heard as a 16-bit stereo WAV file. The pauses
// of the replay become stretches of rendered sound, so the file has the replay's own timing.
// Optionally saves the catalogue built from the reply, as a working folder for the program.
//
//   tremora_replay_render <reply.csv> <day yyyy-MM-dd> <out.wav> [seconds] [catalogue folder]
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/QuakeRecord.h"
#include "catalogue/testing/QuietObserver.h"
#include "platform/MidiOut.h"
#include "platform/SoftSynth.h"
#include "platform/testing/Doubles.h"
#include "replay/ReplayStepper.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace tremora;

namespace
{

// The synthesizer behind the MIDI output, rendering offline.
class OfflineMidiOut final : public MidiOut
{
public:
    explicit OfflineMidiOut(SoftSynth& synth)
        : m_synth(synth)
    {
    }
    void open() override { }
    void shortMessage(std::uint32_t word) override
    {
        m_synth.play(word);
        ++messages;
    }
    void reset() override { m_synth.allNotesOff(); }
    void setVolume(std::uint16_t left, std::uint16_t right) override
    {
        m_synth.setLevel((double(left) + right) / (2.0 * kFullVolume));
    }
    void close() override { }
    int messages = 0;

private:
    SoftSynth& m_synth;
};

class CountingView final : public ReplayView
{
public:
    void drawQuake(const QuakeRecord&) override { ++drawn; }
    void logLine(const QString& line) override
    {
        if (++logged <= 5)
            std::printf("  %s\n", line.toUtf8().constData());
    }
    void setStatus(const QString&) override { }
    int drawn = 0;
    int logged = 0;
};

class WavWriter
{
public:
    void append(SoftSynth& synth, long long frames)
    {
        std::vector<float> left(4096), right(4096);
        while (frames > 0) {
            const int n = int(std::min<long long>(frames, 4096));
            synth.render(left.data(), right.data(), n);
            for (int i = 0; i < n; ++i) {
                m_samples.push_back(toPcm(left[std::size_t(i)]));
                m_samples.push_back(toPcm(right[std::size_t(i)]));
            }
            frames -= n;
        }
    }
    long long frames() const { return (long long)(m_samples.size() / 2); }
    bool save(const QString& path) const
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return false;
        const quint32 dataBytes = quint32(m_samples.size() * 2);
        QByteArray h;
        auto u32 = [&h](quint32 v) { h.append(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&h](quint16 v) { h.append(reinterpret_cast<const char*>(&v), 2); };
        h.append("RIFF");
        u32(36 + dataBytes);
        h.append("WAVEfmt ");
        u32(16);
        u16(1); // PCM
        u16(2);
        u32(SoftSynth::kSampleRate);
        u32(SoftSynth::kSampleRate * 4);
        u16(4);
        u16(16);
        h.append("data");
        u32(dataBytes);
        f.write(h);
        f.write(reinterpret_cast<const char*>(m_samples.data()), qint64(dataBytes));
        return f.error() == QFile::NoError;
    }

private:
    static qint16 toPcm(float v) { return qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767)); }
    std::vector<qint16> m_samples;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr,
            "usage: tremora_replay_render <reply.csv> <day yyyy-MM-dd> <out.wav> [seconds] [catalogue "
            "folder]\n");
        return 2;
    }
    const QDate date = QDate::fromString(args[2], QStringLiteral("yyyy-MM-dd"));
    const double seconds = args.size() > 4 ? args[4].toDouble() : 20.0;
    if (!date.isValid() || seconds <= 0) {
        std::fprintf(stderr, "bad day or length\n");
        return 2;
    }

    Catalogue catalogue;
    QuietObserver observer;
    const AnalizaResult imported = AnalizaFile(args[1], catalogue, 0, false, observer);
    catalogue.CatalogueCount = catalogue.ImportCount;
    std::printf("%d records from %s (%d rows placed)\n", catalogue.CatalogueCount, qPrintable(args[1]),
        imported.rowsPlaced);
    if (args.size() > 5) {
        QDir().mkpath(args[5]);
        catalogue.CatalogueFileName = QDir(args[5]).filePath(QString::fromLatin1(kCatalogueFileName));
        const SaveResult saved = SaveCatalogue(catalogue);
        std::printf("catalogue saved to %s%s\n", qPrintable(catalogue.CatalogueFileName),
            saved.error.isEmpty() ? "" : qPrintable(QStringLiteral(" FAILED: ") + saved.error));
    }

    SoftSynth synth;
    const QString font = SoftSynth::soundFontPath();
    if (!synth.start(font, SoftSynth::Output::Offline)) {
        std::fprintf(stderr, "no General MIDI SoundFont (install timgm6mb-soundfont)\n");
        return 1;
    }
    std::printf("SoundFont %s\n", qPrintable(font));
    OfflineMidiOut midi(synth);
    SetMidiVolume(midi);
    CountingView view;
    fakes::FixedClock clock(dayOf(QDate::currentDate()) + 1);
    ReplayStepper stepper(catalogue, clock, midi, view);
    ReplaySettings settings;
    settings.midi = true;

    // The start picker's day of the period, at its time of day.
    constexpr double kPickerTime = (11 * 3600 + 22 * 60 + 11) / 86400.0;
    if (!stepper.start(dayOf(date) + kPickerTime)) {
        std::fprintf(stderr, "nothing to replay from %s\n", qPrintable(args[2]));
        return 1;
    }
    WavWriter wav;
    const long long limit = (long long)(seconds * SoftSynth::kSampleRate);
    auto renderMs = [&](long long ms) { wav.append(synth, ms * SoftSynth::kSampleRate / 1000); };
    renderMs(replayTickInterval(settings.speed));
    ReplayStepper::Next next = stepper.tick(settings);
    while (wav.frames() < limit && next.wait != ReplayStepper::Wait::Ended) {
        if (next.wait == ReplayStepper::Wait::NextTick) {
            renderMs(replayTickInterval(settings.speed));
            next = stepper.tick(settings);
        } else {
            renderMs(next.ms);
            next = stepper.resume(settings);
        }
    }
    midi.reset();
    renderMs(1000); // the last notes die away
    std::printf("%d drawn, %d heard and logged, %d MIDI messages, %.1f s of sound\n", view.drawn, view.logged,
        midi.messages, double(wav.frames()) / SoftSynth::kSampleRate);
    if (!wav.save(args[3])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    std::printf("written %s\n", qPrintable(args[3]));
    return 0;
}
