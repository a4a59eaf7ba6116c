// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>
#include <QString>

#include <array>

class QLabel;

namespace tremora
{

/// A status bar of fixed text panels side by side. The last panel takes whatever width is left.
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;
    static constexpr std::array<int, kPanelCount> kPanelWidths = { 70, 70, 30, 30, 100 };
    /// The panel of the program's messages: progress and results of what runs.
    static constexpr int kMessagePanel = 4;

    explicit StatusBar(QWidget* parent = nullptr);

    /// Sets the text of panel `index` and repaints it at once, so a long handler shows progress.
    /// An index outside the panels is ignored.
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    int panelCount() const { return kPanelCount; }
    QLabel* panel(int index) const;

private:
    std::array<QLabel*, kPanelCount> m_panels {};
};

} // namespace tremora
