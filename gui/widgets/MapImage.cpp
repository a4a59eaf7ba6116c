// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/MapImage.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tremora
{

namespace
{

QSize proportionalFit(QSize picture, QSize control)
{
    if (picture.isEmpty() || control.isEmpty())
        return {};
    const double scale
        = std::min(double(control.width()) / picture.width(), double(control.height()) / picture.height());
    return { int(std::lround(picture.width() * scale)), int(std::lround(picture.height() * scale)) };
}

} // namespace

MapImage::MapImage(QWidget* parent)
    : QWidget(parent)
    , m_sizer(&proportionalFit)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void MapImage::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_scaled = QImage();
    update();
    Q_EMIT pictureChanged();
}

void MapImage::setPictureSizer(PictureSizer sizer)
{
    m_sizer = sizer ? std::move(sizer) : PictureSizer(&proportionalFit);
    m_scaled = QImage();
    update();
}

QSize MapImage::drawnSize() const
{
    if (m_picture.isNull())
        return {};
    const QSize s = m_sizer(m_picture.size(), size());
    return s.isValid() ? s : QSize();
}

void MapImage::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), palette().window());
    const QSize target = drawnSize();
    if (target.isEmpty())
        return;
    // Scaling a large picture smoothly is slow; do it once per size, then every paint is a copy.
    // It is scaled to the screen's pixels, so a high-density screen shows it sharp.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(target.width() * ratio)), int(std::lround(target.height() * ratio)));
    if (m_scaled.size() != pixels) {
        m_scaled = m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(ratio);
    }
    const QRect part = event->rect() & QRect(QPoint(), target);
    if (!part.isEmpty())
        p.drawImage(part, m_scaled, QRectF(part.topLeft() * ratio, part.size() * ratio));
}

} // namespace tremora
