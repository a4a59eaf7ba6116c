// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/TrackBar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace tremora
{

TrackBar::TrackBar(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
}

void TrackBar::mousePressEvent(QMouseEvent* event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || handle.contains(at)) {
        QSlider::mousePressEvent(event);
        return;
    }
    // Toward the click as the track is drawn: left to right (bottom to top) unless turned round.
    const bool horizontal = orientation() == Qt::Horizontal;
    bool up = horizontal ? at.x() > handle.center().x() : at.y() < handle.center().y();
    if (horizontal && layoutDirection() == Qt::RightToLeft)
        up = !up;
    if (invertedAppearance())
        up = !up;
    triggerAction(up ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
}

} // namespace tremora
