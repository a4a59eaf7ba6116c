// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Downloader.h"
#include "tiles/TileKey.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace tremora
{

class MapImage;
class ProgramEvents;
class TForm1;
class TileSource;
struct Platform;
struct ProgramState;

/// File names of the location picture (deleted once loaded) and of the grid picture (left).
inline constexpr const char* kLocationPictureFile = "Lokalizacja_xy.jpg";
inline constexpr const char* kGridPictureFile = "Obraz.jpg";

/// The satellite pictures: the location picture Image19 with its marker on PaintBox2, the zoom
/// panel (TrackBar1, Label35, Button11, the hidden Button13) on the tab "Baza", and the grid of
/// the tab "Mapa satelitarna" (Button9, TrackBar2). Tiles come from the tile source as files and
/// arrive later; a newer request of the same view supersedes an older one still on its way.
class Satellite final : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Location = 0, Grid = 1 };
    /// Who asked: a button shows the loader's error in a box; a row selection only hides the
    /// picture and says so in the status bar, so that arrowing through rows opens no boxes.
    enum class Origin { Button, RowSelection };

    Satellite(
        TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, TileSource& tiles);
    ~Satellite() override;

    /// Finds the cell of the point at `zoom` (these become the tile values) and fetches its
    /// tile into the file of the mode. A location picture is then shown with its marker; a grid
    /// picture is handed to `gridDone` (called once the transfer has ended, whatever it brought).
    void Zdjecie_sat(quint8 zoom, Mode mode, float lon, float lat, Origin origin = Origin::Button,
        std::function<void()> gridDone = {});
    /// Writes the tile bounds into Edit21..Edit24 and places the marker when the point lies on
    /// the tile, starting Timer6.
    void Wysw_punkt();
    /// Paints the marker on PaintBox2 at the epicentre: column MarkerX from the left, row
    /// MarkerY from the bottom (the tile is north up).
    void Timer6Timer();
    /// Label35 := the magnification of TrackBar1.
    void TrackBar1Change();
    /// "Wyświetl": the location picture of the selected row at the zoom of TrackBar1.
    void Button11Click();
    /// "Wyświetl lokalizację": the selected row's cell into Image2 and the cell east of it into
    /// Image6, at the zoom of TrackBar2.
    void Button9Click();
    /// The hidden button: the location picture of the point in Edit26 / Edit25 - Edit27.
    void Button13Click();

    /// The values of the last tile computed.
    const TileCell& tile() const { return m_tile; }
    /// Whether a tile is still on its way.
    bool busy() const { return m_locationDownload || m_gridDownload; }
    /// The marker's place on PaintBox2, once one was placed.
    std::optional<MarkerPlace> marker() const { return m_marker; }

private:
    void locationArrived(const TileCell& cell, Origin origin, bool received, int status);
    /// Hides the location picture with its marker; the caller says why in the status bar.
    void hideLocationPicture();
    void gridArrived(const std::function<void()>& gridDone);
    /// Shows Obraz.jpg, when there, in `image`; false (after the error box) when it is no picture.
    bool showGridPicture(MapImage* image);
    void dropDownload(QPointer<Download>& download);
    QString filePath(const char* name) const;

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    TileSource& m_tiles;
    TileCell m_tile;
    TileCell m_shownTile; // the tile of the location picture, for the marker
    std::optional<MarkerPlace> m_marker;
    QPointer<Download> m_locationDownload;
    QPointer<Download> m_gridDownload;
};

} // namespace tremora
