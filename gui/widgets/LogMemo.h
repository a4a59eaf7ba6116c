// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QListView>

#include <cstdint>
#include <memory>
#include <vector>

namespace tremora
{

/// Lines of a log, kept compactly as UTF-8 and decoded only when a row is shown, so a log of
/// millions of lines stays cheap. The text lives in large blocks that never move (appending
/// copies each line once) and are kept for reuse after a clear. New lines reach the view in
/// batches.
class LogLines final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void append(const QString& line);
    void append(QByteArrayView utf8Line);
    void clear();
    /// Shows the lines appended since the last flush.
    void flush();

    int lineCount() const { return int(m_lines.size()); }
    QString line(int i) const;

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
    int m_shown = 0;
};

/// The read-only log memo under the map.
class LogMemo final : public QListView
{
    Q_OBJECT
public:
    explicit LogMemo(QWidget* parent = nullptr);

    void appendLine(const QString& line);
    void appendLine(QByteArrayView utf8Line);
    void appendLine(const QByteArray& utf8Line) { appendLine(QByteArrayView(utf8Line)); }
    void clear();
    int lineCount() const { return m_lines->lineCount(); }
    QString line(int i) const { return m_lines->line(i); }
    /// All lines joined by line feeds (for tests and copying).
    QString text() const;
    /// Shows pending lines, scrolls to the end and repaints at once (long operations call this).
    void repaintNow();

private:
    void scheduleFlush();
    void flushToView();

    LogLines* m_lines;
    bool m_flushPending = false;
};

} // namespace tremora
