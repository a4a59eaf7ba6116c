// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QImage;

namespace tremora
{

class ProgramEvents;
class TForm1;
struct Platform;
struct ProgramState;

/// The window's own behaviour: the map-picture buttons, the chart window, the tray icon and the
/// built-in map picture. Says which picture the map shows (ProgramEvents::mapPictureShown), and
/// goes back to the built-in one when the defaults are restored.
class WindowShell : public QObject
{
    Q_OBJECT
public:
    static inline const QString kEarthPictureFile = QStringLiteral("Ziemia.jpg");
    static inline const QString kPlatesPictureFile = QStringLiteral("Plyty_tektoniczne.jpg");
    /// Offsets of the chart window from the main window's edges.
    static constexpr int kChartLeftOffset = 10;
    static constexpr int kChartBottomOffset = 30;
    static constexpr int kChartExtraWidth = 5;

    WindowShell(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events);

    /// "P1": the picture "Ziemia.jpg" of the working folder becomes the map picture.
    void DsFancyButton2Click();
    /// "P2": the picture "Plyty_tektoniczne.jpg" becomes the map picture.
    void DsFancyButton3Click();
    /// "Test": places the chart window along the bottom of the map and toggles it.
    void DsFancyButton7Click();
    /// Hidden button; does nothing.
    void DsFancyButton1Click() { }
    /// Tray icon click: hides a visible window to the tray, shows a hidden one.
    void CoolIcon_Wysw();

    /// Puts the built-in world map into the map control.
    void showBuiltInMap();
    /// Puts the picture `fileName` of the working folder into the map control, without a box
    /// when it cannot be read: the error text then, else empty.
    QString showMapPicture(const QString& fileName);
    /// Minimising the window hides it to the tray (only where a tray exists to bring it back).
    void minimiseToTray();

    /// The built-in equirectangular world map.
    static QImage builtInMap();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadMapPicture(const QString& fileName);
    /// The picture of the working folder, or the reason it cannot be had.
    QImage readMapPicture(const QString& fileName, QString& error) const;
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    bool m_minimiseToTray = false;
};

} // namespace tremora
