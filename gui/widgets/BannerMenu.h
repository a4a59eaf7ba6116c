// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QMenu>
#include <QString>

namespace tremora
{

/// A popup menu with a coloured banner down its left edge carrying a word written bottom-up.
class BannerMenu : public QMenu
{
    Q_OBJECT
public:
    static constexpr int kBannerWidth = 22;

    explicit BannerMenu(const QString& bannerText, QWidget* parent = nullptr);

    QString bannerText() const { return m_bannerText; }
    QFont bannerFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_bannerText;
};

} // namespace tremora
