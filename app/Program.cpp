// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include "catalogue/DayNumber.h"
#include "gui/controllers/CatalogueView.h"
#include "gui/controllers/Charts.h"
#include "gui/controllers/CriteriaGroup.h"
#include "gui/controllers/LanguageChoice.h"
#include "gui/controllers/ListingExport.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/controllers/MapInteractions.h"
#include "gui/controllers/RememberedSettings.h"
#include "gui/controllers/Replay.h"
#include "gui/controllers/ReportTable.h"
#include "gui/controllers/RowActions.h"
#include "gui/controllers/Satellite.h"
#include "gui/controllers/SearchPanel.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/controllers/Warnings.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MessageBoxDialogs.h"
#include "gui/widgets/SystemTray.h"
#include "gui/window/TForm1.h"
#include "places/PlaceFile.h"
#include "platform/Clock.h"
#include "platform/Pause.h"
#include "platform/QtDownloader.h"
#include "resources/Resources.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tiles/LocalTileSource.h"
#include "tiles/TileSource.h"
#include "tiles/XyzTileSource.h"

#include <QCalendarWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <cmath>

namespace tremora
{

namespace
{

constexpr int kSearchDaysBack = 30;
// The natural-colour picture of the working folder; the best one to cut local tiles from.
constexpr const char* kEarthPictureFile = "Ziemia.jpg";

} // namespace

struct Program::RealPlatform {
    explicit RealPlatform(const ProgramOptions& options)
        : platform { clock, dialogs, downloader, pause, options.eventHost, options.tileHost }
    {
    }
    SystemClock clock;
    MessageBoxDialogs dialogs;
    QtDownloader downloader;
    TimerPause pause;
    Platform platform;
};

Program::Program(const ProgramOptions& options)
    : m_real(std::make_unique<RealPlatform>(options))
    , m_options(options)
{
    m_platform = &m_real->platform;
    m_tileUrl = options.tileUrl;
    m_state = std::make_unique<ProgramState>();
    m_events = std::make_unique<ProgramEvents>();
    if (!options.workDir.isEmpty())
        m_state->workDir = QDir(options.workDir);
    m_form = std::make_unique<TForm1>();
    m_real->dialogs.setParent(m_form.get());
    createControllers(nullptr);
}

Program::Program(Platform& platform, const ProgramOptions& options, Tray* tray)
    : m_platform(&platform)
    , m_tileUrl(options.tileUrl)
    , m_options(options)
{
    m_state = std::make_unique<ProgramState>();
    m_events = std::make_unique<ProgramEvents>();
    if (!options.workDir.isEmpty())
        m_state->workDir = QDir(options.workDir);
    m_form = std::make_unique<TForm1>();
    createControllers(tray);
}

Program::~Program()
{
    // Controllers go before the window they point into, the satellite view before its tiles.
    m_settings.reset();
    m_languageChoice.reset();
    m_listingExport.reset();
    m_warnings.reset();
    m_systemTray.reset();
    m_mapInteractions.reset();
    m_rowActions.reset();
    m_replay.reset();
    m_satellite.reset();
    m_tiles.reset();
    m_charts.reset();
    m_searchPanel.reset();
    m_mapDisplay.reset();
    m_reportTable.reset();
    m_updateCycle.reset();
    m_catalogueView.reset();
    m_warningCriteria.reset();
    m_searchCriteria.reset();
    m_form.reset();
}

void Program::createControllers(Tray* tray)
{
    m_state->catalogue.CatalogueFileName = m_state->path(QString::fromLatin1(kCatalogueFileName));
    // The language first, so everything made after it speaks it.
    m_languageChoice = std::make_unique<LanguageChoice>(*m_form, *m_events);
    m_searchCriteria = std::make_unique<CriteriaGroup>(CriteriaGroup::search(*m_form, m_platform->dialogs));
    m_warningCriteria
        = std::make_unique<CriteriaGroup>(CriteriaGroup::warnings(*m_form, m_platform->dialogs));
    m_catalogueView = std::make_unique<CatalogueView>(
        *m_form, *m_state, m_platform->dialogs, m_platform->clock, *m_events);
    m_shell = new WindowShell(*m_form, *m_state, *m_platform, *m_events);
    m_reportTable = std::make_unique<ReportTable>(*m_form, *m_state, *m_platform, *m_events);
    m_mapDisplay = std::make_unique<MapDisplay>(*m_form, *m_state, *m_platform, *m_events);
    m_updateCycle = std::make_unique<UpdateCycle>(*m_form, *m_state, *m_platform, *m_events);
    m_searchPanel
        = std::make_unique<SearchPanel>(*m_form, *m_state, *m_platform, *m_events, *m_searchCriteria);
    m_charts = std::make_unique<Charts>(*m_form, *m_state, *m_platform, *m_events, *m_searchCriteria);
    if (!m_tileUrl.isEmpty())
        m_tiles = std::make_unique<XyzTileSource>(m_platform->downloader, m_tileUrl);
    else if (m_platform->tileHost.isEmpty())
        m_tiles = std::make_unique<LocalTileSource>(
            QStringList { m_state->path(QString::fromLatin1(kEarthPictureFile)), builtInMapPath() });
    else
        m_tiles = std::make_unique<HostTileSource>(m_platform->downloader, m_platform->tileHost);
    m_satellite = std::make_unique<Satellite>(*m_form, *m_state, *m_platform, *m_events, *m_tiles);
    m_rowActions = std::make_unique<RowActions>(
        *m_form, *m_state, *m_platform, *m_events, *m_searchCriteria, *m_warningCriteria);
    m_mapInteractions = std::make_unique<MapInteractions>(
        *m_form, *m_state, *m_platform, *m_events, *m_searchCriteria, *m_warningCriteria);
    if (tray == nullptr) {
        m_systemTray = std::make_unique<SystemTray>(*m_form->CoolTrayIcon1);
        tray = m_systemTray.get();
    }
    m_warnings
        = std::make_unique<Warnings>(*m_form, *m_state, *m_platform, *m_events, *tray, *m_warningCriteria);
    m_replay = std::make_unique<Replay>(*m_form, *m_state, *m_platform, *m_events);
    m_listingExport = std::make_unique<ListingExport>(*m_form, *m_state, *m_platform);
    // Last: what it restores sets every area's controls through their own handlers.
    m_settings = std::make_unique<RememberedSettings>(*m_form, *m_events, m_options.settingsFile);
}

void Program::start()
{
    FormCreate();
    startTimers();
}

void Program::FormCreate()
{
    TForm1& f = *m_form;
    ProgramState& s = *m_state;
    const double today = m_platform->clock.today();

    // The user's choices of the last run, before anything reads the controls.
    m_settings->restore();
    if (m_options.language)
        m_languageChoice->choose(*m_options.language);
    showRememberedMapPicture();

    const PlaceFileLoad places = LoadPlaceList(s.placeList, s.path(QString::fromLatin1(kPlaceFileName)));
    if (!places.error.isEmpty())
        m_platform->dialogs.error(QStringLiteral("Nie można odczytać pliku %1: %2")
                                      .arg(QString::fromLatin1(kPlaceFileName), places.error));

    m_catalogueView->Wczytaj_baze();
    s.catalogue.ImportCount = s.catalogue.CatalogueCount;

    // Only English is translated.
    for (QRadioButton* language : { f.RadioButton3, f.RadioButton4, f.RadioButton5 })
        language->setEnabled(false);

    const QDate todayDate = qDate(today);
    f.MonthCalendar1->setMaximumDate(todayDate);
    f.MonthCalendar1->setSelectedDate(todayDate);

    m_mapDisplay->Zmiana_zakresu();

    // An empty catalogue has no last day; the period then ends today.
    const int count = s.catalogue.CatalogueCount;
    f.DateTimePicker2->setDay(count > 0 ? s.catalogue[count].OriginDate : today);

    f.DateTimePicker3->setDay(today - kSearchDaysBack);
    f.DateTimePicker4->setDay(today);

    m_updateCycle->Zmiana_timera();

    if (count == 0)
        TForm1::setEnabledAtStart(f.Timer2, false);
    if (count > 0)
        m_warnings->catalogueLoaded();

    s.SelectedLonText = QStringLiteral("0");
    s.SelectedLatText = QStringLiteral("0");

    m_shell->minimiseToTray();

    f.PageControl4->setCurrentIndex(TForm1::TabReport);
    f.PageControl1->setCurrentIndex(TForm1::TabQuakes);

    m_reportTable->ComboBox2Change();
}

void Program::showRememberedMapPicture()
{
    const QString picture = m_settings->mapPicture();
    const QString error = picture.isEmpty() ? QString() : m_shell->showMapPicture(picture);
    if (picture.isEmpty() || !error.isEmpty())
        m_shell->showBuiltInMap();
    // A picture gone since the last run is no reason for a box at start-up.
    if (!error.isEmpty())
        m_form->Memo1->appendLine(error);
}

void Program::startTimers()
{
    TForm1& f = *m_form;
    for (QTimer* timer : { f.Timer1, f.Timer2, f.Timer3, f.Timer4, f.Timer5, f.Timer6, f.Timer7 }) {
        if (TForm1::enabledAtStart(timer))
            timer->start();
    }
}

} // namespace tremora
