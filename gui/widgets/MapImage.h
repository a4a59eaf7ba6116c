// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace tremora
{

/// Shows the map picture scaled proportionally from the top-left corner, leaving empty space
/// right or below. The map code installs the exact size it projects onto, so the picture and the
/// marks drawn over it agree to the pixel; the scaled picture is kept until the size changes.
class MapImage final : public QWidget
{
    Q_OBJECT
public:
    /// The size the picture is drawn at, from the picture's and the control's sizes; an empty
    /// size draws nothing.
    using PictureSizer = std::function<QSize(QSize picture, QSize control)>;

    explicit MapImage(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    void setPictureSizer(PictureSizer sizer);
    /// The size the picture is drawn at in the control's current size.
    QSize drawnSize() const;

Q_SIGNALS:
    /// A new picture was set (a satellite tile arrived, the map picture was switched).
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QImage m_scaled;
    PictureSizer m_sizer;
};

} // namespace tremora
