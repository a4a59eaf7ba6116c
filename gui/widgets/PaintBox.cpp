// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <utility>

namespace tremora
{

PaintBox::PaintBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
}

QImage& PaintBox::overlay()
{
    ensureOverlay();
    return m_overlay;
}

// A hidden widget gets its resize event only when shown, so the overlay follows the size lazily.
void PaintBox::ensureOverlay()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (m_overlay.size() == wanted)
        return;
    m_overlay = QImage(wanted, QImage::Format_ARGB32_Premultiplied);
    m_overlay.fill(Qt::transparent);
}

void PaintBox::clearMarks()
{
    ensureOverlay();
    m_overlay.fill(Qt::transparent);
    update();
    Q_EMIT marksCleared();
}

void PaintBox::drawRectangle(QPoint a, QPoint b, const QColor& colour)
{
    ensureOverlay();
    QPainter p(&m_overlay);
    p.setPen(QPen(colour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(a, b).normalized());
    update();
}

void PaintBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseMoved(at.x(), at.y());
}

void PaintBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    Q_EMIT buttonPressed(event->buttons(), event->modifiers());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool over = rect().contains(event->position().toPoint());
    if (std::exchange(m_leftDown, false) && over)
        Q_EMIT clicked();
}

void PaintBox::paintEvent(QPaintEvent* event)
{
    if (m_overlay.isNull())
        return;
    QPainter p(this);
    p.drawImage(event->rect(), m_overlay, event->rect());
}

void PaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_overlay = QImage();
    ensureOverlay();
    Q_EMIT marksCleared();
}

} // namespace tremora
