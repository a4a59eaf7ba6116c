// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

namespace tremora
{

/// A scroll area for a column of controls: it scrolls up and down, never across, and is as wide as
/// the column needs (but at least `leastWidth`), so a longer caption in another language widens it
/// instead of being cut off.
class ColumnScrollArea final : public QScrollArea
{
    Q_OBJECT
public:
    ColumnScrollArea(QWidget* column, int leastWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int neededWidth() const;

    int m_leastWidth;
};

} // namespace tremora
