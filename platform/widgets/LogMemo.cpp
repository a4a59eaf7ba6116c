// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/LogMemo.h"

#include <QTimer>

namespace tremora {

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

void LogLines::append(QByteArrayView utf8Line)
{
    m_text.append(utf8Line);
    m_offsets.push_back(m_text.size());
}

void LogLines::clear()
{
    beginResetModel();
    m_text.clear();
    m_offsets.assign(1, 0);
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
    const qsizetype from = m_offsets[std::size_t(i)];
    const qsizetype to = m_offsets[std::size_t(i) + 1];
    return QString::fromUtf8(m_text.constData() + from, to - from);
}

LogMemo::LogMemo(QWidget* parent) : QListView(parent), m_lines(new LogLines(this))
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
