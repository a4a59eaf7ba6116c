// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLayout>

#include <functional>
#include <memory>

namespace tremora
{

/// The layout of the tab "Trzęsienia Ziemi": the map on top in the shape of its picture, as large
/// as the width allows while the panel under it keeps its minimum height, centred across when the
/// height is what limits it; the panel under it (log, update panel, warnings) takes the rest. So
/// no empty band lies under the map, and a taller window gives the log more lines.
class MapPageLayout final : public QLayout
{
public:
    /// Width over height of the map's picture; the layout asks it at every pass.
    using Aspect = std::function<double()>;

    static constexpr int kMapMinimumWidth = 320;

    MapPageLayout(QWidget* parent, QWidget* map, QWidget* panel, Aspect aspect);
    ~MapPageLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }

private:
    double aspect() const;

    std::unique_ptr<QLayoutItem> m_map;
    std::unique_ptr<QLayoutItem> m_panel;
    Aspect m_aspect;
};

} // namespace tremora
