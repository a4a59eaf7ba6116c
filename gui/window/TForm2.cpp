// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/TForm2.h"

#include "gui/window/TForm1.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QVBoxLayout>
#include <QValueAxis>

namespace tremora
{

namespace
{
constexpr double kLeftAxisStep = 0.1;
constexpr qreal kPointSize = 5;
} // namespace

TForm2::TForm2(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form2"));
    resize(600, kHeight);

    auto* chart = new QChart;
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(QColor(Qt::yellow));
    chart->setBackgroundBrush(QColor(40, 48, 64));
    chart->legend()->hide();
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));

    auto* line = new QLineSeries;
    QPen dashed(QColor(120, 200, 255));
    dashed.setStyle(Qt::DashLine);
    line->setPen(dashed);
    line->setPointsVisible(true);
    line->setMarkerSize(kPointSize);
    auto* bars = new QBarSeries;
    bars->append(new QBarSet(QString()));
    chart->addSeries(bars);
    chart->addSeries(line);

    auto* timeAxis = new QDateTimeAxis;
    timeAxis->setFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    timeAxis->setLabelsBrush(Qt::white);
    auto* valueAxis = new QValueAxis;
    valueAxis->setTickType(QValueAxis::TicksDynamic);
    valueAxis->setTickInterval(kLeftAxisStep);
    valueAxis->setLabelsBrush(Qt::white);
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    line->attachAxis(timeAxis);
    line->attachAxis(valueAxis);
    bars->attachAxis(valueAxis);

    Chart = new QChartView(chart);
    Chart->setObjectName(QStringLiteral("Chart"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart);

    UtcLabel = new QLabel(Chart);
    UtcLabel->setObjectName(QStringLiteral("UtcLabel"));
    UtcLabel->setStyleSheet(QStringLiteral("color: white;"));
    UtcLabel->move(12, kHeight - 24);
    UnitLabel = new QLabel(Chart);
    UnitLabel->setObjectName(QStringLiteral("UnitLabel"));
    UnitLabel->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    UnitLabel->move(width() - kUnitLabelInset, 8);
    Watermark = new QLabel(TForm1::projectAddress(), Chart);
    Watermark->setObjectName(QStringLiteral("Watermark"));
    Watermark->setStyleSheet(QStringLiteral("color: rgba(255, 255, 255, 120); font-size: 9px;"));
    Watermark->move(12, 8);
    retranslate();
}

void TForm2::retranslate()
{
    setWindowTitle(tr("Moc burzy geomagnetycznej (GM)"));
    Chart->chart()->setTitle(tr("Moc burzy geomagnetycznej"));
    UtcLabel->setText(tr("UTC"));
    UnitLabel->setText(tr("mJ/m3/s"));
}

void TForm2::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace tremora
