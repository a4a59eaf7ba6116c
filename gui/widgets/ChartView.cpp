// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ChartView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <QVariantAnimation>

#include <cmath>

namespace tremora
{

namespace
{

// Vertical ranges are interpolated where they are drawn: in decades on a logarithmic axis.
double along(double a, double b, double t, bool logarithmic)
{
    if (logarithmic && a > 0 && b > 0)
        return std::pow(10.0, std::log10(a) + t * (std::log10(b) - std::log10(a)));
    return a + t * (b - a);
}

constexpr int kWatermarkInset = 4;

} // namespace

ChartView::ChartView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_animation = new QVariantAnimation(this);
    m_animation->setDuration(kZoomMs);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        const double t = v.toDouble();
        if (t >= 1) {
            m_range = m_target; // exactly, so the whole chart is the whole chart again
            update();
            return;
        }
        m_range.xFrom = m_from.xFrom + t * (m_target.xFrom - m_from.xFrom);
        m_range.xTo = m_from.xTo + t * (m_target.xTo - m_from.xTo);
        m_range.yFrom = along(m_from.yFrom, m_target.yFrom, t, m_logarithmic);
        m_range.yTo = along(m_from.yTo, m_target.yTo, t, m_logarithmic);
        update();
    });
    m_save = new QAction(this);
    m_whole = new QAction(this);
    retranslate();
    connect(m_save, &QAction::triggered, this, &ChartView::askWhereToSave);
    connect(m_whole, &QAction::triggered, this, [this] { resetZoom(); });
    m_range = wholeRange();
}

void ChartView::setContent(ChartContent content)
{
    m_animation->stop();
    m_content = std::move(content);
    m_range = wholeRange();
    update();
}

void ChartView::setTitle(const QString& title)
{
    m_content.title = title;
    update();
}

void ChartView::setLogarithmic(bool on)
{
    m_animation->stop();
    m_logarithmic = on;
    const ChartRange whole = wholeRange();
    m_range.yFrom = whole.yFrom;
    m_range.yTo = whole.yTo;
    update();
}

ChartRange ChartView::wholeRange() const
{
    return fullRange(m_content, m_logarithmic);
}

void ChartView::zoomTo(const ChartRange& target, bool animated)
{
    m_animation->stop();
    if (!animated) {
        m_range = target;
        update();
        return;
    }
    m_from = m_range;
    m_target = target;
    m_animation->start();
}

void ChartView::resetZoom(bool animated)
{
    zoomTo(wholeRange(), animated);
}

bool ChartView::zoomed() const
{
    const ChartRange whole = wholeRange();
    const ChartRange& now = m_animation->state() == QAbstractAnimation::Running ? m_target : m_range;
    return now.xFrom != whole.xFrom || now.xTo != whole.xTo || now.yFrom != whole.yFrom
        || now.yTo != whole.yTo;
}

ChartRange ChartView::rangeOf(const QRect& pixels) const
{
    const QRectF plot = plotArea(m_content, QRectF(rect()));
    const QRectF r = QRectF(pixels).intersected(plot);
    const ValueAxis axis { m_range.yFrom, m_range.yTo, m_logarithmic };
    auto xAt = [&](double px) {
        return m_range.xFrom + (px - plot.left()) / plot.width() * (m_range.xTo - m_range.xFrom);
    };
    auto yAt = [&](double py) { return axis.value((plot.bottom() - py) / plot.height()); };
    return ChartRange { xAt(r.left()), xAt(r.right()), yAt(r.bottom()), yAt(r.top()) };
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintChart(p, QRectF(rect()), m_content, m_range, m_logarithmic, m_scratch);
    if (m_dragging) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(QColor(0, 0, 255, 30));
        p.drawRect(QRect(m_dragStart, m_dragNow).normalized());
    }
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragStart = m_dragNow = event->position().toPoint();
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT mouseMovedOver(at.x(), at.y());
    if (m_dragging) {
        m_dragNow = at;
        update();
    }
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    const QPoint end = event->position().toPoint();
    const QPoint d = end - m_dragStart;
    update();
    if (std::abs(d.x()) < kMinDrag && std::abs(d.y()) < kMinDrag)
        return;
    if (d.x() > 0 && d.y() > 0) {
        const ChartRange target = rangeOf(QRect(m_dragStart, end).normalized());
        if (target.xTo > target.xFrom && target.yTo > target.yFrom)
            zoomTo(target);
    } else {
        resetZoom();
    }
}

void ChartView::setWatermark(const QString& text)
{
    if (!m_watermark) {
        m_watermark = new QLabel(this);
        m_watermark->setObjectName(objectName() + QStringLiteral("Watermark"));
        m_watermark->setStyleSheet(QStringLiteral("color: rgba(60, 60, 60, 150); font-size: 9px;"));
        m_watermark->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_watermark->setText(text);
    m_watermark->adjustSize();
    m_watermark->move(width() - m_watermark->width() - kWatermarkInset, kWatermarkInset);
}

void ChartView::retranslate()
{
    m_save->setText(tr("Zapisz wykres..."));
    m_whole->setText(tr("Cały wykres"));
}

void ChartView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ChartView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_watermark)
        m_watermark->move(width() - m_watermark->width() - kWatermarkInset, kWatermarkInset);
}

void ChartView::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_save);
    menu->addAction(m_whole);
    menu->popup(event->globalPos());
}

void ChartView::askWhereToSave()
{
    auto* dialog
        = new QFileDialog(this, tr("Zapisz wykres"), QString(), tr("Obraz PNG (*.png);;Rysunek SVG (*.svg)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("png"));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        dialog->setDefaultSuffix(
            filter.contains(QStringLiteral("svg")) ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        if (!save(path))
            Q_EMIT saveFailed(path);
    });
    dialog->open();
}

QImage ChartView::picture(const QSize& size) const
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintChart(p, QRectF(QPointF(0, 0), QSizeF(size)), m_content, m_range, m_logarithmic, m_scratch);
    return image;
}

bool ChartView::save(const QString& path) const
{
    const QSize size = width() > 1 && height() > 1 ? this->size() : QSize(1000, 600);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(m_content.title);
        QPainter p;
        if (!p.begin(&svg))
            return false;
        p.setRenderHint(QPainter::Antialiasing);
        paintChart(p, QRectF(QPointF(0, 0), QSizeF(size)), m_content, m_range, m_logarithmic, m_scratch);
        return p.end();
    }
    return picture(size).save(path, "PNG");
}

} // namespace tremora
