// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Downloader.h"
#include "platform/MidiOut.h"
#include "platform/Pause.h"
#include "platform/Platform.h"
#include "platform/Tray.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace tremora::fakes
{

/// A clock that stands still until told otherwise.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(double now = 0)
        : m_now(now)
    {
    }
    double today() const override;
    double now() const override { return m_now; }
    void set(double now) { m_now = now; }

private:
    double m_now;
};

/// Records the texts of the boxes instead of showing them.
class RecordingDialogs final : public Dialogs
{
public:
    void warning(const QString& text) override { warnings << text; }
    void error(const QString& text) override { errors << text; }
    void clear()
    {
        warnings.clear();
        errors.clear();
    }
    QStringList warnings;
    QStringList errors;
};

/// A download that has its answer already: it reports it on the next turn of the event loop,
/// like a transfer that ends at once. `respond`, when given, runs just before the report and
/// decides it (it may write the file).
class AnsweredDownload final : public Download
{
public:
    AnsweredDownload(std::function<bool()> respond, int status);
    void abort() override { m_aborted = true; }

private:
    std::function<bool()> m_respond;
    int m_status;
    bool m_aborted = false;
};

/// A downloader whose answer a test decides: the function writes the file (or not) and returns
/// whether a reply came. It runs when the reply is due, on the next turn of the event loop, not
/// inside download().
class ScriptedDownloader final : public Downloader
{
public:
    using Answer = std::function<bool(const QString& url, const QString& filePath)>;
    explicit ScriptedDownloader(Answer answer = {})
        : m_answer(std::move(answer))
    {
    }
    Download* download(const QString& url, const QString& filePath) override;
    void setAnswer(Answer answer) { m_answer = std::move(answer); }
    /// Every URL asked for, in order.
    QStringList urls;
    /// Status reported for every reply.
    int status = 200;

private:
    Answer m_answer;
};

/// Remembers every balloon instead of showing it.
class RecordingTray final : public Tray
{
public:
    struct Balloon {
        QString title;
        QString text;
        BalloonIcon icon;
        int milliseconds;
    };
    void balloon(const QString& title, const QString& text, BalloonIcon icon, int milliseconds) override
    {
        balloons.push_back({ title, text, icon, milliseconds });
    }
    std::vector<Balloon> balloons;
};

/// Goes on at once (on the next turn of the event loop); remembers the pauses asked for. With
/// `hold` set, a pause lasts until release(), so a test can act while an operation waits.
class NoPause final : public Pause
{
public:
    void after(int milliseconds, QObject* context, std::function<void()> then) override;
    /// Ends every held pause (on the next turn of the event loop) and holds no more.
    void release();
    long long total = 0;
    bool hold = false;

private:
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_held;
};

/// Records what reaches the MIDI output: every short-message word in order, and the other calls
/// as words of their own among them (kOpened, kReset, kVolume, kClosed), so order checks see all.
class RecordingMidiOut final : public MidiOut
{
public:
    // Above any short message (three bytes), so never mistaken for one.
    static constexpr std::uint32_t kOpened = 0x1000000;
    static constexpr std::uint32_t kReset = 0x2000000;
    static constexpr std::uint32_t kVolume = 0x3000000;
    static constexpr std::uint32_t kClosed = 0x4000000;

    void open() override { calls.push_back(kOpened); }
    void shortMessage(std::uint32_t word) override { calls.push_back(word); }
    void reset() override { calls.push_back(kReset); }
    void setVolume(std::uint16_t left, std::uint16_t right) override
    {
        calls.push_back(kVolume);
        volumes.push_back({ left, right });
    }
    void close() override { calls.push_back(kClosed); }
    /// The short messages alone.
    std::vector<std::uint32_t> messages() const;

    std::vector<std::uint32_t> calls;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> volumes;
};

/// The doubles and the Platform over them, for a fixture that wants nothing real from the
/// outside world. A fixture derives from it to call the doubles by their own names.
struct FakePlatform {
    explicit FakePlatform(double now = 0, QString eventHost = QString())
        : clock(now)
        , platform { clock, dialogs, downloader, pause, std::move(eventHost), QString(), &midi }
    {
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FixedClock clock;
    RecordingDialogs dialogs;
    ScriptedDownloader downloader;
    NoPause pause;
    RecordingMidiOut midi;
    Platform platform;
};

} // namespace tremora::fakes
