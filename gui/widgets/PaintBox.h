// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace tremora
{

/// A transparent canvas laid over the map picture. Marks are drawn into an overlay image of the
/// widget's size, so they survive ordinary repaints; a resize starts a clean overlay.
class PaintBox final : public QWidget
{
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    /// The overlay to draw marks into; call update() (or repaint()) afterwards.
    QImage& overlay();
    /// Removes every mark.
    void clearMarks();

Q_SIGNALS:
    void marksCleared();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ensureOverlay();
    QImage m_overlay;
};

} // namespace tremora
