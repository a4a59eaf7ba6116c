// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/TForm1.h"

#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/ControlFactory.h"
#include "gui/window/Language.h"
#include "gui/window/TForm2.h"
#include "resources/Resources.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>

namespace tremora
{

using namespace controls;

namespace
{

constexpr const char* kEnabledAtStart = "enabledAtStart";
constexpr int kSettingsPanelWidth = 345;
constexpr QSize kDefaultWindowSize(1280, 760);
// Room for a window manager's frame and title bar before the window is shown.
constexpr QSize kFrameAllowance(16, 48);

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
    setWindowIcon(programIcon());

    StatusBar1 = named(new StatusBar(this), "StatusBar1");
    setStatusBar(StatusBar1);

    PageControl1 = named(new QTabWidget, "PageControl1");
    addTab(PageControl1, buildQuakesTab(), QT_TR_NOOP("Trzęsienia Ziemi"));
    addTab(PageControl1, buildBaseTab(), QT_TR_NOOP("Baza"));
    addTab(PageControl1, buildSatelliteTab(), QT_TR_NOOP("Mapa satelitarna"));
    addTab(PageControl1, buildInfoTab(), QT_TR_NOOP("Info"));

    PageControl2 = named(new QTabWidget, "PageControl2");
    addTab(PageControl2, buildSettingsTab(), QT_TR_NOOP("Ustawienia"));
    PageControl2->setFixedWidth(kSettingsPanelWidth);

    auto* contents = new QWidget;
    auto* layout = new QHBoxLayout(contents);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(4);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(PageControl2);
    // On a screen smaller than the window's least size the contents scroll, rather than overlap
    // or reach past the screen's edge (fitToScreen()).
    m_contents = named(new QScrollArea, "Contents");
    m_contents->setWidget(contents);
    m_contents->setWidgetResizable(true);
    m_contents->setFrameShape(QFrame::NoFrame);
    setCentralWidget(m_contents);

    buildMenus();
    buildTimers();
    buildTray();
    applyLook();

    Form2 = new TForm2(this);
    retranslate();
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

QString TForm1::projectAddress()
{
    const QString address = QStringLiteral(TREMORA_HOMEPAGE);
    return address.isEmpty() ? QStringLiteral("Tremora ") + QStringLiteral(TREMORA_VERSION) : address;
}

void TForm1::retranslate()
{
    setWindowTitle(tr("Tremora – sejsmiczność świata (dane USGS)"));
    // Month and day names in the calendars follow the program's language, whatever the system says.
    setLocale(languageLocale(installedLanguage()));
    controls::retranslate(this);
    InfoText->setHtml(infoHtml());
    for (ChartView* chart : { DBChart1, DBChart2 })
        chart->setWatermark(projectAddress());
    // Captions of another length make another least size.
    updateLeastSize();
}

QSize TForm1::leastContentsSize() const
{
    return m_contents->widget()->minimumSizeHint();
}

QSize TForm1::frameAllowance() const
{
    // The frame is known once the window is shown; until then allow for a usual one.
    return isVisible() ? frameGeometry().size() - geometry().size() : kFrameAllowance;
}

void TForm1::updateLeastSize()
{
    // A layout on a page not shown keeps the sizes it knew until the page is shown, so a caption
    // changed meanwhile would go unmeasured: every control tells its layout its size again,
    // innermost first. Nothing is laid out by it; a hidden window keeps its controls' sizes.
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (auto w = widgets.rbegin(); w != widgets.rend(); ++w)
        (*w)->updateGeometry();
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QSize room
        = screen->availableGeometry().size() - frameAllowance() - QSize(0, StatusBar1->sizeHint().height());
    m_contents->setMinimumSize(leastContentsSize().boundedTo(room));
}

void TForm1::fitToScreen()
{
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameAllowance();
    updateLeastSize();
    // Before the window is shown its frame is unknown, and the window manager keeps it on the
    // screen; afterwards the frame counts too.
    resize(size()
               .boundedTo(isVisible() ? available.size() - frame : available.size())
               .expandedTo(minimumSizeHint()));
    QRect placed = frameGeometry();
    if (!available.contains(placed)) {
        placed.moveRight(std::min(placed.right(), available.right()));
        placed.moveBottom(std::min(placed.bottom(), available.bottom()));
        placed.moveLeft(std::max(placed.left(), available.left()));
        placed.moveTop(std::max(placed.top(), available.top()));
        move(placed.topLeft());
    }
}

void TForm1::showFillingScreen()
{
    // Without a window manager maximising does nothing, so the size is set too.
    if (const QScreen* screen = this->screen())
        resize(screen->availableSize());
    fitToScreen();
    showMaximized();
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void TForm1::applyLook()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    setStyleSheet(QString::fromLatin1(kStyleSheet));
}

void TForm1::buildMenus()
{
    // The banner is the menus' name, not a word to translate.
    const QString banner = QStringLiteral("Kest");
    BarPopupMenu1 = named(new BannerMenu(banner, this), "BarPopupMenu1");
    Kopiujlokalizacjdowyszukiwania1 = action(
        BarPopupMenu1, "Kopiujlokalizacjdowyszukiwania1", QT_TR_NOOP("Kopiuj lokalizację do wyszukiwania"));
    jwwpromieniu100km1 = action(BarPopupMenu1, "jwwpromieniu100km1", QT_TR_NOOP("j.w. w promieniu 100 km"));
    Kopiujlokalizacjdoostrzee1 = action(
        BarPopupMenu1, "Kopiujlokalizacjdoostrzee1", QT_TR_NOOP("Kopiuj lokalizację do  \"ostrzeżeń\""));
    jwwpromieniu100km2 = action(BarPopupMenu1, "jwwpromieniu100km2", QT_TR_NOOP("j.w. w promieniu 100 km"));
    BarPopupMenu1->addSeparator();
    Pokanamapie1 = action(BarPopupMenu1, "Pokanamapie1", QT_TR_NOOP("Pokaż na mapie"));
    Pokawszystkonamapie1
        = action(BarPopupMenu1, "Pokawszystkonamapie1", QT_TR_NOOP("Pokaż wszystko na mapie"));
    BarPopupMenu1->addSeparator();
    Kopiuj1 = action(BarPopupMenu1, "Kopiuj1", QT_TR_NOOP("Kopiuj"));
    Kopiuj1->setShortcut(QKeySequence::Copy);
    // Ctrl+C copies rows only while the table has the focus; elsewhere it is the field's own copy.
    Kopiuj1->setShortcutContext(Qt::WidgetShortcut);
    ControlPanel1->addAction(Kopiuj1);
    Eksportuj1 = action(BarPopupMenu1, "Eksportuj1", QT_TR_NOOP("Eksportuj..."));

    BarPopupMenu2 = named(new BannerMenu(banner, this), "BarPopupMenu2");
    Kopiujpooenie1 = action(BarPopupMenu2, "Kopiujpooenie1", QT_TR_NOOP("Kopiuj położenie do wyszukiwania"));
    Kopiujpooenieostrzee1
        = action(BarPopupMenu2, "Kopiujpooenieostrzee1", QT_TR_NOOP("Kopiuj położenie do \"ostrzeżeń\""));

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
