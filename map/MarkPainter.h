// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map/MapProjection.h"

#include <QImage>
#include <QRgb>

#include <cstdint>

namespace tremora
{

inline constexpr QRgb kMarkYellow = qRgb(255, 255, 0);
inline constexpr QRgb kMarkRed = qRgb(255, 0, 0);
inline constexpr QRgb kMarkGreen = qRgb(0, 128, 0);

/// Fill and outline of a mark. Marks have no colours by magnitude or depth: these three
/// combinations are all there is.
struct MarkColours {
    QRgb fill;
    QRgb outline;
};
/// The display, the calendar day, the replay and the first blink phase.
inline constexpr MarkColours kOrdinaryMark { kMarkYellow, kMarkRed };
/// Second blink phase of the shown set.
inline constexpr MarkColours kBlinkShownMark { kMarkGreen, kMarkRed };
/// Second blink phase of one selected earthquake.
inline constexpr MarkColours kBlinkSelectedMark { kMarkGreen, kMarkYellow };

/// Point size range of "Wielkość punktu" and the number it is taken from.
inline constexpr int kMinPointSize = 3;
inline constexpr int kMaxPointSize = 17;
inline constexpr int kDefaultPointSize = 10;
inline constexpr int kPointSizeBase = 21;

/// The magnitude divisor of a point size, 21 - size in 8 bits, so an out-of-range size typed into
/// the spin edit wraps like the byte it is held in.
std::uint8_t pointDivisor(int pointSize);

/// Radius of a mark: magnitude in tenths divided by the divisor; 0 (a single pixel) when the
/// divisor is 0.
int markRadius(std::uint8_t mag10, std::uint8_t divisor);

/// The overlay image marks are drawn into, with the map geometry and the point-size divisor of
/// the moment. Works on the image's pixels directly, so thousands of marks take microseconds.
class MarkCanvas
{
public:
    /// Converts the image to a 32-bit format first when it is not one.
    MarkCanvas(QImage& image, const FittedSize& fit, std::uint8_t divisor);

    const FittedSize& fit() const { return m_fit; }
    std::uint8_t divisor() const { return m_divisor; }

    void setPixel(int x, int y, QRgb colour);
    /// A filled circle in the box from (x - r, y - r) to (x + r, y + r), right and bottom edges
    /// excluded, with a one-pixel outline.
    void drawCircle(int x, int y, int r, QRgb fill, QRgb outline);

private:
    void fillRow(QRgb* row, int from, int to, QRgb colour) const;

    uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_height = 0;
    FittedSize m_fit;
    std::uint8_t m_divisor;
};

/// Draws one earthquake: a circle whose radius follows the magnitude, or a single pure red pixel
/// when the radius comes to 0 (whatever colours were passed). Nothing is drawn on an invalid map
/// or for coordinates that are not finite.
void Poz(MarkCanvas& canvas, std::uint8_t mag10, QRgb fill, float lon, float lat, QRgb outline);

} // namespace tremora
