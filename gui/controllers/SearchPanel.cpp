// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/SearchPanel.h"

#include "gui/controllers/Guarded.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace tremora
{

namespace
{

// Records between two looks at the clock of the progress bar.
constexpr int kProgressStride = 4096;

} // namespace

SearchPanel::SearchPanel(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.Button1, &QPushButton::clicked, this, &SearchPanel::Button1Click);
    connectGuarded(dialogs, m_form.RadioButton8, &QRadioButton::toggled, this, &SearchPanel::Zm_war_baza);
    Zm_war_baza();
}

SearchBoxes searchBoxes(const TForm1& f)
{
    SearchBoxes b;
    b.magnitude = f.CheckBox2->isChecked();
    b.depth = f.CheckBox3->isChecked();
    b.longitude = f.CheckBox4->isChecked();
    b.latitude = f.CheckBox5->isChecked();
    b.texts = { f.Edit10->text(), f.Edit11->text(), f.Edit6->text(), f.Edit9->text(), f.Edit13->text(),
        f.Edit14->text(), f.Edit15->text(), f.Edit16->text() };
    return b;
}

SearchBoxes SearchPanel::boxes() const
{
    return searchBoxes(m_form);
}

bool SearchPanel::formularz1()
{
    if (const std::optional<QString> fault = tremora::formularz1(boxes())) {
        m_platform.dialogs.warning(*fault);
        return false;
    }
    return true;
}

void SearchPanel::Zm_war_baza()
{
    const QString word = m_form.RadioButton8->isChecked() ? QStringLiteral("i") : QStringLiteral("lub");
    for (QLabel* label : { m_form.Label17, m_form.Label18, m_form.Label19 })
        label->setText(word);
}

void SearchPanel::Button1Click()
{
    TForm1& f = m_form;
    Q_EMIT m_events.listingTookOver();
    f.PageControl4->setCurrentIndex(TForm1::TabReport);
    if (!formularz1())
        return;
    const SearchCriteria criteria = searchCriteria(
        boxes(), f.DateTimePicker3->value(), f.DateTimePicker4->value(), !f.RadioButton8->isChecked());

    m_state.clearListing();
    int matches = 0;
    ListingCounter counter(*f.Label29);
    {
        // Rows appear together when the walk is through.
        const ReportTableModel::AppendBatch batch(m_state.reportRows);
        const PlaceLanguage language
            = placeLanguage(f.RadioButton1->isChecked(), f.RadioButton2->isChecked());
        const Catalogue& catalogue = m_state.catalogue;
        const QuakeRecord* records = catalogue.slots();
        HeldProgress progress(*f.StatusBar1, catalogue.CatalogueCount);
        for (int i = catalogue.CatalogueCount; i >= 1 && matches < TableRowLimit; --i) {
            if (i % kProgressStride == 0)
                progress.step(catalogue.CatalogueCount - i);
            if (!MatchesSearch(records[i], criteria))
                continue;
            m_state.Wysw_tab1(i, language);
            ++matches;
            if (m_state.ShownQuakes.append(records[i], kShownCapacity))
                counter.count(m_state.ShownQuakes.ShownCount);
        }
    }
    if (matches == TableRowLimit)
        m_platform.dialogs.warning(QString::fromUtf8(kTableRowLimitMessage));
    f.Label29->setText(QString::number(matches));
    Q_EMIT m_events.listingFinished();
    Q_EMIT m_events.shownQuakesChanged();
}

} // namespace tremora
