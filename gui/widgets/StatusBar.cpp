// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/StatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

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
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("StatusProgress"));
    m_progress->setFixedWidth(kProgressWidth);
    m_progress->setTextVisible(false);
    addPermanentWidget(m_progress);
    m_progress->hide();
}

void StatusBar::showProgress(int value, int maximum)
{
    m_progress->setRange(0, std::max(maximum, 1));
    m_progress->setValue(std::clamp(value, 0, std::max(maximum, 1)));
    if (m_progress->isHidden())
        m_progress->show();
    m_progress->repaint();
}

void StatusBar::hideProgress()
{
    m_progress->hide();
}

void StatusBar::setPanelText(int index, const QString& text)
{
    QLabel* label = panel(index);
    if (!label)
        return;
    if (index == kMessagePanel)
        m_message = {};
    label->setText(text);
    label->repaint();
}

void StatusBar::setMessage(std::function<QString()> text)
{
    setPanelText(kMessagePanel, text ? text() : QString());
    m_message = std::move(text);
}

void StatusBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && m_message)
        panel(kMessagePanel)->setText(m_message());
    QStatusBar::changeEvent(event);
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

ListingCounter::ListingCounter(QLabel& label)
    : m_label(label)
{
    m_shown.start();
}

void ListingCounter::count(int n)
{
    // A new text lays the panel out again, which costs more than a slice of the listing: the
    // count changes only as often as it is shown.
    if (n % kStep != 0 || m_shown.elapsed() < kRepaintMs)
        return;
    m_label.setText(QString::number(n));
    m_label.repaint();
    m_shown.start();
}

} // namespace tremora
