// SPDX-License-Identifier: GPL-3.0-or-later
// tremora_soak: a day of use in a few minutes. The real window offscreen, the real update over
// loopback against the live event service, and a random user taking every road of the window,
// all on a clock the harness runs; the invariants are checked after every step. SOAK_HOURS
// (default 24) and SOAK_SEED (default 1), or --hours and --seed, set the run; --history-months
// gives the service a shorter past than the whole catalogue since 1973.
#include "tests/soak/ActionLog.h"
#include "tests/soak/Soak.h"
#include "tests/support/LeakCheck.h"

#include <QApplication>
#include <QMetaEnum>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include <unistd.h>

#ifdef TREMORA_SOAK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace
{

using tremora::soak::Soak;

constexpr qint64 kShortestNs = 1'000'000;

qint64 threadCpuNs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

/// Measures every event the window's thread handles outside the harness's own steps (replies
/// from the network, paints, posted calls): each is a moment the window is held.
class TimedApplication final : public QApplication
{
public:
    using QApplication::QApplication;
    Soak* soak = nullptr;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth > 0 || !soak)
            return QApplication::notify(receiver, event);
        ++m_depth;
        m_clock.start();
        const qint64 cpu = threadCpuNs();
        const int steps = soak->stepsRun();
        const char* what = receiver ? receiver->metaObject()->className() : "";
        const bool isSoak = receiver == soak;
        const int type = event->type();
        const bool handled = QApplication::notify(receiver, event);
        const qint64 wall = m_clock.nsecsElapsed();
        --m_depth;
        // The harness's step measures the program's part of it itself; a moment shorter than a
        // millisecond is no pause worth naming.
        if (steps == soak->stepsRun() && wall >= kShortestNs && !isSoak) {
            const char* name = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
            soak->pauses().record(
                QStringLiteral("%1 event for %2")
                    .arg(QString::fromLatin1(name ? name : "an"), QString::fromLatin1(what)),
                wall, threadCpuNs() - cpu);
        }
        return handled;
    }

private:
    int m_depth = 0;
    QElapsedTimer m_clock;
};

void died()
{
    tremora::soak::actionLog().dump(STDERR_FILENO);
}

void crashed(int signal)
{
    died();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool number(const char* text, double& value)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    value = std::strtod(text, &end);
    return *end == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tremora::soak::SoakSettings settings;
    settings.replies = QStringLiteral(TREMORA_SOAK_REPLIES);
    settings.programData = QStringLiteral(TREMORA_SOAK_PROGRAM_DATA);
#ifdef TREMORA_SOAK_SANITIZED
    settings.sanitized = true;
#endif
    double value = 0;
    if (number(std::getenv("SOAK_HOURS"), value))
        settings.hours = value;
    if (number(std::getenv("SOAK_SEED"), value))
        settings.seed = quint64(value);
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (!number(argv[i + 1], value) || value < 0) {
            std::fprintf(stderr, "usage: tremora_soak [--hours H] [--seed N] [--history-months M]\n");
            return 2;
        }
        if (option == "--hours")
            settings.hours = value;
        else if (option == "--seed")
            settings.seed = quint64(value);
        else if (option == "--history-months")
            settings.historyMonths = int(value);
    }
    tremora::soak::actionLog().seed = settings.seed;
    for (const int signal : { SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL })
        std::signal(signal, crashed);
#ifdef TREMORA_SOAK_SANITIZED
    __sanitizer_set_death_callback(died);
#endif

    TimedApplication app(argc, argv);
    Soak soak(settings);
    app.soak = &soak;
    const int status = soak.run();
    app.soak = nullptr;
    return status;
}
