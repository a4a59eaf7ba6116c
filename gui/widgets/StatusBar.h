// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QStatusBar>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QProgressBar;

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
    static constexpr int kProgressWidth = 160;

    explicit StatusBar(QWidget* parent = nullptr);

    /// Sets the text of panel `index` and repaints it at once, so a long handler shows progress.
    /// An index outside the panels is ignored.
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    /// Sets the message panel to what `text` gives, and asks it again when the language changes,
    /// so the message stays in the language of the window. Any other text on the panel ends it.
    void setMessage(std::function<QString()> text);
    int panelCount() const { return kPanelCount; }
    QLabel* panel(int index) const;

    /// The progress bar at the right end, hidden until a long task shows it.
    QProgressBar* progressBar() const { return m_progress; }
    /// Shows the bar at value of maximum and repaints it at once (the task may hold the window).
    void showProgress(int value, int maximum);
    void hideProgress();

protected:
    void changeEvent(QEvent* event) override;

private:
    std::array<QLabel*, kPanelCount> m_panels {};
    QProgressBar* m_progress = nullptr;
    std::function<QString()> m_message;
};

/// The running count of a long listing in its label (Label29): a multiple of kStep, written and
/// brought to the screen at most every kRepaintMs, since a new text lays the panel out again and
/// doing so more often only slows the listing down. The listing writes its final count itself.
class ListingCounter
{
public:
    static constexpr int kStep = 100;
    static constexpr qint64 kRepaintMs = 40;

    explicit ListingCounter(QLabel& label);
    /// The listing has reached `n`.
    void count(int n);

private:
    QLabel& m_label;
    QElapsedTimer m_shown; // since the label was last repainted
};

} // namespace tremora
