// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QChartView;
class QLabel;

namespace tremora
{

/// The secondary chart window of the geomagnetic-storm power. It lives as long as the main
/// window, stays on top of it and is only ever shown and hidden; nothing fills its chart.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 350;
    /// Distance of the unit label from the right edge of the window.
    static constexpr int kUnitLabelInset = 80;

    explicit TForm2(QWidget* owner = nullptr);

    QChartView* Chart = nullptr;
    QLabel* UtcLabel = nullptr;
    QLabel* UnitLabel = nullptr;
    QLabel* Watermark = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
};

} // namespace tremora
