// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/CatalogueView.h"

#include "catalogue/CatalogueFile.h"
#include "catalogue/DayNumber.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Dialogs.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QLabel>

namespace tremora
{

namespace
{

void setAndShow(QLabel* label, const QString& text)
{
    label->setText(text);
    label->repaint();
}

} // namespace

CatalogueView::CatalogueView(TForm1& form, ProgramState& state, Dialogs& dialogs, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_events(events)
{
    connect(&m_events, &ProgramEvents::catalogueReloaded, this, &CatalogueView::showLoad);
}

void CatalogueView::Wczytaj_baze()
{
    Q_EMIT m_events.catalogueReloaded(LoadCatalogue(m_state.catalogue));
}

void CatalogueView::showLoad(const LoadResult& result)
{
    showSummary();

    const int count = m_state.catalogue.CatalogueCount;
    if (result.overCapacity) {
        const QString notice = QStringLiteral("Baza USGS odczytana częściowo: wczytano %1 z %2 rekordów.")
                                   .arg(count)
                                   .arg(result.recordsInFile);
        m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, notice);
        m_dialogs.warning(QStringLiteral("Plik %1 zawiera %2 rekordów, a baza mieści najwyżej %3.\n"
                                         "Wczytano %4 najstarszych rekordów; pozostałych nie wczytano.")
                              .arg(m_state.catalogue.CatalogueFileName)
                              .arg(result.recordsInFile)
                              .arg(kCatalogueCapacity)
                              .arg(count));
        return;
    }

    if (!result.error.isEmpty()) {
        // A read that broke off must not pass for a good load.
        m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, count >= 1 ? kPartialText : kMissingText);
        m_dialogs.error(QStringLiteral("Nie można odczytać pliku %1: %2")
                            .arg(m_state.catalogue.CatalogueFileName, result.error));
        return;
    }
    m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, count >= 1 ? kLoadedText : kMissingText);
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
