// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/MapImage.h"

#include <QPainter>

#include <algorithm>

namespace tremora {

MapImage::MapImage(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void MapImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
    Q_EMIT pictureChanged();
}

void MapImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    const double scale = std::min(double(width()) / m_picture.width(), double(height()) / m_picture.height());
    const QSize target(int(m_picture.width() * scale + 0.5), int(m_picture.height() * scale + 0.5));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(QPoint(0, 0), target), m_picture);
}

} // namespace tremora
