// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/Satellite.h"

#include "gui/controllers/Guarded.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/NumberText.h"
#include "table/RowPosition.h"
#include "tiles/TilePicture.h"
#include "tiles/TileSource.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace tremora
{

namespace
{

constexpr int kMarkerRadius = 3;
constexpr int kHttpOkFirst = 200;
constexpr int kHttpOkLast = 299;

bool replyUsable(bool received, int status)
{
    return received && status >= kHttpOkFirst && status <= kHttpOkLast;
}

} // namespace

Satellite::Satellite(
    TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, TileSource& tiles)
    : m_form(form)
    , m_state(state)
    , m_platform(platform)
    , m_tiles(tiles)
{
    Dialogs& dialogs = m_platform.dialogs;
    connectGuarded(dialogs, m_form.Button11, &QPushButton::clicked, this, &Satellite::Button11Click);
    connectGuarded(dialogs, m_form.Button9, &QPushButton::clicked, this, &Satellite::Button9Click);
    connectGuarded(dialogs, m_form.Button13, &QPushButton::clicked, this, &Satellite::Button13Click);
    connectGuarded(dialogs, m_form.TrackBar1, &QSlider::valueChanged, this, &Satellite::TrackBar1Change);
    connectGuarded(dialogs, m_form.Timer6, &QTimer::timeout, this, &Satellite::Timer6Timer);
    connect(&events, &ProgramEvents::rowPictureRequested, this, [this](float lon, float lat) {
        Zdjecie_sat(quint8(m_form.TrackBar1->value()), Mode::Location, lon, lat, Origin::RowSelection);
    });
}

Satellite::~Satellite()
{
    // A tile still on its way must not report to a controller that is gone.
    dropDownload(m_locationDownload);
    dropDownload(m_gridDownload);
}

QString Satellite::filePath(const char* name) const
{
    return m_state.path(QString::fromLatin1(name));
}

void Satellite::dropDownload(QPointer<Download>& download)
{
    if (!download)
        return;
    download->disconnect(this);
    download->abort();
    download->deleteLater();
    download = nullptr;
}

void Satellite::Zdjecie_sat(
    quint8 zoom, Mode mode, float lon, float lat, Origin origin, std::function<void()> gridDone)
{
    m_tile = tileCell(lon, lat, zoom);
    const TileCell cell = m_tile;

    if (mode == Mode::Location) {
        dropDownload(m_locationDownload);
        const QString path = filePath(kLocationPictureFile);
        if (QFile::exists(path))
            QFile::remove(path);
        m_locationDownload = m_tiles.fetch(cell.key, path);
        connect(
            m_locationDownload, &Download::finished, this, [this, cell, origin](bool received, int status) {
                m_locationDownload->deleteLater();
                m_locationDownload = nullptr;
                guarded(m_platform.dialogs, [&] { locationArrived(cell, origin, received, status); });
            });
        return;
    }

    dropDownload(m_gridDownload);
    const QString path = filePath(kGridPictureFile);
    if (QFile::exists(path))
        QFile::remove(path);
    m_gridDownload = m_tiles.fetch(cell.key, path);
    connect(m_gridDownload, &Download::finished, this, [this, gridDone](bool received, int status) {
        m_gridDownload->deleteLater();
        m_gridDownload = nullptr;
        // A reply that is no tile (an error status) is not kept as the grid picture.
        if (received && !replyUsable(received, status))
            QFile::remove(filePath(kGridPictureFile));
        guarded(m_platform.dialogs, [&] { gridArrived(gridDone); });
    });
}

void Satellite::locationArrived(const TileCell& cell, Origin origin, bool received, int status)
{
    const QString path = filePath(kLocationPictureFile);
    m_form.Panel13->show();
    m_form.Button11->show();
    if (!replyUsable(received, status) || !QFile::exists(path)) {
        QFile::remove(path);
        hideLocationPicture();
        m_form.StatusBar1->setMessage([answered = received && status != 0, status] {
            return answered
                ? tr("Brak zdjęcia lokalizacji: serwer kafelków odpowiedział kodem %1.").arg(status)
                : tr("Brak zdjęcia lokalizacji: serwer kafelków nie odpowiedział.");
        });
        return;
    }
    TilePictureLoad load = loadTilePicture(path);
    QFile::remove(path);
    if (!load.ok()) {
        // Never a broken picture: the old one goes too.
        hideLocationPicture();
        m_form.StatusBar1->setPanelText(StatusBar::kMessagePanel, load.error);
        if (origin == Origin::Button)
            m_platform.dialogs.error(load.error);
        return;
    }
    m_form.Image19->show();
    m_form.Image19->setPicture(load.picture);
    m_shownTile = cell;
    Wysw_punkt();
}

void Satellite::hideLocationPicture()
{
    // No marker floating over nothing either.
    m_form.Image19->hide();
    m_form.Timer6->stop();
    m_marker.reset();
    m_form.PaintBox2->clearMarks();
}

void Satellite::gridArrived(const std::function<void()>& gridDone)
{
    if (gridDone)
        gridDone();
}

bool Satellite::showGridPicture(MapImage* image)
{
    const QString path = filePath(kGridPictureFile);
    if (!QFile::exists(path))
        return true;
    TilePictureLoad load = loadTilePicture(path);
    if (!load.ok()) {
        // The cell keeps its previous picture, and the rest of the grid is not fetched.
        m_platform.dialogs.error(load.error);
        return false;
    }
    image->setPicture(load.picture);
    return true;
}

void Satellite::Wysw_punkt()
{
    const TileCell& t = m_shownTile;
    m_form.Edit21->setText(FixedText(t.west));
    m_form.Edit22->setText(FixedText(t.west + t.width));
    m_form.Edit23->setText(FixedText(t.south));
    m_form.Edit24->setText(FixedText(t.south + t.height));
    if (const std::optional<MarkerPlace> place = markerPlace(t)) {
        m_marker = place;
        m_form.Timer6->start();
    }
}

void Satellite::Timer6Timer()
{
    if (!m_marker)
        return;
    PaintBox* box = m_form.PaintBox2;
    QImage& overlay = box->overlay();
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setPen(QColor(255, 0, 0));
    painter.setBrush(QColor(255, 255, 0));
    // MarkerY counts northward from the tile's south edge, and the tile is drawn north up: the
    // marker's row from the top is what is left of the tile above it. Counting MarkerY from the
    // top instead would mirror the marker about the tile's middle, off the epicentre.
    const int x = m_marker->x;
    const int y = kTilePixels - m_marker->y;
    painter.drawEllipse(QRect(
        QPoint(x - kMarkerRadius, y - kMarkerRadius), QPoint(x + kMarkerRadius - 1, y + kMarkerRadius - 1)));
    painter.end();
    box->update();
}

void Satellite::TrackBar1Change()
{
    m_form.Label35->setText(FixedText(std::ldexp(1.0, 2 * m_form.TrackBar1->value())) + QStringLiteral(" x"));
}

void Satellite::Button11Click()
{
    const float lon = positionDegrees(m_state.SelectedLonText);
    const float lat = positionDegrees(m_state.SelectedLatText);
    Zdjecie_sat(quint8(m_form.TrackBar1->value()), Mode::Location, lon, lat);
}

void Satellite::Button13Click()
{
    const float lon = positionDegrees(m_form.Edit26->text());
    const float lat = positionDegrees(m_form.Edit25->text()) - positionDegrees(m_form.Edit27->text());
    Zdjecie_sat(quint8(m_form.TrackBar1->value()), Mode::Location, lon, lat);
}

void Satellite::Button9Click()
{
    const quint8 zoom = quint8(m_form.TrackBar2->value());
    const float lon0 = positionDegrees(m_state.SelectedLonText);
    const float lat0 = positionDegrees(m_state.SelectedLatText);
    // The second cell lies one cell of this zoom east of the first. The shared tile is no measure
    // of that by the time the first cell arrives: a row selected meanwhile replaces it with one
    // at the location picture's zoom.
    const float east = lon0 + tileCell(lon0, lat0, zoom).width;
    Zdjecie_sat(zoom, Mode::Grid, lon0, lat0, Origin::Button, [this, zoom, east, lat0] {
        if (!showGridPicture(m_form.Image2))
            return;
        Zdjecie_sat(zoom, Mode::Grid, east, lat0, Origin::Button, [this] { showGridPicture(m_form.Image6); });
    });
}

} // namespace tremora
