// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/WindowShell.h"

#include "gui/controllers/Guarded.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"
#include "platform/Platform.h"
#include "resources/Resources.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"

#include <QEvent>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace tremora
{

namespace
{

/// Size of the stand-in world map drawn when the built-in picture cannot be read.
constexpr QSize kStandInMapSize(2048, 1024);

QImage standInWorldMap()
{
    QImage map(kStandInMapSize, QImage::Format_RGB32);
    QPainter p(&map);
    QLinearGradient sea(0, 0, 0, map.height());
    sea.setColorAt(0, QColor(18, 52, 96));
    sea.setColorAt(0.5, QColor(28, 78, 138));
    sea.setColorAt(1, QColor(18, 52, 96));
    p.fillRect(map.rect(), sea);
    // Graticule every 30 degrees, the equator and the prime meridian brighter.
    const double perDegreeX = map.width() / 360.0;
    const double perDegreeY = map.height() / 180.0;
    for (int lon = -180; lon <= 180; lon += 30) {
        p.setPen(QPen(lon == 0 ? QColor(140, 180, 230) : QColor(70, 110, 170), 1));
        const double x = (lon + 180) * perDegreeX;
        p.drawLine(QPointF(x, 0), QPointF(x, map.height()));
    }
    for (int lat = -90; lat <= 90; lat += 30) {
        p.setPen(QPen(lat == 0 ? QColor(140, 180, 230) : QColor(70, 110, 170), 1));
        const double y = (90 - lat) * perDegreeY;
        p.drawLine(QPointF(0, y), QPointF(map.width(), y));
    }
    return map;
}

} // namespace

WindowShell::WindowShell(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events)
    : QObject(&form)
    , m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_events(events)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(
        dialogs, m_form.DsFancyButton2, &QPushButton::clicked, this, &WindowShell::DsFancyButton2Click);
    connectGuarded(
        dialogs, m_form.DsFancyButton3, &QPushButton::clicked, this, &WindowShell::DsFancyButton3Click);
    connectGuarded(
        dialogs, m_form.DsFancyButton7, &QPushButton::clicked, this, &WindowShell::DsFancyButton7Click);
    connectGuarded(
        dialogs, m_form.DsFancyButton1, &QPushButton::clicked, this, &WindowShell::DsFancyButton1Click);
    connect(m_form.CoolTrayIcon1, &QSystemTrayIcon::activated, this, &WindowShell::trayActivated);
    connect(&m_events, &ProgramEvents::defaultsRestored, this, &WindowShell::showBuiltInMap);
    m_form.installEventFilter(this);
}

void WindowShell::DsFancyButton2Click()
{
    loadMapPicture(kEarthPictureFile);
}

void WindowShell::DsFancyButton3Click()
{
    loadMapPicture(kPlatesPictureFile);
}

QImage WindowShell::readMapPicture(const QString& fileName, QString& error) const
{
    const QString path = m_state.path(fileName);
    QImageReader reader(path);
    QImage picture;
    if (QFile::exists(path))
        picture = reader.read();
    if (picture.isNull()) {
        const QString reason = QFile::exists(path) ? reader.errorString() : tr("plik nie istnieje");
        error = tr("Nie można wczytać obrazu %1: %2").arg(fileName, reason);
    }
    return picture;
}

void WindowShell::loadMapPicture(const QString& fileName)
{
    const QString error = showMapPicture(fileName);
    if (!error.isEmpty())
        m_platform.dialogs.error(error);
}

QString WindowShell::showMapPicture(const QString& fileName)
{
    QString error;
    const QImage picture = readMapPicture(fileName, error);
    if (picture.isNull())
        return error;
    // The marks on the canvas stay as they are; the next display redraws them.
    m_form.Image1->setPicture(picture);
    Q_EMIT m_events.mapPictureShown(fileName);
    return {};
}

void WindowShell::DsFancyButton7Click()
{
    TForm2& chart = *m_form.Form2;
    const QRect main = m_form.frameGeometry();
    chart.resize(m_form.PaintBox1->width() + kChartExtraWidth, TForm2::kHeight);
    chart.move(
        main.left() + kChartLeftOffset, main.top() + main.height() - chart.height() - kChartBottomOffset);
    chart.UnitLabel->move(chart.width() - TForm2::kUnitLabelInset, chart.UnitLabel->y());
    chart.setVisible(!chart.isVisible());
}

void WindowShell::CoolIcon_Wysw()
{
    if (m_form.isVisible()) {
        m_form.hide();
    } else {
        m_form.showNormal();
        m_form.raise();
        m_form.activateWindow();
    }
}

void WindowShell::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
        CoolIcon_Wysw();
}

void WindowShell::minimiseToTray()
{
    m_minimiseToTray = true;
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_form.CoolTrayIcon1->show();
}

bool WindowShell::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::WindowStateChange && m_minimiseToTray
        && m_form.isMinimized() && m_form.CoolTrayIcon1->isVisible()) {
        // Hide once the state change is through, or the window manager keeps a ghost entry.
        QTimer::singleShot(0, &m_form, &QWidget::hide);
    }
    return QObject::eventFilter(watched, event);
}

QImage WindowShell::builtInMap()
{
    QImage map(builtInMapPath());
    // A build without the picture still shows where the earthquakes are.
    return map.isNull() ? standInWorldMap() : map;
}

void WindowShell::showBuiltInMap()
{
    m_form.Image1->setPicture(builtInMap());
    Q_EMIT m_events.mapPictureShown(QString());
}

} // namespace tremora
