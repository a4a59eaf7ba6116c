// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/PaintBox.h"

#include <QPainter>
#include <QResizeEvent>

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
