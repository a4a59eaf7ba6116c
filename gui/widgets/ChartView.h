// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "charts/ChartPainter.h"

#include <QPoint>
#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QVariantAnimation;

namespace tremora
{

/// A chart that stays quick however many points it holds: each repaint draws what the pixel
/// columns can show of the points in view. Dragging a rectangle from its top left to its bottom
/// right zooms into it; dragging towards the top left shows the whole chart again. Both move
/// smoothly. The context menu saves the chart as PNG or SVG.
class ChartView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kZoomMs = 250;
    /// A drag shorter than this (pixels, either way) is a click, not a zoom.
    static constexpr int kMinDrag = 4;

    explicit ChartView(QWidget* parent = nullptr);

    /// Shows new content as a whole.
    void setContent(ChartContent content);
    const ChartContent& content() const { return m_content; }
    QString title() const { return m_content.title; }
    void setTitle(const QString& title);

    /// Both vertical axes logarithmic or linear; the horizontal zoom stays, the vertical range
    /// becomes the whole of the data again.
    void setLogarithmic(bool on);
    bool logarithmic() const { return m_logarithmic; }

    /// The part in view, and the whole.
    ChartRange range() const { return m_range; }
    ChartRange wholeRange() const;
    /// Moves the view to `target`, smoothly unless told otherwise.
    void zoomTo(const ChartRange& target, bool animated = true);
    void resetZoom(bool animated = true);
    bool zoomed() const;
    /// The range a rectangle of the widget's pixels covers.
    ChartRange rangeOf(const QRect& pixels) const;

    /// Writes the chart at the widget's size: SVG for a name ending in ".svg", else PNG.
    bool save(const QString& path) const;
    /// Draws the chart at `size` into an image.
    QImage picture(const QSize& size) const;

    /// A faint line of text kept in the top right corner of the window's chart (not in saved
    /// pictures).
    void setWatermark(const QString& text);

    /// "Zapisz wykres..." and "Cały wykres" of the context menu.
    QAction* saveAction() const { return m_save; }

Q_SIGNALS:
    /// The mouse moved over the chart, at (x, y) in the widget's pixels.
    void mouseMovedOver(int x, int y);
    /// A save from the context menu failed.
    void saveFailed(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void askWhereToSave();
    void retranslate();

    ChartContent m_content;
    bool m_logarithmic = true;
    ChartRange m_range;
    ChartRange m_from; // where a smooth zoom started
    ChartRange m_target; // and where it ends
    QVariantAnimation* m_animation = nullptr;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_dragNow;
    QAction* m_save = nullptr;
    QAction* m_whole = nullptr;
    QLabel* m_watermark = nullptr;
    mutable std::vector<std::uint32_t> m_scratch;
};

} // namespace tremora
