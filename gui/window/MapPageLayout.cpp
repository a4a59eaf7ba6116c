// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/MapPageLayout.h"

#include <QWidgetItem>

#include <algorithm>
#include <cmath>

namespace tremora
{

namespace
{
constexpr double kWorldAspect = 2.0; // an equirectangular picture of the whole Earth
} // namespace

MapPageLayout::MapPageLayout(QWidget* parent, QWidget* map, QWidget* panel, Aspect aspect)
    : QLayout(parent)
    , m_aspect(std::move(aspect))
{
    addChildWidget(map);
    addChildWidget(panel);
    m_map = std::make_unique<QWidgetItem>(map);
    m_panel = std::make_unique<QWidgetItem>(panel);
}

MapPageLayout::~MapPageLayout() = default;

void MapPageLayout::addItem(QLayoutItem* item)
{
    // The two parts are given at construction; nothing else belongs here.
    delete item;
}

QLayoutItem* MapPageLayout::itemAt(int index) const
{
    return index == 0 ? m_map.get() : index == 1 ? m_panel.get() : nullptr;
}

QLayoutItem* MapPageLayout::takeAt(int index)
{
    return index == 0 ? m_map.release() : index == 1 ? m_panel.release() : nullptr;
}

int MapPageLayout::count() const
{
    return (m_map ? 1 : 0) + (m_panel ? 1 : 0);
}

double MapPageLayout::aspect() const
{
    const double a = m_aspect ? m_aspect() : kWorldAspect;
    return std::isfinite(a) && a > 0 ? a : kWorldAspect;
}

QSize MapPageLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    const QSize panel = m_panel ? m_panel->minimumSize() : QSize();
    const int mapHeight = int(std::ceil(kMapMinimumWidth / aspect()));
    return QSize(std::max(kMapMinimumWidth, panel.width()), mapHeight + spacing() + panel.height())
        .grownBy(m);
}

QSize MapPageLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const QSize panel = m_panel ? m_panel->sizeHint() : QSize();
    const int width = std::max(panel.width(), 2 * kMapMinimumWidth);
    return QSize(width, int(width / aspect()) + spacing() + panel.height()).grownBy(m);
}

void MapPageLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    if (!m_map || !m_panel)
        return;
    const QRect area = rect.marginsRemoved(contentsMargins());
    const double a = aspect();
    const int panelMinimum = m_panel->minimumSize().height();
    const int mapHeight
        = std::max(0, std::min(int(std::floor(area.width() / a)), area.height() - panelMinimum - spacing()));
    const int mapWidth = std::min(area.width(), int(std::lround(mapHeight * a)));
    m_map->setGeometry(QRect(area.x() + (area.width() - mapWidth) / 2, area.y(), mapWidth, mapHeight));
    const int panelTop = area.y() + mapHeight + spacing();
    m_panel->setGeometry(QRect(area.x(), panelTop, area.width(), area.bottom() + 1 - panelTop));
}

} // namespace tremora
