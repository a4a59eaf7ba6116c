// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/LogMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <limits>

namespace tremora
{

namespace
{
// Big enough that a million lines take a few dozen blocks.
constexpr std::size_t kBlockSize = std::size_t(4) << 20;
// Lines are counted in ints; lines beyond that are not kept.
constexpr std::size_t kMaxLines = std::size_t(std::numeric_limits<int>::max()) - 1;
// Space left of the text, in pixels.
constexpr int kMargin = 3;
} // namespace

char* LogLines::roomFor(std::size_t length, LineRef& ref)
{
    if (m_blocks.empty() || m_used + length > m_blockSizes[m_block]) {
        if (!m_blocks.empty())
            ++m_block;
        m_used = 0;
        // Reuse a block kept from before a clear when the line fits it; otherwise insert a new one.
        if (m_block >= m_blocks.size() || m_blockSizes[m_block] < length) {
            const std::size_t size = std::max(kBlockSize, length);
            m_blocks.insert(m_blocks.begin() + std::ptrdiff_t(m_block), std::make_unique<char[]>(size));
            m_blockSizes.insert(m_blockSizes.begin() + std::ptrdiff_t(m_block), size);
        }
    }
    ref.block = std::uint32_t(m_block);
    ref.offset = std::uint32_t(m_used);
    ref.length = std::uint32_t(length);
    char* at = m_blocks[m_block].get() + m_used;
    m_used += length;
    return at;
}

void LogLines::append(QByteArrayView utf8Line)
{
    if (m_lines.size() >= kMaxLines)
        return;
    const std::size_t length = std::size_t(std::max<qsizetype>(utf8Line.size(), 0));
    LineRef ref {};
    char* at = roomFor(length, ref);
    if (length > 0)
        std::memcpy(at, utf8Line.data(), length);
    m_lines.push_back(ref);
    m_longest = std::max(m_longest, length);
}

void LogLines::clear()
{
    m_lines.clear();
    m_block = 0;
    m_used = 0;
    m_longest = 0;
}

QString LogLines::line(int i) const
{
    if (i < 0 || i >= count())
        return {};
    const LineRef& ref = m_lines[std::size_t(i)];
    return QString::fromUtf8(m_blocks[ref.block].get() + ref.offset, qsizetype(ref.length));
}

LogMemo::LogMemo(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    updateScrollBars();
}

void LogMemo::appendLine(const QString& line)
{
    appendLine(QByteArrayView(line.toUtf8()));
}

void LogMemo::appendLine(QByteArrayView utf8Line)
{
    m_lines.append(utf8Line);
    scheduleFlush();
}

void LogMemo::clear()
{
    m_lines.clear();
    m_shown = 0;
    m_anchor = m_current = -1;
    m_widest = 0;
    updateScrollBars();
    viewport()->update();
}

QString LogMemo::text() const
{
    QStringList all;
    all.reserve(lineCount());
    for (int i = 0; i < lineCount(); ++i)
        all << line(i);
    return all.join(QLatin1Char('\n'));
}

void LogMemo::repaintNow()
{
    flushToView();
    viewport()->repaint();
}

QString LogMemo::selectedText() const
{
    if (m_anchor < 0 || m_current < 0)
        return {};
    const int last = std::min(std::max(m_anchor, m_current), lineCount() - 1);
    QStringList lines;
    for (int i = std::min(m_anchor, m_current); i <= last; ++i)
        lines << line(i);
    return lines.join(QLatin1Char('\n'));
}

void LogMemo::selectAll()
{
    if (lineCount() == 0)
        return;
    m_anchor = 0;
    m_current = lineCount() - 1;
    viewport()->update();
}

int LogMemo::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

int LogMemo::lineHeight() const
{
    return std::max(1, fontMetrics().height());
}

int LogMemo::linesInSight() const
{
    return std::max(1, viewport()->height() / lineHeight());
}

int LogMemo::lineAt(const QPoint& viewportPos) const
{
    const int line = firstVisibleLine() + std::max(0, viewportPos.y()) / lineHeight();
    return std::clamp(line, 0, std::max(0, m_shown - 1));
}

void LogMemo::updateScrollBars()
{
    const int sight = linesInSight();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, m_shown - sight));
    vertical->setPageStep(sight);
    // Lines not yet drawn are reckoned by their length in bytes, the drawn ones by their width.
    const qint64 guessed = qint64(m_lines.longest()) * fontMetrics().averageCharWidth();
    const int content = int(std::min<qint64>(std::max<qint64>(m_widest, guessed) + 2 * kMargin, 1 << 20));
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, content - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(fontMetrics().averageCharWidth());
}

void LogMemo::scheduleFlush()
{
    if (m_flushPending)
        return;
    m_flushPending = true;
    QTimer::singleShot(0, this, &LogMemo::flushToView);
}

void LogMemo::flushToView()
{
    m_flushPending = false;
    if (m_shown == lineCount())
        return;
    m_shown = lineCount();
    updateScrollBars();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void LogMemo::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const int first = firstVisibleLine();
    const int last = std::min(m_shown - 1, first + linesInSight());
    const int selFirst = std::min(m_anchor, m_current);
    const int selLast = std::max(m_anchor, m_current);
    const int x = kMargin - horizontalScrollBar()->value();
    int widest = m_widest;
    for (int i = first, y = 0; i <= last; ++i, y += height) {
        const QString text = line(i);
        const bool selected = selFirst >= 0 && i >= selFirst && i <= selLast;
        if (selected) {
            painter.fillRect(0, y, viewport()->width(), height, colours.brush(QPalette::Highlight));
            painter.setPen(colours.color(QPalette::HighlightedText));
        } else {
            painter.setPen(colours.color(QPalette::Text));
        }
        painter.drawText(x, y + ascent, text);
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    }
    if (widest > m_widest) {
        m_widest = widest;
        QTimer::singleShot(0, this, &LogMemo::updateScrollBars);
    }
}

void LogMemo::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    updateScrollBars();
    if (atEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogMemo::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_widest = 0;
        updateScrollBars();
        viewport()->update();
    }
}

void LogMemo::scrollContentsBy(int dx, int dy)
{
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    viewport()->update();
}

void LogMemo::moveCurrent(int line, bool extend)
{
    if (m_shown == 0)
        return;
    m_current = std::clamp(line, 0, m_shown - 1);
    if (!extend || m_anchor < 0)
        m_anchor = m_current;
    // Bring the current line into sight.
    QScrollBar* vertical = verticalScrollBar();
    if (m_current < vertical->value())
        vertical->setValue(m_current);
    else if (m_current >= vertical->value() + linesInSight())
        vertical->setValue(m_current - linesInSight() + 1);
    viewport()->update();
}

void LogMemo::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_shown == 0)
        return QAbstractScrollArea::mousePressEvent(event);
    moveCurrent(lineAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void LogMemo::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_shown == 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    const int y = event->position().toPoint().y();
    // Dragging past the top or the bottom scrolls on by a line.
    const int line = y < 0          ? firstVisibleLine() - 1
        : y >= viewport()->height() ? firstVisibleLine() + linesInSight()
                                    : lineAt(event->position().toPoint());
    moveCurrent(line, true);
}

void LogMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        if (const QString copied = selectedText(); !copied.isEmpty())
            QApplication::clipboard()->setText(copied);
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int from = m_current >= 0 ? m_current : firstVisibleLine();
    switch (event->key()) {
    case Qt::Key_Up:
        return moveCurrent(from - 1, extend);
    case Qt::Key_Down:
        return moveCurrent(from + 1, extend);
    case Qt::Key_PageUp:
        return moveCurrent(from - linesInSight(), extend);
    case Qt::Key_PageDown:
        return moveCurrent(from + linesInSight(), extend);
    case Qt::Key_Home:
        return moveCurrent(0, extend);
    case Qt::Key_End:
        return moveCurrent(m_shown - 1, extend);
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace tremora
