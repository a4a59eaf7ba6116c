// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QSlider;
class QSpinBox;
class QSystemTrayIcon;
class QTabWidget;
class QTableView;
class QTextBrowser;
class QTimer;

namespace tremora
{

class BannerMenu;
class ChartView;
class DateTimePicker;
class Lamp;
class LogMemo;
class MapImage;
class PaintBox;
class StatusBar;
class TForm2;

/// The main window. It owns every control of the program; each control is a public member named
/// as the program names it and carries that name as its objectName. The window holds no
/// behaviour beyond its own look: the controllers of each area connect to the controls.
/// Every control starts with its default; the timers are built but not started.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    /// Tabs of PageControl1.
    enum MainTab { TabQuakes = 0, TabBase = 1, TabSatellite = 2, TabInfo = 3 };
    /// Tabs of PageControl4.
    enum BaseTab { TabReport = 0, TabMagnitude = 1, TabEnergy = 2, TabDistribution = 3 };
    /// Tabs of PageControl3.
    enum WarningTab { TabWarnings = 0, TabFilters = 1 };

    /// Least height of the panel under the map (log memo, update panel, warnings); it takes
    /// whatever height the map leaves.
    static constexpr int kLowerPanelHeight = 137;
    /// Least width of the right-hand panel of the tab "Baza"; it is as wide as its contents need.
    static constexpr int kBaseSidePanelWidth = 257;
    /// Side of a satellite tile and of the location picture.
    static constexpr int kTileSide = 255;

    // Each group says which controller of gui/controllers owns it: connects its signals and
    // writes it. A group with no behaviour yet names the area whose controller will own it.

    // Frame. StatusBar1: every controller writes its message panel (UpdateCycle, MapDisplay,
    // CatalogueView). The page controls: Program picks the first pages at start-up; ReportTable
    // turns PageControl4 to the report when it lists.
    StatusBar* StatusBar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QTabWidget* PageControl3 = nullptr;
    QTabWidget* PageControl4 = nullptr;

    // Tab "Trzęsienia Ziemi": the map and the log. MapDisplay owns Image1 (it sets how the picture
    // is sized; WindowShell puts the picture in) and PaintBox1 (the marks; MapInteractions takes
    // its mouse). Memo1: MapDisplay writes the shown earthquakes, UpdateCycle the update's lines.
    MapImage* Image1 = nullptr;
    PaintBox* PaintBox1 = nullptr;
    LogMemo* Memo1 = nullptr;

    // Tab "Trzęsienia Ziemi": the update panel. UpdateCycle.
    QPushButton* DsFancyButton4 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QCheckBox* CheckBox16 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QLineEdit* Edit12 = nullptr;

    // Warnings (PageControl3): Warnings; MapInteractions and RowActions copy positions in.
    QPlainTextEdit* Memo2 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit19 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLineEdit* Edit18 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QRadioButton* RadioButton10 = nullptr;
    QRadioButton* RadioButton11 = nullptr;
    QLabel* Label30 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label32 = nullptr;

    // Tab "Baza": the search panel. SearchPanel (the filtered listing and the conjunction labels);
    // Program sets the two pickers' days at start-up.
    DateTimePicker* DateTimePicker3 = nullptr;
    DateTimePicker* DateTimePicker4 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit14 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QLineEdit* Edit16 = nullptr;
    QRadioButton* RadioButton8 = nullptr;
    QRadioButton* RadioButton9 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QPushButton* Button1 = nullptr;

    // Tab "Baza": the record counter and the energy totals. ReportTable (MapDisplay and
    // SearchPanel also count their listings into Label29).
    QLabel* Label29 = nullptr;
    QLabel* Label36 = nullptr;
    QLabel* Label37 = nullptr;

    // Tab "Baza": the chart buttons "Mag", "Energia", "G-R" and "Log". Charts.
    QPushButton* DsFancyButton5 = nullptr;
    QPushButton* DsFancyButton6 = nullptr;
    QPushButton* DsFancyButton8 = nullptr;
    QCheckBox* CheckBox12 = nullptr;

    // Tab "Baza": the listings of the last days. ReportTable.
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;

    // Tab "Baza": the location picture and its zoom panel. Satellite (RowActions writes Edit20
    // when a row is selected).
    QFrame* Panel13 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label35 = nullptr;
    QPushButton* Button11 = nullptr;
    QLineEdit* Edit20 = nullptr;
    MapImage* Image19 = nullptr;
    PaintBox* PaintBox2 = nullptr;
    QLineEdit* Edit21 = nullptr;
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit24 = nullptr;
    QLineEdit* Edit25 = nullptr;
    QLineEdit* Edit26 = nullptr;
    QLineEdit* Edit27 = nullptr;
    QPushButton* Button13 = nullptr;

    // Tab "Baza": the report list (PageControl4). ReportTable.
    QTableView* ControlPanel1 = nullptr;

    // Tab "Baza": the charts (PageControl4): magnitudes, energy per day, the frequency-magnitude
    // distribution. Charts.
    ChartView* DBChart1 = nullptr;
    ChartView* DBChart2 = nullptr;
    ChartView* DBChart3 = nullptr;

    // Tab "Mapa satelitarna": the grid and its zoom. Satellite.
    MapImage* Image2 = nullptr;
    MapImage* Image3 = nullptr;
    MapImage* Image4 = nullptr;
    MapImage* Image5 = nullptr;
    MapImage* Image6 = nullptr;
    MapImage* Image7 = nullptr;
    MapImage* Image8 = nullptr;
    MapImage* Image9 = nullptr;
    MapImage* Image10 = nullptr;
    MapImage* Image11 = nullptr;
    MapImage* Image12 = nullptr;
    MapImage* Image13 = nullptr;
    MapImage* Image14 = nullptr;
    MapImage* Image15 = nullptr;
    MapImage* Image16 = nullptr;
    MapImage* Image17 = nullptr;
    QPushButton* Button9 = nullptr;
    QSlider* TrackBar2 = nullptr;
    QPushButton* Button10 = nullptr;
    QLabel* Label21 = nullptr;
    QLineEdit* Edit28 = nullptr;

    // Tab "Info": static text, no behaviour.
    QTextBrowser* InfoText = nullptr;

    // Tab "Ustawienia" (PageControl2): the language. LanguageChoice (Polish and English; Program
    // leaves the others disabled); ReportTable and MapDisplay read it for the place names.
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;

    // Tab "Ustawienia": "Przywróć ustawienia domyślne" under the groups. RememberedSettings.
    QPushButton* Button16 = nullptr;

    // Tab "Ustawienia": the map-picture buttons "P1", "P2", "Test" (the chart window) and the
    // hidden one. WindowShell.
    QPushButton* DsFancyButton2 = nullptr;
    QPushButton* DsFancyButton3 = nullptr;
    QPushButton* DsFancyButton7 = nullptr;
    QPushButton* DsFancyButton1 = nullptr;

    // Tab "Ustawienia": the update lamp. UpdateCycle.
    Lamp* GphLamp1 = nullptr;

    // Tab "Ustawienia": the day calendar, the magnitude choice and "Kasuj poprzednie punkty".
    // MapDisplay (Program sets the calendar's last day and selection at start-up).
    QCalendarWidget* MonthCalendar1 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
    QCheckBox* CheckBox1 = nullptr;

    // Tab "Ustawienia": the catalogue summary. CatalogueView (UpdateCycle writes Label3 with the
    // import's progress and Label7/Label9 with the span after an update).
    QLabel* Label3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label16 = nullptr;

    // Tab "Ustawienia": the period display, magnitude range, pickers, period chooser, point
    // size, "Wyświetl" and "Wyczyść". MapDisplay (Program sets DateTimePicker2's day at start-up;
    // ReportTable moves DateTimePicker1 with ComboBox2).
    QSpinBox* SpinEdit1 = nullptr;
    QLabel* Label10 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QLabel* Label11 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;
    DateTimePicker* DateTimePicker1 = nullptr;
    DateTimePicker* DateTimePicker2 = nullptr;
    QSpinBox* SpinEdit5 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button14 = nullptr;
    QPushButton* Button15 = nullptr;

    // Tab "Ustawienia": the span chooser beside "Symulacja"; it moves the period start, where a
    // replay begins. ReportTable.
    QComboBox* ComboBox2 = nullptr;

    // Tab "Ustawienia": "Symulacja" with its speed and sound. Replay.
    QPushButton* Button8 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QCheckBox* CheckBox13 = nullptr;
    QLineEdit* Edit29 = nullptr;
    QLineEdit* Edit30 = nullptr;
    QLineEdit* Edit31 = nullptr;
    QCheckBox* CheckBox14 = nullptr;
    QCheckBox* CheckBox15 = nullptr;

    // Popup menus: the window pops them up over the report list and the map. RowActions owns the
    // copies of BarPopupMenu1, MapInteractions its "Pokaż" entries and BarPopupMenu2.
    BannerMenu* BarPopupMenu1 = nullptr;
    QAction* Kopiujlokalizacjdowyszukiwania1 = nullptr;
    QAction* jwwpromieniu100km1 = nullptr;
    QAction* Kopiujlokalizacjdoostrzee1 = nullptr;
    QAction* jwwpromieniu100km2 = nullptr;
    QAction* Pokanamapie1 = nullptr;
    QAction* Pokawszystkonamapie1 = nullptr;
    // "Kopiuj" (Ctrl+C on the table too) and "Eksportuj...": ListingExport.
    QAction* Kopiuj1 = nullptr;
    QAction* Eksportuj1 = nullptr;
    BannerMenu* BarPopupMenu2 = nullptr;
    QAction* Kopiujpooenie1 = nullptr;
    QAction* Kopiujpooenieostrzee1 = nullptr;

    // Timers, built with their intervals and never started here; Program starts those enabled
    // at start. UpdateCycle owns Timer2 (the automatic update), Timer5 (the first update and the
    // day after an update) and Timer7 (the update button's colour). Satellite owns Timer6 (the
    // location picture's marker). MapInteractions owns Timer1 and Timer3 (the blinking), Replay
    // owns Timer4.
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    QTimer* Timer5 = nullptr;
    QTimer* Timer6 = nullptr;
    QTimer* Timer7 = nullptr;

    // The tray icon and the secondary chart window. WindowShell; Warnings shows balloons through
    // the Tray seam over the icon.
    QSystemTrayIcon* CoolTrayIcon1 = nullptr;
    /// The secondary chart window; exists for the whole run, hidden at start.
    TForm2* Form2 = nullptr;

    /// Whether a timer is to run once the program starts (timers are never started by the window).
    static bool enabledAtStart(const QTimer* timer);
    static void setEnabledAtStart(QTimer* timer, bool enabled);

    /// Puts every caption of the window into the language installed now (installLanguage()).
    /// Texts the controllers write (messages, values) are theirs to translate.
    void retranslate();
    /// The project's address set at build time, or the program's name and version without one.
    static QString projectAddress();

    /// Keeps the window within the available area of its screen: no larger, and no further out;
    /// on a screen smaller than the least size at which nothing overlaps, the contents scroll.
    void fitToScreen();
    /// Shows the window filling the available area of its screen, as at a first start: the map
    /// wants all the room there is.
    void showFillingScreen();
    /// The least size of everything inside the frame and above the status bar.
    QSize leastContentsSize() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildQuakesTab();
    QWidget* buildLowerPanel();
    QWidget* buildUpdatePanel();
    QWidget* buildWarningPages();
    QWidget* buildBaseTab();
    QWidget* buildSearchPanel();
    QWidget* buildLocationPanel();
    QWidget* buildBasePages();
    QWidget* buildSatelliteTab();
    QWidget* buildInfoTab();
    QString infoHtml() const;
    QWidget* buildSettingsTab();
    QWidget* buildLanguageGroup();
    QWidget* buildSummaryGroup();
    QWidget* buildDisplayGroup();
    QWidget* buildSimulationGroup();
    void buildMenus();
    void buildTimers();
    void buildTray();
    void applyLook();

    void showReportMenu(const QPoint& pos);
    void showMapMenu(const QPoint& pos);

    /// Keeps the contents at their least size, as far as the screen allows.
    void updateLeastSize();
    QSize frameAllowance() const;

    QScrollArea* m_contents = nullptr;
};

} // namespace tremora
