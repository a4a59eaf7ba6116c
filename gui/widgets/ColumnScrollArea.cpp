// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ColumnScrollArea.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

namespace tremora
{

ColumnScrollArea::ColumnScrollArea(QWidget* column, int leastWidth, QWidget* parent)
    : QScrollArea(parent)
    , m_leastWidth(leastWidth)
{
    setWidget(column);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

int ColumnScrollArea::neededWidth() const
{
    const int column = widget() != nullptr ? widget()->minimumSizeHint().width() : 0;
    return std::max(m_leastWidth, column) + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

QSize ColumnScrollArea::sizeHint() const
{
    return { neededWidth(), QScrollArea::sizeHint().height() };
}

QSize ColumnScrollArea::minimumSizeHint() const
{
    return { neededWidth(), QScrollArea::minimumSizeHint().height() };
}

bool ColumnScrollArea::eventFilter(QObject* watched, QEvent* event)
{
    // The column's layout changed (a caption in another language, a page shown for the first
    // time): the width it needs may have too.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace tremora
