// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/TForm1.h"

#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/TForm2.h"
#include "resources/Resources.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLocale>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace tremora
{

using namespace controls;

namespace
{

constexpr const char* kEnabledAtStart = "enabledAtStart";
constexpr int kSettingsPanelWidth = 345;
constexpr QSize kDefaultWindowSize(1280, 760);

const char* const kStyleSheet = R"(
QPushButton {
    border: 1px solid #7a8ca8; border-radius: 9px; padding: 3px 10px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdff, stop:1 #d6deea);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #c2d3ee); }
QPushButton:pressed { background: #b4c6e4; }
QPushButton:disabled { color: #8a8a8a; border-color: #b8b8b8; }
QGroupBox { border: 1px solid #b0bccc; border-radius: 6px; margin-top: 8px; padding-top: 4px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #1c3a6e; font-weight: bold; }
QLineEdit { border: 1px solid #a0aab8; border-radius: 3px; padding: 1px 3px; background: white; }
QLineEdit:read-only { background: #f1f3f6; }
)";

QIcon programIcon()
{
    QIcon builtIn(appIconPath());
    if (!builtIn.isNull() && !builtIn.availableSizes().isEmpty())
        return builtIn;
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 90, 170));
    p.setPen(QPen(QColor(10, 40, 90), 1.5));
    p.drawEllipse(2, 2, 28, 28);
    p.setPen(QPen(QColor(255, 220, 40), 2.5));
    const QPointF wave[]
        = { { 5, 16 }, { 10, 16 }, { 13, 8 }, { 17, 24 }, { 20, 12 }, { 23, 16 }, { 27, 16 } };
    p.drawPolyline(wave, int(std::size(wave)));
    return QIcon(pixmap);
}

QTimer* makeTimer(QObject* owner, const char* name, int interval, bool enabled)
{
    auto* timer = named(new QTimer(owner), name);
    timer->setInterval(interval);
    timer->setProperty(kEnabledAtStart, enabled);
    return timer;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tremora – sejsmiczność świata (dane USGS)"));
    setWindowIcon(programIcon());

    StatusBar1 = named(new StatusBar(this), "StatusBar1");
    setStatusBar(StatusBar1);

    PageControl1 = named(new QTabWidget, "PageControl1");
    PageControl1->addTab(buildQuakesTab(), QStringLiteral("Trzęsienia Ziemi"));
    PageControl1->addTab(buildBaseTab(), QStringLiteral("Baza"));
    PageControl1->addTab(buildSatelliteTab(), QStringLiteral("Mapa satelitarna"));
    PageControl1->addTab(buildInfoTab(), QStringLiteral("Info"));

    PageControl2 = named(new QTabWidget, "PageControl2");
    PageControl2->addTab(buildSettingsTab(), QStringLiteral("Ustawienia"));
    PageControl2->setFixedWidth(kSettingsPanelWidth);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(PageControl2);
    setCentralWidget(central);

    buildMenus();
    buildTimers();
    buildTray();
    applyLook();

    Form2 = new TForm2(this);
    resize(kDefaultWindowSize);
}

TForm1::~TForm1() = default;

bool TForm1::enabledAtStart(const QTimer* timer)
{
    return timer && timer->property(kEnabledAtStart).toBool();
}

void TForm1::setEnabledAtStart(QTimer* timer, bool enabled)
{
    if (timer)
        timer->setProperty(kEnabledAtStart, enabled);
}

void TForm1::applyLook()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    // Month and day names in the calendars are Polish whatever the system says.
    setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    setStyleSheet(QString::fromLatin1(kStyleSheet));
}

void TForm1::buildMenus()
{
    const QString banner = QStringLiteral("Kest");
    BarPopupMenu1 = named(new BannerMenu(banner, this), "BarPopupMenu1");
    Kopiujlokalizacjdowyszukiwania1
        = BarPopupMenu1->addAction(QStringLiteral("Kopiuj lokalizację do wyszukiwania"));
    Kopiujlokalizacjdowyszukiwania1->setObjectName(QStringLiteral("Kopiujlokalizacjdowyszukiwania1"));
    jwwpromieniu100km1 = BarPopupMenu1->addAction(QStringLiteral("j.w. w promieniu 100 km"));
    jwwpromieniu100km1->setObjectName(QStringLiteral("jwwpromieniu100km1"));
    Kopiujlokalizacjdoostrzee1
        = BarPopupMenu1->addAction(QStringLiteral("Kopiuj lokalizację do  \"ostrzeżeń\""));
    Kopiujlokalizacjdoostrzee1->setObjectName(QStringLiteral("Kopiujlokalizacjdoostrzee1"));
    jwwpromieniu100km2 = BarPopupMenu1->addAction(QStringLiteral("j.w. w promieniu 100 km"));
    jwwpromieniu100km2->setObjectName(QStringLiteral("jwwpromieniu100km2"));
    BarPopupMenu1->addSeparator();
    Pokanamapie1 = BarPopupMenu1->addAction(QStringLiteral("Pokaż na mapie"));
    Pokanamapie1->setObjectName(QStringLiteral("Pokanamapie1"));
    Pokawszystkonamapie1 = BarPopupMenu1->addAction(QStringLiteral("Pokaż wszystko na mapie"));
    Pokawszystkonamapie1->setObjectName(QStringLiteral("Pokawszystkonamapie1"));
    BarPopupMenu1->addSeparator();
    Kopiuj1 = BarPopupMenu1->addAction(QStringLiteral("Kopiuj"));
    Kopiuj1->setObjectName(QStringLiteral("Kopiuj1"));
    Kopiuj1->setShortcut(QKeySequence::Copy);
    // Ctrl+C copies rows only while the table has the focus; elsewhere it is the field's own copy.
    Kopiuj1->setShortcutContext(Qt::WidgetShortcut);
    ControlPanel1->addAction(Kopiuj1);
    Eksportuj1 = BarPopupMenu1->addAction(QStringLiteral("Eksportuj..."));
    Eksportuj1->setObjectName(QStringLiteral("Eksportuj1"));

    BarPopupMenu2 = named(new BannerMenu(banner, this), "BarPopupMenu2");
    Kopiujpooenie1 = BarPopupMenu2->addAction(QStringLiteral("Kopiuj położenie do wyszukiwania"));
    Kopiujpooenie1->setObjectName(QStringLiteral("Kopiujpooenie1"));
    Kopiujpooenieostrzee1 = BarPopupMenu2->addAction(QStringLiteral("Kopiuj położenie do \"ostrzeżeń\""));
    Kopiujpooenieostrzee1->setObjectName(QStringLiteral("Kopiujpooenieostrzee1"));

    ControlPanel1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ControlPanel1, &QWidget::customContextMenuRequested, this, &TForm1::showReportMenu);
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this, &TForm1::showMapMenu);
}

void TForm1::showReportMenu(const QPoint& pos)
{
    BarPopupMenu1->popup(ControlPanel1->viewport()->mapToGlobal(pos));
}

void TForm1::showMapMenu(const QPoint& pos)
{
    BarPopupMenu2->popup(PaintBox1->mapToGlobal(pos));
}

void TForm1::buildTimers()
{
    Timer1 = makeTimer(this, "Timer1", 500, false);
    Timer2 = makeTimer(this, "Timer2", 60000, true);
    Timer3 = makeTimer(this, "Timer3", 1000, true);
    Timer4 = makeTimer(this, "Timer4", 1000, false);
    Timer5 = makeTimer(this, "Timer5", 1000, true);
    Timer6 = makeTimer(this, "Timer6", 500, false);
    Timer7 = makeTimer(this, "Timer7", 1000, true);
}

void TForm1::buildTray()
{
    CoolTrayIcon1 = named(new QSystemTrayIcon(windowIcon(), this), "CoolTrayIcon1");
    CoolTrayIcon1->setToolTip(QStringLiteral("Tremora"));
}

} // namespace tremora
