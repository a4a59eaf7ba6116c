// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSlider>

namespace tremora
{

/// A track bar that answers a click anywhere beside its handle, on the groove or on the ticks
/// under it, by moving one step toward the click. (A plain slider answers only on its thin
/// groove, so most clicks on the track did nothing.)
class TrackBar final : public QSlider
{
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace tremora
