// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace tremora
{

/// Lines of a log, kept compactly as UTF-8 and decoded only when a line is shown, so a log of
/// millions of lines stays cheap. The text lives in large blocks that never move (appending copies
/// each line once) and are kept for reuse after a clear.
class LogLines
{
public:
    void append(QByteArrayView utf8Line);
    void clear();

    int count() const { return int(m_lines.size()); }
    QString line(int i) const;
    /// Bytes of the longest line.
    std::size_t longest() const { return m_longest; }

private:
    struct LineRef {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t length;
    };
    char* roomFor(std::size_t length, LineRef& ref);

    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::vector<std::size_t> m_blockSizes;
    std::size_t m_block = 0; // the block being filled
    std::size_t m_used = 0; // bytes used in it
    std::vector<LineRef> m_lines;
    std::size_t m_longest = 0;
};

/// The read-only log memo under the map. It draws only the lines in sight, each one line high, so
/// appending costs the same at the two-millionth line as at the first, and new lines reach the
/// screen together at the next turn of the event loop. Lines are selected with the mouse (a click,
/// Shift+click, a drag) or the arrow keys, Ctrl+A selects all and Ctrl+C copies the selection.
class LogMemo final : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit LogMemo(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    void appendLine(QByteArrayView utf8Line);
    void appendLine(const QByteArray& utf8Line) { appendLine(QByteArrayView(utf8Line)); }
    void clear();
    int lineCount() const { return m_lines.count(); }
    /// Lines that have reached the screen (the scroll bar counts them); the rest come at the next
    /// turn of the event loop.
    int shownLineCount() const { return m_shown; }
    QString line(int i) const { return m_lines.line(i); }
    /// All lines joined by line feeds (for tests and copying).
    QString text() const;
    /// Shows pending lines, scrolls to the end and repaints at once (long operations call this).
    void repaintNow();

    /// The selected lines, first to last; an empty text when none is.
    QString selectedText() const;
    void selectAll();
    /// Index of the first line in sight.
    int firstVisibleLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int lineHeight() const;
    int linesInSight() const;
    int lineAt(const QPoint& viewportPos) const;
    void updateScrollBars();
    void scheduleFlush();
    void flushToView();
    void moveCurrent(int line, bool extend);

    LogLines m_lines;
    int m_shown = 0; // lines the scroll bars count
    int m_anchor = -1; // selection from m_anchor to m_current, both included; -1 for none
    int m_current = -1;
    int m_widest = 0; // widest line drawn so far, in pixels
    bool m_flushPending = false;
};

} // namespace tremora
