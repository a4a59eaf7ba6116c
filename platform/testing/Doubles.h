// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Downloader.h"
#include "platform/Platform.h"
#include "platform/Sleep.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

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

/// A downloader whose answer a test decides: the function writes the file (or not) and returns
/// whether a reply came. Every requested URL is kept.
class ScriptedDownloader final : public Downloader
{
public:
    using Answer = std::function<bool(const QString& url, const QString& filePath)>;
    explicit ScriptedDownloader(Answer answer = {})
        : m_answer(std::move(answer))
    {
    }
    bool download(const QString& url, const QString& filePath) override;
    void setAnswer(Answer answer) { m_answer = std::move(answer); }
    int lastStatus() const override { return status; }
    QStringList urls;
    /// Status reported for every reply.
    int status = 200;

private:
    Answer m_answer;
};

/// Returns at once; remembers the pauses asked for.
class NoSleep final : public Sleep
{
public:
    void sleep(int milliseconds) override { total += milliseconds; }
    long long total = 0;
};

/// The four doubles and the Platform over them, for a fixture that wants nothing real from the
/// outside world. A fixture derives from it to call the doubles by their own names.
struct FakePlatform {
    explicit FakePlatform(double now = 0, QString eventHost = QString())
        : clock(now)
        , platform { clock, dialogs, downloader, sleep, std::move(eventHost), QString() }
    {
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FixedClock clock;
    RecordingDialogs dialogs;
    ScriptedDownloader downloader;
    NoSleep sleep;
    Platform platform;
};

} // namespace tremora::fakes
