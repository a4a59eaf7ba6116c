// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/StatusBar.h"

#include <QLabel>

namespace tremora
{

StatusBar::StatusBar(QWidget* parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(kPanelWidths[static_cast<std::size_t>(i)]);
        const bool last = i == kPanelCount - 1;
        if (!last)
            label->setFixedWidth(kPanelWidths[static_cast<std::size_t>(i)]);
        addWidget(label, last ? 1 : 0);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
}

void StatusBar::setPanelText(int index, const QString& text)
{
    QLabel* label = panel(index);
    if (!label)
        return;
    label->setText(text);
    label->repaint();
}

QString StatusBar::panelText(int index) const
{
    QLabel* label = panel(index);
    return label ? label->text() : QString();
}

QLabel* StatusBar::panel(int index) const
{
    if (index < 0 || index >= kPanelCount)
        return nullptr;
    return m_panels[static_cast<std::size_t>(index)];
}

} // namespace tremora
