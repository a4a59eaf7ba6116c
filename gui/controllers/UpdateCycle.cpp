// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/UpdateCycle.h"

#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/Guarded.h"
#include "gui/widgets/Lamp.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

namespace tremora
{

namespace
{

// Edit12 takes at most 999 minutes; a longer text is no interval.
constexpr int kMaxIntervalDigits = 3;

const QColor kCaptionAutoOn(0, 128, 0);
const QColor kCaptionAutoOff(255, 0, 0);

} // namespace

UpdateCycle::UpdateCycle(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
    , m_update(state.catalogue, platform, state.path(QString::fromLatin1(kReplyFileName)))
{
    Dialogs& dialogs = platform.dialogs;
    connectGuarded(
        dialogs, m_form.DsFancyButton4, &QPushButton::clicked, this, &UpdateCycle::DsFancyButton4Click);
    connectGuarded(dialogs, m_form.Timer2, &QTimer::timeout, this, &UpdateCycle::Timer2Timer);
    connectGuarded(dialogs, m_form.Timer5, &QTimer::timeout, this, &UpdateCycle::Timer5Timer);
    connectGuarded(dialogs, m_form.Timer7, &QTimer::timeout, this, &UpdateCycle::Timer7Timer);
    connectGuarded(dialogs, m_form.Edit12, &QLineEdit::editingFinished, this, &UpdateCycle::Zmiana_timera);
    // The automatic update waits while a long job walks the catalogue, and stays off once the
    // user chose a day to look at, which its news would replace.
    connect(&m_events, &ProgramEvents::longJobStarted, this, [this] {
        m_form.Timer2->stop();
        m_longJobRunning = true;
    });
    connect(&m_events, &ProgramEvents::longJobEnded, this, [this] {
        m_longJobRunning = false;
        switchTimer2On();
    });
    connect(&m_events, &ProgramEvents::calendarDayChosen, m_form.Timer2, &QTimer::stop);
    connect(&m_events, &ProgramEvents::listingTookOver, this, &UpdateCycle::Timer5Off);
    connect(&m_events, &ProgramEvents::replayStarted, this, [this] { m_replayRunning = true; });
    connect(&m_events, &ProgramEvents::replayFinished, this, [this] { m_replayRunning = false; });
    // The interval's box went back to its default.
    connect(&m_events, &ProgramEvents::defaultsRestored, this, &UpdateCycle::Zmiana_timera);
    connectUpdate();
    m_form.installEventFilter(this);
}

UpdateCycle::~UpdateCycle()
{
    m_form.removeEventFilter(this);
}

void UpdateCycle::connectUpdate()
{
    TForm1& f = m_form;
    connect(
        &m_update, &CatalogueUpdate::periodRequested, this, [&f](const QString& first, const QString& last) {
            f.Edit7->setText(first);
            f.Edit8->setText(last);
        });
    // The log of a running replay, or of "Wyświetl" still walking the catalogue, is theirs: the
    // update neither wipes it nor writes into it.
    connect(&m_update, &CatalogueUpdate::logCleared, this, [this, &f] {
        if (!m_replayRunning && !m_longJobRunning)
            f.Memo1->clear();
    });
    connect(&m_update, &CatalogueUpdate::logLine, this, [this, &f](const QString& line) {
        if (!m_replayRunning && !m_longJobRunning)
            f.Memo1->appendLine(line);
    });
    connect(&m_update, &CatalogueUpdate::statusText, this,
        [&f](const QString& text) { f.StatusBar1->setPanelText(StatusBar::kMessagePanel, text); });
    // Month k of n: the bar shows the months done. The window keeps answering throughout, so the
    // cursor stays as it is; during the save at the end it shows that work goes on behind.
    connect(&m_update, &CatalogueUpdate::monthStarted, this,
        [&f](int month, int months) { f.StatusBar1->showProgress(month - 1, months); });
    connect(&m_update, &CatalogueUpdate::saveStarted, this, [this] {
        if (!std::exchange(m_busyCursor, true))
            QApplication::setOverrideCursor(Qt::BusyCursor);
    });
    connect(&m_update, &CatalogueUpdate::rowProgress, this,
        [&f](int index) { f.Label3->setText(QString::number(index)); });
    connect(&m_update, &CatalogueUpdate::warning, this,
        [this](const QString& text) { m_platform.dialogs.warning(text); });
    connect(&m_update, &CatalogueUpdate::saveFailed, this, [this](const QString& text) {
        // The box waits for the user, who should not see a busy cursor over it.
        if (std::exchange(m_busyCursor, false))
            QApplication::restoreOverrideCursor();
        m_platform.dialogs.error(text);
    });
    connect(&m_update, &CatalogueUpdate::monthHandled, this, &UpdateCycle::showCatalogueDates);
    connect(&m_update, &CatalogueUpdate::reloaded, &m_events, &ProgramEvents::catalogueReloaded);
    connect(&m_update, &CatalogueUpdate::finished, this, &UpdateCycle::updateFinished);
}

bool UpdateCycle::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window ends a running update where it stands; nothing half-done is saved. A
    // save that has begun ends first, and the status bar says why the window lingers.
    if (watched == &m_form && event->type() == QEvent::Close) {
        if (m_update.isSaving()) {
            m_form.StatusBar1->setPanelText(
                StatusBar::kMessagePanel, tr(CatalogueUpdate::kFinishingSaveText));
            m_form.StatusBar1->repaint();
        }
        m_update.stop();
    }
    return QObject::eventFilter(watched, event);
}

void UpdateCycle::setLamp(bool updating)
{
    m_form.GphLamp1->setColor(updating ? TLampColor::lcRed : TLampColor::lcGreen);
}

void UpdateCycle::switchTimer2On()
{
    // An interval of 0 means "never"; a running QTimer with interval 0 would fire without pause.
    if (m_form.Timer2->interval() > 0)
        m_form.Timer2->start();
}

void UpdateCycle::showCatalogueDates()
{
    const Catalogue& c = m_state.catalogue;
    m_form.Label7->setText(dateText(c[1].OriginDate));
    m_form.Label9->setText(dateText(c[c.CatalogueCount].OriginDate));
}

bool UpdateCycle::Akt_Bazy()
{
    if (m_update.isRunning())
        return false;
    m_form.Timer2->stop();
    setLamp(true);
    const DateLayout layout
        = m_form.CheckBox16->isChecked() ? DateLayout::DayMonthYear : DateLayout::YearMonthDay;
    const bool started = m_update.start(layout);
    if (started && m_update.isRunning())
        Q_EMIT m_events.catalogueUpdating(true);
    return started;
}

void UpdateCycle::updateFinished(CatalogueUpdate::Outcome outcome, const QString& message)
{
    using Outcome = CatalogueUpdate::Outcome;
    Q_EMIT m_events.catalogueUpdating(false);
    m_form.StatusBar1->hideProgress();
    // "Baza USGS:" counted the parse's rows while it ran; it shows the catalogue again, however
    // the update ended and whether or not it loaded the catalogue anew.
    m_form.Label3->setText(QString::number(m_state.catalogue.CatalogueCount));
    if (std::exchange(m_busyCursor, false))
        QApplication::restoreOverrideCursor();
    switch (outcome) {
    case Outcome::Completed:
        m_lastFailure.clear();
        switchTimer2On();
        setLamp(false);
        if (m_update.firstWrittenIndex() > 0)
            Q_EMIT m_events.recordsArrived(m_update.firstWrittenIndex(), m_update.wasRebuild());
        break;
    case Outcome::NoReply:
        // A service that fails for a while (a maintenance page, a dropped connection) must not
        // stop the automatic updates for the rest of the run: the next tick tries again.
        switchTimer2On();
        setLamp(false);
        break;
    case Outcome::Failed:
        // The lamp stays red until an update completes; the error box says why, once: the
        // automatic updates go on, as after a missing reply, and the same fault met again every
        // few minutes is left to the status bar.
        switchTimer2On();
        if (message != std::exchange(m_lastFailure, message))
            m_platform.dialogs.error(message);
        break;
    case Outcome::Stopped:
        break;
    }

    // The day display after an update would wipe a running replay's map and log.
    const bool carryOn = outcome != Outcome::Failed && outcome != Outcome::Stopped && !m_replayRunning;
    if (std::exchange(m_timer5AfterUpdate, false) && carryOn)
        m_form.Timer5->start();
    if (std::exchange(m_dayAfterUpdate, false) && carryOn)
        Q_EMIT m_events.calendarDayRequested();
}

void UpdateCycle::DsFancyButton4Click()
{
    if (!Akt_Bazy()) {
        m_form.StatusBar1->setMessage([] { return tr("Aktualizacja bazy USGS już trwa..."); });
        return;
    }
    m_timer5AfterUpdate = true;
}

void UpdateCycle::Timer2Timer()
{
    if (m_form.Timer2->interval() == 0) {
        m_form.Timer2->stop(); // an interval of 0 never fires
        return;
    }
    if (!m_form.CheckBox10->isChecked())
        return;
    Akt_Bazy();
}

void UpdateCycle::Timer5Off()
{
    m_form.Timer5->stop();
    m_timer5AfterUpdate = false;
    m_dayAfterUpdate = false;
}

void UpdateCycle::Timer5Timer()
{
    // While an update runs, Timer5 keeps ticking and does its work once that update is over.
    if (m_update.isRunning())
        return;
    m_form.Timer5->stop();
    if (m_state.catalogue.CatalogueCount > 0) {
        m_dayAfterUpdate = true;
        Akt_Bazy();
        return;
    }
    Q_EMIT m_events.calendarDayRequested();
}

void UpdateCycle::Zmiana_timera()
{
    const QString text = m_form.Edit12->text();
    bool digitsOnly = !text.isEmpty() && text.size() <= kMaxIntervalDigits;
    for (const QChar c : text)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digitsOnly) {
        m_form.Edit12->setText(kDefaultIntervalText);
        return;
    }
    m_form.Timer2->setInterval(text.toInt() * kMsPerMinute);
}

void UpdateCycle::Timer7Timer()
{
    const bool automatic = m_form.CheckBox10->isChecked() && m_form.Timer2->isActive();
    QPalette palette = m_form.DsFancyButton4->palette();
    palette.setColor(QPalette::ButtonText, automatic ? kCaptionAutoOn : kCaptionAutoOff);
    m_form.DsFancyButton4->setPalette(palette);
}

} // namespace tremora
