// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Replay.h"

#include "gui/controllers/Guarded.h"
#include "gui/controllers/MapCanvas.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/MarkPainter.h"
#include "platform/Platform.h"
#include "platform/SystemMidiOut.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <tuple>

namespace tremora
{

namespace
{

std::optional<int> wholeNumber(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

Replay::Replay(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_systemMidi(platform.midiOut ? nullptr : std::make_unique<SystemMidiOut>())
    , m_midi(platform.midiOut ? *platform.midiOut : *m_systemMidi)
    , m_stepper(state.catalogue, platform.clock, m_midi, *this)
{
    Dialogs& dialogs = platform.dialogs;
    connectGuarded(dialogs, form.Button8, &QPushButton::clicked, this, &Replay::Button8Click);
    connectGuarded(dialogs, form.Timer4, &QTimer::timeout, this, &Replay::Timer4Timer);
    connectGuarded(dialogs, form.CheckBox13, &QCheckBox::clicked, this, &Replay::CheckBox13Click);
    // Records move or go when the catalogue is loaded anew (after an update): the replay finds
    // its place again and carries on.
    connectGuarded(dialogs, &events, &ProgramEvents::catalogueReloaded, this, &Replay::catalogueReloaded);
    form.installEventFilter(this);
}

Replay::~Replay()
{
    m_form.removeEventFilter(this);
    stopReplay();
    m_midi.close();
}

bool Replay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::Close)
        stopReplay();
    return QObject::eventFilter(watched, event);
}

void Replay::stopReplay()
{
    ++m_generation;
    m_form.Timer4->stop();
    if (!m_stepper.running())
        return;
    m_stepper.stop();
    m_midi.reset();
}

void Replay::catalogueReloaded()
{
    m_stepper.catalogueMoved();
}

std::optional<QString> Replay::faultyNumberBox() const
{
    // The instruments are only heard with "MIDI" on; without it their boxes are not read.
    const bool midi = m_form.CheckBox13->isChecked();
    const std::tuple<const QLineEdit*, QString, bool> boxes[] = {
        { m_form.Edit29, tr("Mag."), midi },
        { m_form.Edit30, tr("Głęb."), midi },
        { m_form.Edit31, tr("Pauza"), true },
    };
    for (const auto& [edit, name, read] : boxes)
        if (read && !wholeNumber(edit))
            return name;
    return std::nullopt;
}

ReplaySettings Replay::settings()
{
    const TForm1& f = m_form;
    ReplaySettings s = m_lastGood;
    s.midi = f.CheckBox13->isChecked();
    s.muteAfterQuake = f.CheckBox14->isChecked();
    s.quakeInstruments = f.CheckBox15->isChecked();
    s.speed = f.ScrollBar1->value();
    s.magnitudeInstrument = wholeNumber(f.Edit29).value_or(s.magnitudeInstrument);
    s.depthInstrument = wholeNumber(f.Edit30).value_or(s.depthInstrument);
    s.pause = wholeNumber(f.Edit31).value_or(s.pause);
    s.range = magnitudeRangeOf(
        f.SpinEdit1->value(), f.SpinEdit3->value(), f.SpinEdit2->value(), f.SpinEdit4->value());
    m_lastGood = s;
    return s;
}

void Replay::Button8Click()
{
    TForm1& f = m_form;
    if (m_state.catalogue.CatalogueCount == 0)
        return;
    if (f.Image1->width() < kMinMapSide || f.Image1->height() < kMinMapSide) {
        setStatus(tr(kMapTooSmallText));
        return;
    }
    // A box the replay cannot read would otherwise stop it at its first earthquake.
    if (const std::optional<QString> box = faultyNumberBox()) {
        m_platform.dialogs.warning(tr("Błąd liczby w \"%1\"").arg(*box));
        return;
    }
    stopReplay();
    settings();
    Q_EMIT m_events.replayStarted();
    f.Memo1->clear();
    setStatus(ReplayStepper::tr(ReplayStepper::kRunningText));
    if (!m_stepper.start(f.DateTimePicker1->value())) {
        // Nothing to replay: say so, rather than claim a replay that never comes.
        setStatus(ReplayStepper::tr(ReplayStepper::kEndedText));
        Q_EMIT m_events.replayFinished();
        return;
    }
    f.Timer4->setInterval(replayTickInterval(f.ScrollBar1->value()));
    f.PaintBox1->clearMarks();
    f.PaintBox1->repaint();
    f.Timer4->start();
}

void Replay::Timer4Timer()
{
    if (!m_stepper.running()) {
        m_form.Timer4->stop();
        return;
    }
    if (m_stepper.paused())
        return;
    // Ticks never overlap: the tick timer rests while a tick runs and counts its interval anew
    // from the tick's end.
    m_form.Timer4->stop();
    follow(m_stepper.tick(settings()));
}

void Replay::wake(unsigned generation)
{
    if (generation != m_generation || !m_stepper.paused())
        return;
    guarded(m_platform.dialogs, [this] { follow(m_stepper.resume(settings())); });
}

void Replay::follow(ReplayStepper::Next next)
{
    switch (next.wait) {
    case ReplayStepper::Wait::Pause: {
        const unsigned generation = m_generation;
        m_platform.pause.after(next.ms, this, [this, generation] { wake(generation); });
        break;
    }
    case ReplayStepper::Wait::NextTick:
        m_form.Timer4->start();
        break;
    case ReplayStepper::Wait::Ended:
        m_form.Timer4->stop();
        Q_EMIT m_events.replayFinished();
        break;
    }
}

void Replay::CheckBox13Click()
{
    m_midi.close();
    m_midi.open();
    SetMidiVolume(m_midi);
}

void Replay::drawQuake(const QuakeRecord& record)
{
    TForm1& f = m_form;
    MarkCanvas canvas = mapMarkCanvas(f);
    Poz(canvas, record.Mag10, kOrdinaryMark.fill, record.Longitude, record.Latitude, kOrdinaryMark.outline);
    // Only the mark's square is painted again: a busy replay draws every few milliseconds.
    if (const std::optional<MapPixel> p = wyl_poz(canvas.fit(), record.Longitude, record.Latitude)) {
        const int r = markRadius(record.Mag10, canvas.divisor()) + 1;
        f.PaintBox1->update(QRect(p->x - r, p->y - r, 2 * r + 1, 2 * r + 1));
    }
}

void Replay::logLine(const QString& line)
{
    m_form.Memo1->appendLine(line);
}

void Replay::setStatus(const QString& text)
{
    m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, text);
}

} // namespace tremora
