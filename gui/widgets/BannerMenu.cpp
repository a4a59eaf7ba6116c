// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/BannerMenu.h"

#include <QLinearGradient>
#include <QPainter>

namespace tremora
{

BannerMenu::BannerMenu(const QString& bannerText, QWidget* parent)
    : QMenu(parent)
    , m_bannerText(bannerText)
{
    // The items are laid out to the right of the banner.
    setContentsMargins(kBannerWidth, 0, 0, 0);
}

QFont BannerMenu::bannerFont() const
{
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(14);
    return font;
}

void BannerMenu::paintEvent(QPaintEvent* event)
{
    QMenu::paintEvent(event);

    QPainter p(this);
    const QRect banner(0, 0, kBannerWidth, height());
    QLinearGradient fill(banner.topLeft(), banner.bottomLeft());
    fill.setColorAt(0, QColor(20, 40, 120));
    fill.setColorAt(1, QColor(70, 120, 210));
    p.fillRect(banner, fill);

    p.setPen(Qt::white);
    p.setFont(bannerFont());
    p.translate(banner.left(), banner.bottom());
    p.rotate(-90);
    // After the turn, x runs up the banner and y across it.
    p.drawText(
        QRect(6, 0, banner.height() - 6, banner.width()), Qt::AlignLeft | Qt::AlignVCenter, m_bannerText);
}

} // namespace tremora
