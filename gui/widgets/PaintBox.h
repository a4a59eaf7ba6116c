// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
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
    /// Draws the outline of the rectangle with corners a and b, both included, into the overlay.
    void drawRectangle(QPoint a, QPoint b, const QColor& colour);

Q_SIGNALS:
    void marksCleared();
    /// The mouse moved over the box (with or without a button held).
    void mouseMoved(int x, int y);
    /// A button went down over the box; `buttons` are all that are held now.
    void buttonPressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    /// The left button went up over the box after going down on it.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ensureOverlay();
    QImage m_overlay;
    bool m_leftDown = false;
};

} // namespace tremora
