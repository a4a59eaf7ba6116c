// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/LogMemo.h"

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
// The model's rows are ints; lines beyond that are not kept.
constexpr std::size_t kMaxLines = std::size_t(std::numeric_limits<int>::max()) - 1;
} // namespace

int LogLines::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

QVariant LogLines::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shown)
        return {};
    return line(index.row());
}

void LogLines::append(const QString& line)
{
    append(QByteArrayView(line.toUtf8()));
}

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
}

void LogLines::clear()
{
    beginResetModel();
    m_lines.clear();
    m_block = 0;
    m_used = 0;
    m_shown = 0;
    endResetModel();
}

void LogLines::flush()
{
    const int total = lineCount();
    if (total == m_shown)
        return;
    beginInsertRows({}, m_shown, total - 1);
    m_shown = total;
    endInsertRows();
}

QString LogLines::line(int i) const
{
    if (i < 0 || i >= lineCount())
        return {};
    const LineRef& ref = m_lines[std::size_t(i)];
    return QString::fromUtf8(m_blocks[ref.block].get() + ref.offset, qsizetype(ref.length));
}

LogMemo::LogMemo(QWidget* parent)
    : QListView(parent)
    , m_lines(new LogLines(this))
{
    setModel(m_lines);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLayoutMode(QListView::SinglePass);
}

void LogMemo::appendLine(const QString& line)
{
    m_lines->append(line);
    scheduleFlush();
}

void LogMemo::appendLine(QByteArrayView utf8Line)
{
    m_lines->append(utf8Line);
    scheduleFlush();
}

void LogMemo::clear()
{
    m_lines->clear();
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
    repaint();
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
    m_lines->flush();
    scrollToBottom();
}

} // namespace tremora
