// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/QuakeRecord.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace tremora
{

/// The report table's rows: one earthquake per row, twelve read-only text cells. A row's texts
/// are written once, when it is appended, and kept in one shared character buffer, so tens of
/// thousands of rows cost a few allocations and painting only copies the visible cells out.
class ReportTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column : int {
        Number, // "Nr": 1-based catalogue index
        Date, // "Data"
        Time, // "Godzina"
        Magnitude, // "Mag."
        Latitude, // "Szer.geogr."
        Longitude, // "Dł.geogr."
        Depth, // "Głębokość"
        Source, // "Kat"
        Place, // "Lokalizacja"
        Distance, // "Odleg."
        Energy, // "Energia"
        WattHours, // "Wh"
        ColumnCount
    };

    using RowTexts = std::array<QString, ColumnCount>;

    /// A cell longer than this is cut; no formatted cell comes near it.
    static constexpr int kMaxCellLength = 1000;

    static QString columnCaption(int column);
    /// Column width in pixels.
    static int columnWidth(int column);

    explicit ReportTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Text of one cell; empty outside the table.
    QString cell(int row, int column) const;

    /// The record a row was written from and its nearest place's distance in kilometres, kept
    /// so that a copy or an export writes the numbers themselves rather than their Polish texts
    /// (and needs no catalogue, whose indices move once old records give way). A row appended
    /// without them has a zero record and a distance that is no number.
    const QuakeRecord& rowRecord(int row) const;
    float rowPlaceDistance(int row) const;

    /// Removes every row.
    void clear();
    /// Appends one row at the end. Inside a batch the views learn of it when the batch ends.
    void appendRow(const RowTexts& texts);
    void appendRow(const RowTexts& texts, const QuakeRecord& record, float placeDistance);

    /// Collects the rows appended while it lives and announces them to the views in one
    /// insertion when it ends, instead of one insertion per row. Batches may nest.
    class AppendBatch
    {
    public:
        explicit AppendBatch(ReportTableModel& model);
        ~AppendBatch();
        AppendBatch(const AppendBatch&) = delete;
        AppendBatch& operator=(const AppendBatch&) = delete;

    private:
        ReportTableModel& m_model;
    };

    /// Announces the rows appended so far in the running batch, e.g. before a repaint.
    void flush();

private:
    struct RowSpan {
        qsizetype start = 0; // offset of the row's first cell in m_text
        std::array<std::uint16_t, ColumnCount> ends {}; // end of each cell, relative to start
        QuakeRecord record;
        float placeDistance = 0;
    };

    QStringView cellView(int row, int column) const;

    QString m_text;
    std::vector<RowSpan> m_rows;
    int m_shownRows = 0; // rows the views have been told of
    int m_batchDepth = 0;
};

} // namespace tremora
