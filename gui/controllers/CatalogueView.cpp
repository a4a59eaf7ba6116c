// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/CatalogueView.h"

#include "catalogue/CatalogueFile.h"
#include "catalogue/DayNumber.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

namespace tremora
{

namespace
{

void setAndShow(QLabel* label, const QString& text)
{
    label->setText(text);
    label->repaint();
}

// 12345 -> "12 345".
QString groupedNumber(qint64 n)
{
    QString digits = QString::number(n);
    for (qsizetype at = digits.size() - 3; at > (n < 0 ? 1 : 0); at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

// The count and the words of its Polish form: one, a few (2-4, but not 12-14), many.
QString countedText(qint64 n, const QString& one, const QString& few, const QString& many)
{
    const qint64 last = n % 10;
    const qint64 lastTwo = n % 100;
    const bool isFew = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
    return groupedNumber(n) + QLatin1Char(' ') + (n == 1 ? one : isFew ? few : many);
}

// "1 najstarszy wstrząs", "3 najstarsze wstrząsy", "12 345 najstarszych wstrząsów".
QString oldestQuakesText(qint64 n)
{
    return countedText(n, CatalogueView::tr("najstarszy wstrząs"), CatalogueView::tr("najstarsze wstrząsy"),
        CatalogueView::tr("najstarszych wstrząsów"));
}

// "1 uszkodzony rekord", "3 uszkodzone rekordy", "100 uszkodzonych rekordów".
QString damagedRecordsText(qint64 n)
{
    return countedText(n, CatalogueView::tr("uszkodzony rekord"), CatalogueView::tr("uszkodzone rekordy"),
        CatalogueView::tr("uszkodzonych rekordów"));
}

} // namespace

CatalogueView::CatalogueView(
    TForm1& form, ProgramState& state, Dialogs& dialogs, const Clock& clock, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_events(events)
{
    connect(&m_events, &ProgramEvents::catalogueReloaded, this, &CatalogueView::showLoad);
    connect(&m_events, &ProgramEvents::catalogueReloaded, this,
        [this](const LoadResult& result) { m_state.oldestRecordsGaveWay(result.droppedOldest); });
}

void CatalogueView::Wczytaj_baze()
{
    Q_EMIT m_events.catalogueReloaded(LoadCatalogue(m_state.catalogue));
}

void CatalogueView::showLoad(const LoadResult& result)
{
    showSummary();

    const int count = m_state.catalogue.CatalogueCount;
    const QString fileName = m_state.catalogue.CatalogueFileName;
    if (!result.error.isEmpty()) {
        // A read that broke off must not pass for a good load. What was read is used, but the
        // next save would replace the file and every record only it still holds: the file goes
        // aside first, and the next update writes a new one.
        const bool opened = result.recordsInFile > 0;
        const SetAside aside = opened ? setAsideDamagedFile(fileName, qDate(m_clock.today())) : SetAside {};
        if (aside.ok) {
            tellOnce([count, inFile = result.recordsInFile, kept = QFileInfo(aside.path).fileName()] {
                return tr(
                    "Baza USGS odczytana częściowo (%1 z %2 rekordów); uszkodzony plik zachowano jako %3.")
                    .arg(count)
                    .arg(inFile)
                    .arg(kept);
            });
            return;
        }
        m_form.StatusBar1->setMessage([count] { return tr(count >= 1 ? kPartialText : kMissingText); });
        m_dialogs.error(tr("Nie można odczytać pliku %1: %2").arg(fileName, result.error));
        return;
    }
    if (result.damaged > 0) {
        // The damaged records were left out; the file as it was goes aside untouched, so that no
        // byte of it is lost, and the sound records are written anew at once: a program closed
        // before its next update finds them at the next start.
        const SetAside aside = setAsideDamagedFile(fileName, qDate(m_clock.today()));
        if (aside.ok) {
            if (const SaveResult saved = SaveCatalogue(m_state.catalogue); !saved.ok)
                m_dialogs.error(tr("Nie można zapisać pliku %1: %2").arg(fileName, saved.error));
            tellOnce([damaged = result.damaged, kept = QFileInfo(aside.path).fileName()] {
                return tr("Baza USGS: pominięto %1; uszkodzony plik zachowano jako %2.")
                    .arg(damagedRecordsText(damaged), kept);
            });
            return;
        }
        m_form.StatusBar1->setMessage([count] { return tr(count >= 1 ? kPartialText : kMissingText); });
        m_dialogs.error(tr("Baza USGS: pominięto %1, ale pliku %2 nie można odłożyć: %3")
                            .arg(damagedRecordsText(result.damaged), fileName, aside.error));
        return;
    }

    // A full catalogue is the normal state of a program that has followed the service for years:
    // the status bar says what gave way, and no box interrupts anyone.
    const qint64 leftOut = result.overCapacity ? result.recordsInFile - result.loaded : 0;
    if ((result.droppedOldest > 0 || leftOut > 0) && count >= 1) {
        m_form.StatusBar1->setMessage(
            [dropped = result.droppedOldest, leftOut, first = dateText(m_state.catalogue[1].OriginDate)] {
                const QString what = dropped > 0 ? tr("usunięto %1").arg(oldestQuakesText(dropped))
                                                 : tr("pominięto %1 z pliku").arg(oldestQuakesText(leftOut));
                return tr("Baza pełna: %1; baza zaczyna się od %2").arg(what, first);
            });
        return;
    }
    m_form.StatusBar1->setMessage([count] { return tr(count >= 1 ? kLoadedText : kMissingText); });
}

void CatalogueView::tellOnce(const std::function<QString()>& text)
{
    m_form.StatusBar1->setMessage(text);
    m_form.Memo1->appendLine(text());
    // The update a second after start-up takes the log and the status bar over; "Ostrzeżenia"
    // keeps the news until the user has read it.
    m_form.Memo2->appendPlainText(text());
}

void CatalogueView::showSummary()
{
    const Catalogue& catalogue = m_state.catalogue;
    if (catalogue.CatalogueCount <= 0)
        return;
    const QuakeRecord& first = catalogue[1];
    const QuakeRecord& last = catalogue.newest();
    setAndShow(m_form.Label3, QString::number(catalogue.CatalogueCount));
    setAndShow(m_form.Label7, dateText(first.OriginDate));
    setAndShow(m_form.Label9, dateText(last.OriginDate));
    setAndShow(m_form.Label16, timeText(last.OriginTime));
}

} // namespace tremora
