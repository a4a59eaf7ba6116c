// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/MapDisplay.h"

#include "catalogue/DayNumber.h"
#include "gui/controllers/Guarded.h"
#include "gui/controllers/MapCanvas.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "map/ShownQuakes.h"
#include "platform/ConversionError.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/PeriodSpan.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <cmath>

namespace tremora
{

namespace
{

// Records between two looks at the clock of the progress bar.
constexpr int kProgressStride = 4096;

QSize projectedPictureSize(QSize picture, QSize control)
{
    const FittedSize fit
        = FittedMapSize(picture.width(), picture.height(), control.width(), control.height());
    return fit.valid ? QSize(fit.W, fit.H) : QSize();
}

} // namespace

MapDisplay::MapDisplay(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
{
    // The picture is drawn at exactly the size the marks are projected onto.
    m_form.Image1->setPictureSizer(&projectedPictureSize);
    // The two choices share their parent with other radio groups nested deeper, which defeats
    // automatic exclusivity; a group of their own keeps exactly one checked.
    auto* magnitudeChoice = new QButtonGroup(this);
    magnitudeChoice->addButton(m_form.RadioButton6);
    magnitudeChoice->addButton(m_form.RadioButton7);
    connectControls();
}

void MapDisplay::connectControls()
{
    TForm1& f = m_form;
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, f.Button14, &QPushButton::clicked, this, &MapDisplay::Button14Click);
    connectGuarded(dialogs, f.Button15, &QPushButton::clicked, this, &MapDisplay::Button15Click);
    connectGuarded(dialogs, f.ComboBox1, &QComboBox::activated, this, &MapDisplay::Zmiana_zakresu);
    connectGuarded(dialogs, f.MonthCalendar1, &QCalendarWidget::clicked, this, &MapDisplay::Kalendarz);
    connectGuarded(dialogs, f.DateTimePicker1, &DateTimePicker::closeUp, this, &MapDisplay::Zm_daty1);
    connectGuarded(dialogs, f.DateTimePicker2, &DateTimePicker::closeUp, this, &MapDisplay::Zm_daty2);
    connectGuarded(dialogs, &m_events, &ProgramEvents::calendarDayRequested, this, &MapDisplay::Kalendarz2);
    connectGuarded(dialogs, &m_events, &ProgramEvents::mapClearRequested, this, &MapDisplay::Button15Click);
    // The replay takes the map and the log over; a catalogue rearranged under a running display
    // is walked again from its start.
    connect(&m_events, &ProgramEvents::replayStarted, this, &MapDisplay::stopDisplay);
    connect(&m_events, &ProgramEvents::catalogueReloaded, this, &MapDisplay::restartDisplay);
    // A listing or a chart fills the shown list too: one walk at a time.
    connect(&m_events, &ProgramEvents::walkStarted, this, [this](const QObject* walk) {
        if (walk != this)
            stopDisplay();
    });
    m_nextSlice.setSingleShot(true);
    m_nextSlice.setInterval(0);
    connectGuarded(dialogs, &m_nextSlice, &QTimer::timeout, this, &MapDisplay::displaySlice);
}

FittedSize MapDisplay::fittedSize() const
{
    return mapFit(m_form);
}

MagnitudeRange MapDisplay::magnitudeRange() const
{
    const TForm1& f = m_form;
    return magnitudeRangeOf(
        f.SpinEdit1->value(), f.SpinEdit3->value(), f.SpinEdit2->value(), f.SpinEdit4->value());
}

bool MapDisplay::InMapMagnitudeRange(int mag10) const
{
    return tremora::InMapMagnitudeRange(mag10, magnitudeRange());
}

MarkCanvas MapDisplay::markCanvas()
{
    return mapMarkCanvas(m_form);
}

void MapDisplay::drawQuake(MarkCanvas& canvas, const QuakeRecord& record, const MarkColours& colours)
{
    Poz(canvas, record.Mag10, colours.fill, record.Longitude, record.Latitude, colours.outline);
}

void MapDisplay::drawShownQuakes(const MarkColours& colours)
{
    drawQuakes(m_form, m_state.ShownQuakes, colours);
}

void MapDisplay::showQuake(MarkCanvas& canvas, int position, const QuakeRecord& record)
{
    drawQuake(canvas, record, kOrdinaryMark);
    m_state.ShownQuakes.append(record, kMapShownLimit);
    m_form.Memo1->appendLine(m_logLine.format(position, record));
}

void MapDisplay::setStatus(const QString& text)
{
    // The bar repaints the panel at once, so the text shows while the scan runs.
    m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, text);
}

void MapDisplay::finishDrawing()
{
    m_form.PaintBox1->update();
    m_form.Memo1->repaintNow();
    Q_EMIT m_events.shownQuakesChanged();
}

void MapDisplay::Button14Click()
{
    TForm1& f = m_form;
    stopDisplay();
    Q_EMIT m_events.walkStarted(this);
    Q_EMIT m_events.longJobStarted();
    if (f.Image1->width() < kMinMapSide || f.Image1->height() < kMinMapSide) {
        setStatus(tr(kMapTooSmallText));
        Q_EMIT m_events.longJobEnded();
        return;
    }
    m_state.ShownQuakes.clear();
    f.Memo1->clear();
    setStatus(tr(kCountingText));
    m_display = DisplayRun { f.DateTimePicker1->value(), f.DateTimePicker2->value(), magnitudeRange(), 1,
        m_state.catalogue.CatalogueCount, {} };
    displaySlice();
}

void MapDisplay::displaySlice()
{
    DisplayRun& run = *m_display;
    const Catalogue& catalogue = m_state.catalogue;
    // Never past the end of the catalogue as it is now.
    const int last = std::min(run.last, catalogue.CatalogueCount);
    const int sliceEnd = run.next + std::min(kDisplaySliceRecords, std::max(last - run.next + 1, 0));
    MarkCanvas canvas = markCanvas();
    const QuakeRecord* records = catalogue.slots();
    for (int i = run.next; i < sliceEnd; ++i) {
        const QuakeRecord& r = records[i];
        if (InMapPeriod(r.OriginDate, run.start, run.end) && tremora::InMapMagnitudeRange(r.Mag10, run.range))
            showQuake(canvas, i, r);
    }
    run.next = sliceEnd;
    if (run.next <= last) {
        // What is drawn so far shows now and then, and the bar says how far the walk is.
        if (!run.sinceShown.isValid() || run.sinceShown.elapsed() >= kDisplayShowMs) {
            run.sinceShown.start();
            m_form.PaintBox1->update();
            m_form.StatusBar1->showProgress(run.next - 1, last);
        }
        m_nextSlice.start();
        return;
    }
    m_display.reset();
    m_form.StatusBar1->hideProgress();
    finishDrawing();
    setStatus(tr(kDoneText));
    Q_EMIT m_events.longJobEnded();
}

void MapDisplay::stopDisplay()
{
    if (!m_display)
        return;
    m_nextSlice.stop();
    m_display.reset();
    m_form.StatusBar1->hideProgress();
    finishDrawing();
    Q_EMIT m_events.longJobEnded();
}

void MapDisplay::restartDisplay()
{
    if (!m_display)
        return;
    m_state.ShownQuakes.clear();
    m_form.Memo1->clear();
    m_display->next = 1;
    m_display->last = m_state.catalogue.CatalogueCount;
    m_nextSlice.start();
}

void MapDisplay::Button15Click()
{
    stopDisplay();
    m_form.Memo1->clear();
    Czysc_PaintBox();
    m_state.ShownQuakes.clear();
    Q_EMIT m_events.shownQuakesChanged();
}

void MapDisplay::Czysc_PaintBox()
{
    m_form.PaintBox1->clearMarks();
    m_form.PaintBox1->repaint();
}

void MapDisplay::Zmiana_zakresu()
{
    const int item = m_form.ComboBox1->currentIndex();
    if (item < 0 || item >= kPeriodItemCount)
        return;
    const Catalogue& catalogue = m_state.catalogue;
    if (item == kWholeCatalogueItem) {
        if (catalogue.CatalogueCount > 0)
            m_form.DateTimePicker1->setDay(catalogue[1].OriginDate);
        return;
    }
    m_form.DateTimePicker1->setDay(m_platform.clock.today() - kPeriodDays[item]);
}

void MapDisplay::Kalendarz()
{
    Q_EMIT m_events.calendarDayChosen();
    Kalendarz2();
}

void MapDisplay::Kalendarz2()
{
    // The day takes the map, the log and the table over.
    stopDisplay();
    Q_EMIT m_events.walkStarted(this);
    TForm1& f = m_form;
    f.MonthCalendar1->setMaximumDate(qDate(m_platform.clock.today()));
    if (f.CheckBox1->isChecked())
        Button15Click();
    m_state.clearListing();
    int n = 0;
    const double day = dayOf(f.MonthCalendar1->selectedDate());

    const bool allMagnitudes = f.RadioButton6->isChecked();
    const MagnitudeRange range = magnitudeRange();
    MarkCanvas canvas = markCanvas();
    const Catalogue& catalogue = m_state.catalogue;
    const QuakeRecord* records = catalogue.slots();
    {
        // Rows appear together when the day is through.
        const ReportTableModel::AppendBatch batch(m_state.reportRows);
        const PlaceLanguage language
            = placeLanguage(f.RadioButton1->isChecked(), f.RadioButton2->isChecked());
        for (int i = 1; i <= catalogue.CatalogueCount; ++i) {
            const QuakeRecord& r = records[i];
            if (r.OriginDate != day || !(allMagnitudes || tremora::InMapMagnitudeRange(r.Mag10, range)))
                continue;
            showQuake(canvas, i, r);
            ++n;
            if (n <= kDayTableLimit)
                m_state.Wysw_tab1(i, language);
        }
    }
    f.Label29->setText(QString::number(n));
    Q_EMIT m_events.listingFinished();
    finishDrawing();
}

void MapDisplay::Zm_daty1()
{
    const Catalogue& catalogue = m_state.catalogue;
    DateTimePicker* picker = m_form.DateTimePicker1;
    if (catalogue.CatalogueCount == 0)
        picker->setDay(m_platform.clock.today());
    else if (picker->value() < catalogue[1].OriginDate)
        picker->setDay(catalogue[1].OriginDate);
}

void MapDisplay::Zm_daty2()
{
    const Catalogue& catalogue = m_state.catalogue;
    DateTimePicker* picker = m_form.DateTimePicker2;
    if (catalogue.CatalogueCount == 0)
        picker->setDay(m_platform.clock.today());
    else if (picker->value() > catalogue.newest().OriginDate)
        picker->setDay(catalogue.newest().OriginDate);
}

} // namespace tremora
