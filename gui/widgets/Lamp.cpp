// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/Lamp.h"

#include <QPainter>
#include <QRadialGradient>

namespace tremora
{

namespace
{

QColor litColour(TLampColor color)
{
    switch (color) {
    case TLampColor::lcYellow:
        return { 255, 230, 40 };
    case TLampColor::lcOrange:
        return { 255, 150, 20 };
    case TLampColor::lcRed:
        return { 235, 30, 30 };
    case TLampColor::lcGreen:
        return { 40, 210, 60 };
    case TLampColor::lcBlue:
        return { 40, 120, 255 };
    }
    return Qt::gray;
}

} // namespace

Lamp::Lamp(QWidget* parent)
    : QWidget(parent)
{
    setMinimumSize(14, 14);
}

void Lamp::setColor(TLampColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    // The lamp reports progress inside long handlers, so it must show at once.
    repaint();
}

void Lamp::setState(TLampState state)
{
    if (m_state == state)
        return;
    m_state = state;
    repaint();
}

void Lamp::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 2;
    const QRectF r((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    QColor base = litColour(m_color);
    if (m_state == TLampState::lsOFF)
        base = base.darker(300);
    else if (m_state == TLampState::lsNA)
        base = QColor(150, 150, 150);

    QRadialGradient glow(r.center() - QPointF(side / 5.0, side / 5.0), side / 1.4);
    glow.setColorAt(0, base.lighter(m_state == TLampState::lsON ? 170 : 120));
    glow.setColorAt(1, base);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(glow);
    p.drawEllipse(r);
}

} // namespace tremora
