// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QueryUrl.h"
#include "gui/window/Language.h"
#include "platform/Platform.h"

#include <QString>

#include <memory>
#include <optional>

namespace tremora
{

class CatalogueView;
class CriteriaGroup;
class LanguageChoice;
class ListingExport;
class MapDisplay;
class MapInteractions;
class ProgramEvents;
class RememberedSettings;
class ReportTable;
class Replay;
class RowActions;
class Satellite;
class SearchPanel;
class Charts;
class TForm1;
class TileSource;
class Tray;
class UpdateCycle;
class Warnings;
class WindowShell;
struct ProgramState;

inline const QString kDefaultEventHost = QString::fromLatin1(kUsgsDefaultHost);

/// What the command line may change.
struct ProgramOptions {
    /// Base URL of the event service.
    QString eventHost = kDefaultEventHost;
    /// Base URL of the tile server; empty means none is configured.
    QString tileHost;
    /// XYZ template of a Web Mercator imagery service ("http://host/{z}/{x}/{y}.jpg"); when set,
    /// satellite tiles come from it, whatever the tile host.
    QString tileUrl;
    /// Folder of the program's files; empty means the current folder.
    QString workDir;
    /// The file the user's choices are remembered in between runs; empty remembers nothing.
    QString settingsFile;
    /// The language asked for on the command line; it wins over the one remembered.
    std::optional<Language> language;
};

/// The running program: the platform, the main window, the program state and the controllers
/// of every area. Controllers are created in dependency order, each connecting its own controls;
/// start() then runs the start-up routine and starts the timers.
///
/// Tests build a Program over doubles and a folder of their own, without showing the window:
///
///     fakes::FixedClock clock(dayNumber(2015, 7, 3) + 0.5);
///     fakes::RecordingDialogs dialogs;
///     fakes::ScriptedDownloader downloader;
///     fakes::NoPause pause;
///     Platform platform{clock, dialogs, downloader, pause, "http://127.0.0.1:8080", ""};
///     QTemporaryDir dir;                              // holds Baza_USGS.dat etc. if wanted
///     Program program(platform, ProgramOptions{.workDir = dir.path()});   // remembers nothing
///     program.FormCreate();                           // start-up without starting the timers
///     // or program.start() for start-up and timers
///     program.form().Label3->text();                  // drive and read the real controls
///
/// The event and tile hosts come from the Platform given; the options' hosts serve the
/// constructor that builds the real platform. The options' tile URL serves both.
class Program
{
public:
    /// The real program: system clock, message boxes, network downloads, timer pauses.
    explicit Program(const ProgramOptions& options);
    /// A program over the given platform (tests); balloons go to `tray`, or to the window's tray
    /// icon when none is given.
    Program(Platform& platform, const ProgramOptions& options = {}, Tray* tray = nullptr);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// FormCreate, then the timers that run from the start.
    void start();
    /// The start-up routine: place list, catalogue, period pickers, update interval, tabs.
    void FormCreate();
    /// Starts every timer that is enabled once start-up is through.
    void startTimers();

    TForm1& form() { return *m_form; }
    ProgramState& state() { return *m_state; }
    ProgramEvents& events() { return *m_events; }
    Platform& platform() { return *m_platform; }
    CatalogueView& catalogueView() { return *m_catalogueView; }
    ReportTable& reportTable() { return *m_reportTable; }
    MapDisplay& mapDisplay() { return *m_mapDisplay; }
    Charts& charts() { return *m_charts; }
    SearchPanel& searchPanel() { return *m_searchPanel; }
    WindowShell& shell() { return *m_shell; }
    UpdateCycle& updateCycle() { return *m_updateCycle; }
    Satellite& satellite() { return *m_satellite; }
    MapInteractions& mapInteractions() { return *m_mapInteractions; }
    Warnings& warnings() { return *m_warnings; }
    Replay& replay() { return *m_replay; }
    ListingExport& listingExport() { return *m_listingExport; }
    LanguageChoice& languageChoice() { return *m_languageChoice; }
    RememberedSettings& settings() { return *m_settings; }

private:
    struct RealPlatform;

    void createControllers(Tray* tray);
    void showRememberedMapPicture();

    std::unique_ptr<RealPlatform> m_real;
    Platform* m_platform = nullptr;
    std::unique_ptr<ProgramState> m_state;
    std::unique_ptr<ProgramEvents> m_events;
    std::unique_ptr<TForm1> m_form;
    /// The two sets of criteria of the window, the search's and the warnings'.
    std::unique_ptr<CriteriaGroup> m_searchCriteria;
    std::unique_ptr<CriteriaGroup> m_warningCriteria;
    std::unique_ptr<CatalogueView> m_catalogueView;
    std::unique_ptr<ReportTable> m_reportTable;
    std::unique_ptr<UpdateCycle> m_updateCycle;
    std::unique_ptr<MapDisplay> m_mapDisplay;
    std::unique_ptr<SearchPanel> m_searchPanel;
    std::unique_ptr<Charts> m_charts;
    /// Tiles from the imagery service, else from the tile host, else cut from the world picture.
    std::unique_ptr<TileSource> m_tiles;
    QString m_tileUrl;
    ProgramOptions m_options;
    std::unique_ptr<Satellite> m_satellite;
    std::unique_ptr<RowActions> m_rowActions;
    std::unique_ptr<MapInteractions> m_mapInteractions;
    std::unique_ptr<Tray> m_systemTray; // the window's tray icon, unless a tray was given
    std::unique_ptr<Warnings> m_warnings;
    std::unique_ptr<Replay> m_replay;
    std::unique_ptr<ListingExport> m_listingExport;
    std::unique_ptr<LanguageChoice> m_languageChoice;
    std::unique_ptr<RememberedSettings> m_settings;
    WindowShell* m_shell = nullptr; // owned by the window
};

} // namespace tremora
