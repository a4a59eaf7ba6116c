// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tremora
{

enum class TLampColor { lcYellow, lcOrange, lcRed, lcGreen, lcBlue };
enum class TLampState { lsON, lsOFF, lsNA };

/// A round signal lamp: lit in its colour, dark when off, grey when not applicable.
class Lamp : public QWidget
{
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);

    void setColor(TLampColor color);
    TLampColor color() const { return m_color; }
    void setState(TLampState state);
    TLampState state() const { return m_state; }

    QSize sizeHint() const override { return { 22, 22 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TLampColor m_color = TLampColor::lcGreen;
    TLampState m_state = TLampState::lsON;
};

} // namespace tremora
