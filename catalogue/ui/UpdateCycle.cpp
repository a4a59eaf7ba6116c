// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ui/UpdateCycle.h"

#include "app/window/CatalogueView.h"
#include "app/window/ProgramState.h"
#include "app/window/TForm1.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/QueryUrl.h"
#include "platform/ConversionError.h"
#include "platform/Platform.h"
#include "platform/widgets/Lamp.h"
#include "platform/widgets/LogMemo.h"
#include "platform/widgets/StatusBar.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>

namespace tremora
{

namespace
{

// Enough of a reply to tell the service's CSV header; the refusal texts are shorter than this.
constexpr qint64 kReplyHeadBytes = 4096;
// Edit12 takes at most 999 minutes; a longer text is no interval.
constexpr int kMaxIntervalDigits = 3;

const QColor kCaptionAutoOn(0, 128, 0);
const QColor kCaptionAutoOff(255, 0, 0);

// Shows what the parse reports in the window: lines in the log memo, row progress in Label3,
// warnings as boxes.
class FormObserver final : public ImportObserver
{
public:
    FormObserver(TForm1& form, Dialogs& dialogs)
        : m_form(form)
        , m_dialogs(dialogs)
    {
    }
    void log(const QString& line) override { m_form.Memo1->appendLine(line); }
    void progress(int index) override
    {
        m_form.Label3->setText(QString::number(index));
        m_form.Label3->repaint();
    }
    void warning(const QString& text) override { m_dialogs.warning(text); }

private:
    TForm1& m_form;
    Dialogs& m_dialogs;
};

// Keeps the running flag true for exactly the life of one update, however it ends.
class RunningFlag
{
public:
    explicit RunningFlag(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

UpdateCycle::UpdateCycle(TForm1& form, ProgramState& state, Platform& platform)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
{
    connect(m_form.DsFancyButton4, &QPushButton::clicked, this, &UpdateCycle::DsFancyButton4Click);
    connect(m_form.Timer2, &QTimer::timeout, this, &UpdateCycle::Timer2Timer);
    connect(m_form.Timer5, &QTimer::timeout, this, &UpdateCycle::Timer5Timer);
    connect(m_form.Timer7, &QTimer::timeout, this, &UpdateCycle::Timer7Timer);
    connect(m_form.Edit12, &QLineEdit::editingFinished, this, &UpdateCycle::Zmiana_timera);
    m_form.installEventFilter(this);
}

UpdateCycle::~UpdateCycle()
{
    m_form.removeEventFilter(this);
}

QString UpdateCycle::replyPath() const
{
    return m_state.path(QString::fromLatin1(kReplyFileName));
}

bool UpdateCycle::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window ends a running update where it stands; nothing half-done is saved.
    if (watched == &m_form && event->type() == QEvent::Close && m_running) {
        m_stopRequested = true;
        m_platform.downloader.abort();
    }
    return QObject::eventFilter(watched, event);
}

void UpdateCycle::log(const QString& line)
{
    m_form.Memo1->appendLine(line);
}

void UpdateCycle::setLamp(bool updating)
{
    m_form.GphLamp1->setColor(updating ? TLampColor::lcRed : TLampColor::lcGreen);
    m_form.GphLamp1->repaint();
}

void UpdateCycle::switchTimer2On()
{
    // An interval of 0 means "never"; a running QTimer with interval 0 would fire without pause.
    if (m_form.Timer2->interval() > 0)
        m_form.Timer2->start();
}

QString UpdateCycle::updatedLine() const
{
    const double now = m_platform.clock.now();
    return kUpdatedText + dateText(now) + QStringLiteral(", ") + timeText(now);
}

void UpdateCycle::Wczyt_zakres_dat()
{
    const DateLayout layout
        = m_form.CheckBox16->isChecked() ? DateLayout::DayMonthYear : DateLayout::YearMonthDay;
    const QString url = Wczyt_zakres_dat_url(
        m_platform.eventHost, m_form.Edit7->text(), m_form.Edit8->text(), layout, randomQueryPart());
    m_form.Memo1->clear();
    log(kImportStartText);
    m_form.Memo1->repaintNow();

    // A reply left over from an update that broke off must never pass for this period's reply.
    const QString path = replyPath();
    QFile::remove(path);
    m_platform.downloader.download(url, path);
    log(QFile::exists(path) ? kReplyReceivedText : kNoReplyText);
}

UpdateCycle::ReplyKind UpdateCycle::classifyReply() const
{
    QFile file(replyPath());
    if (!file.open(QIODevice::ReadOnly))
        return ReplyKind::Missing;
    // The service answers a period without events with "204 No Content".
    if (file.size() == 0 && m_platform.downloader.lastStatus() == kHttpNoContent)
        return ReplyKind::NoEvents;
    QByteArray head = file.read(kReplyHeadBytes);
    if (isServiceReply(head))
        return ReplyKind::Catalogue;
    if (file.atEnd() && isSearchLimitReply(head))
        return ReplyKind::SearchLimit;
    return ReplyKind::Other;
}

void UpdateCycle::showPeriod(const MonthRequest& period)
{
    const DateLayout layout
        = m_form.CheckBox16->isChecked() ? DateLayout::DayMonthYear : DateLayout::YearMonthDay;
    m_form.Edit7->setText(period.edit7(layout));
    m_form.Edit8->setText(period.edit8(layout));
    m_form.Edit7->repaint();
    m_form.Edit8->repaint();
}

void UpdateCycle::showProgress(int month, int months, const MonthRequest& request)
{
    m_form.StatusBar1->setPanelText(kStatusPanel,
        QStringLiteral("Aktualizacja bazy USGS: miesiąc %1 z %2 (%3-%4)")
            .arg(month)
            .arg(months)
            .arg(request.year)
            .arg(request.month, 2, 10, QLatin1Char('0')));
}

void UpdateCycle::showCatalogueDates()
{
    const Catalogue& c = m_state.catalogue;
    m_form.Label7->setText(dateText(c[1].OriginDate));
    m_form.Label9->setText(dateText(c[c.CatalogueCount].OriginDate));
    m_form.Label7->repaint();
    m_form.Label9->repaint();
}

UpdateCycle::Fetch UpdateCycle::fetchPeriod(const MonthRequest& period, int StartCount)
{
    ReplyKind kind = ReplyKind::Missing;
    for (int attempt = 0;; ++attempt) {
        showPeriod(period);
        Wczyt_zakres_dat();
        if (m_stopRequested)
            return Fetch::Stopped;
        kind = classifyReply();
        if (kind == ReplyKind::Catalogue || kind == ReplyKind::NoEvents || kind == ReplyKind::SearchLimit
            || attempt == kRetries)
            break;
        m_platform.sleep.sleep(kRetryPauseMs);
        if (m_stopRequested)
            return Fetch::Stopped;
    }

    // Too many events for one query: fetch the period again in two halves, in order, so that no
    // day is lost. Only the first half may still be matched against the stored records.
    if (kind == ReplyKind::SearchLimit && period.firstDay < period.lastDay) {
        QFile::remove(replyPath());
        MonthRequest first = period;
        first.lastDay = period.firstDay + (period.lastDay - period.firstDay) / 2;
        MonthRequest second = period;
        second.firstDay = first.lastDay + 1;
        second.matchFirst = false;
        const Fetch f = fetchPeriod(first, StartCount);
        return f == Fetch::Done ? fetchPeriod(second, StartCount) : f;
    }

    if (!QFile::exists(replyPath()))
        return Fetch::NoReply;
    if (kind == ReplyKind::NoEvents) {
        QFile::remove(replyPath());
        return Fetch::Done;
    }
    FormObserver observer(m_form, m_platform.dialogs);
    const AnalizaResult result
        = AnalizaFile(replyPath(), m_state.catalogue, StartCount, period.matchFirst, observer);
    QFile::remove(replyPath());
    if (m_stopRequested)
        return Fetch::Stopped;
    // A server that keeps failing for a period must not leave a hole: saving the later months
    // would move the next update past it for good. The update ends unsaved and the next one
    // fetches the period again. (A single day over the search limit can never be fetched, so
    // that one is reported and passed over.)
    if (!result.accepted && kind == ReplyKind::Other)
        return Fetch::Refused;
    return result.capacityReached ? Fetch::CatalogueFull : Fetch::Done;
}

bool UpdateCycle::Akt_Bazy()
{
    if (m_running)
        return false;
    const RunningFlag running(m_running);
    m_stopRequested = false;

    m_form.Timer2->stop();
    const double today = m_platform.clock.today();
    setLamp(true);

    Catalogue& catalogue = m_state.catalogue;
    const UpdatePlan plan = planUpdate(catalogue, today);
    if (plan.rebuild) {
        catalogue.CatalogueCount = 0;
        catalogue.ImportCount = 0;
    }
    const int StartCount = plan.startCount;

    bool full = false;
    const int months = int(plan.months.size());
    for (int i = 0; i < months && !full; ++i) {
        const MonthRequest& request = plan.months[std::size_t(i)];
        showProgress(i + 1, months, request);
        switch (fetchPeriod(request, StartCount)) {
        case Fetch::Stopped:
            return true;
        case Fetch::NoReply:
        case Fetch::Refused:
            // Automatic updates stay off until an update completes.
            m_form.StatusBar1->setPanelText(kStatusPanel,
                QStringLiteral("Aktualizacja bazy USGS przerwana (%1-%2): serwer nie przysłał katalogu.")
                    .arg(request.year)
                    .arg(request.month, 2, 10, QLatin1Char('0')));
            setLamp(false);
            return true;
        case Fetch::CatalogueFull:
            full = true;
            break;
        case Fetch::Done:
            break;
        }
        showCatalogueDates();
    }

    if (full)
        m_platform.dialogs.warning(
            QStringLiteral("Baza USGS jest pełna (%1 rekordów): import przerwano, zapisane "
                           "zostaną rekordy, które się zmieściły.")
                .arg(kCatalogueCapacity));

    if (catalogue.CatalogueCount == catalogue.ImportCount) {
        log(updatedLine());
        m_form.StatusBar1->setPanelText(kStatusPanel, updatedLine());
    } else {
        finishWithSave();
    }
    switchTimer2On();
    setLamp(false);
    return true;
}

void UpdateCycle::finishWithSave()
{
    Catalogue& catalogue = m_state.catalogue;
    log(kSavingText);
    m_form.Memo1->repaintNow();
    catalogue.CatalogueCount = catalogue.ImportCount;
    const SaveResult saved = SaveCatalogue(catalogue);
    if (!saved.ok) {
        // The rows stay in memory; reloading the old file now would throw them away.
        m_platform.dialogs.error(
            QStringLiteral("Nie można zapisać pliku %1: %2").arg(catalogue.CatalogueFileName, saved.error));
        log(updatedLine());
        return;
    }
    log(kSavedText);
    m_form.Memo1->repaintNow();
    CatalogueView(m_form, m_state, m_platform.dialogs).Wczytaj_baze();
    log(kReloadedText);
    log(updatedLine());
    m_form.Memo1->repaintNow();
}

void UpdateCycle::DsFancyButton4Click()
{
    guarded(m_platform.dialogs, [this] {
        if (!Akt_Bazy()) {
            m_form.StatusBar1->setPanelText(
                kStatusPanel, QStringLiteral("Aktualizacja bazy USGS już trwa..."));
            return;
        }
        m_form.Timer5->start();
    });
}

void UpdateCycle::Timer2Timer()
{
    if (m_form.Timer2->interval() == 0) {
        m_form.Timer2->stop(); // an interval of 0 never fires
        return;
    }
    if (!m_form.CheckBox10->isChecked())
        return;
    guarded(m_platform.dialogs, [this] { Akt_Bazy(); });
}

void UpdateCycle::Timer5Timer()
{
    // While an update runs, Timer5 keeps ticking and does its work once that update is over.
    if (m_running)
        return;
    guarded(m_platform.dialogs, [this] {
        if (m_state.catalogue.CatalogueCount > 0) {
            m_form.Timer5->stop();
            Akt_Bazy();
            m_form.Timer5->start();
        }
        if (m_dayRedraw)
            m_dayRedraw();
        m_form.Timer5->stop();
    });
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
