// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/ReportTableModel.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace tremora
{

namespace
{

struct ColumnInfo {
    const char* caption; // UTF-8, shown translated
    int width;
};

constexpr std::array<ColumnInfo, ReportTableModel::ColumnCount> kColumns = { {
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Nr"), 70 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Data"), 70 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Godzina"), 55 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Mag."), 40 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Szer.geogr."), 67 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Dł.geogr."), 65 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Głębokość"), 65 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Kat"), 30 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Lokalizacja"), 80 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Odleg."), 50 },
    { QT_TRANSLATE_NOOP("tremora::ReportTableModel", "Energia"), 70 },
    { "Wh", 70 },
} };

bool isColumn(int column)
{
    return column >= 0 && column < ReportTableModel::ColumnCount;
}

} // namespace

QString ReportTableModel::columnCaption(int column)
{
    return isColumn(column) ? QCoreApplication::translate(
               "tremora::ReportTableModel", kColumns[static_cast<std::size_t>(column)].caption)
                            : QString();
}

int ReportTableModel::columnWidth(int column)
{
    return isColumn(column) ? kColumns[static_cast<std::size_t>(column)].width : 0;
}

ReportTableModel::ReportTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shownRows)
        return {};
    return cellView(index.row(), index.column()).toString();
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnCaption(section);
}

Qt::ItemFlags ReportTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString ReportTableModel::cell(int row, int column) const
{
    return cellView(row, column).toString();
}

QStringView ReportTableModel::cellView(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() || !isColumn(column))
        return {};
    const RowSpan& span = m_rows[static_cast<std::size_t>(row)];
    const std::size_t c = static_cast<std::size_t>(column);
    const qsizetype begin = column == 0 ? 0 : span.ends[c - 1];
    return QStringView(m_text).mid(span.start + begin, span.ends[c] - begin);
}

const QuakeRecord& ReportTableModel::rowRecord(int row) const
{
    static const QuakeRecord none;
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<std::size_t>(row)].record
                                                             : none;
}

float ReportTableModel::rowPlaceDistance(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size())
        ? m_rows[static_cast<std::size_t>(row)].placeDistance
        : std::numeric_limits<float>::quiet_NaN();
}

void ReportTableModel::clear()
{
    beginResetModel();
    // Keep the capacity: the next listing is likely about as long.
    m_text.resize(0);
    m_rows.clear();
    m_shownRows = 0;
    endResetModel();
}

void ReportTableModel::appendRow(const RowTexts& texts)
{
    appendRow(texts, QuakeRecord {}, std::numeric_limits<float>::quiet_NaN());
}

void ReportTableModel::appendRow(const RowTexts& texts, const QuakeRecord& record, float placeDistance)
{
    RowSpan span;
    span.record = record;
    span.placeDistance = placeDistance;
    span.start = m_text.size();
    std::uint16_t end = 0;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        const qsizetype length = std::min<qsizetype>(texts[c].size(), kMaxCellLength);
        m_text.append(QStringView(texts[c]).first(length));
        end = static_cast<std::uint16_t>(end + length);
        span.ends[c] = end;
    }
    m_rows.push_back(span);
    if (m_batchDepth == 0)
        flush();
}

void ReportTableModel::flush()
{
    const int total = static_cast<int>(m_rows.size());
    if (total == m_shownRows)
        return;
    beginInsertRows({}, m_shownRows, total - 1);
    m_shownRows = total;
    endInsertRows();
}

ReportTableModel::AppendBatch::AppendBatch(ReportTableModel& model)
    : m_model(model)
{
    ++m_model.m_batchDepth;
}

ReportTableModel::AppendBatch::~AppendBatch()
{
    if (--m_model.m_batchDepth == 0)
        m_model.flush();
}

} // namespace tremora
