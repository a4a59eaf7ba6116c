// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MarkPainter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tremora
{

namespace
{

// The largest radius a byte magnitude and a divisor of at least 1 can give.
constexpr int kMaxRadius = 255;

// One row of a circle's box: the disc covers [start, size - start), its inside (the pixels not
// on the outline) [fillStart, size - fillStart).
struct RowSpan {
    std::uint16_t start;
    std::uint16_t fillStart;
};

// Disc rows of every radius, built once. A pixel belongs to the disc of radius r when its centre
// lies within r of the box's centre; it is outline when a four-neighbour is outside the disc.
class CircleShapes
{
public:
    CircleShapes()
    {
        m_first.resize(kMaxRadius + 2, 0);
        for (int r = 1; r <= kMaxRadius; ++r) {
            m_first[std::size_t(r)] = m_rows.size();
            const int n = 2 * r;
            std::vector<int> start(static_cast<std::size_t>(n));
            // Doubled coordinates keep everything in integers: centre offset of column i is 2i+1-2r.
            const long long limit = 4LL * r * r;
            int a = r - 1;
            for (int j = 0; j < r; ++j) {
                const long long dy = 2LL * j + 1 - 2LL * r;
                while (a > 0) {
                    const long long dx = 2LL * (a - 1) + 1 - 2LL * r;
                    if (dx * dx + dy * dy > limit)
                        break;
                    --a;
                }
                start[std::size_t(j)] = a;
                start[std::size_t(n - 1 - j)] = a;
            }
            for (int j = 0; j < n; ++j) {
                int fill = start[std::size_t(j)] + 1;
                fill = std::max(fill, j > 0 ? start[std::size_t(j - 1)] : r);
                fill = std::max(fill, j + 1 < n ? start[std::size_t(j + 1)] : r);
                m_rows.push_back({ std::uint16_t(start[std::size_t(j)]), std::uint16_t(std::min(fill, r)) });
            }
        }
        m_first[kMaxRadius + 1] = m_rows.size();
    }

    const RowSpan* rows(int r) const { return m_rows.data() + m_first[std::size_t(r)]; }

private:
    std::vector<RowSpan> m_rows;
    std::vector<std::size_t> m_first;
};

const CircleShapes& circleShapes()
{
    static const CircleShapes shapes;
    return shapes;
}

bool isFourByteFormat(QImage::Format f)
{
    return f == QImage::Format_ARGB32_Premultiplied || f == QImage::Format_ARGB32
        || f == QImage::Format_RGB32;
}

} // namespace

std::uint8_t pointDivisor(int pointSize)
{
    return static_cast<std::uint8_t>(kPointSizeBase - pointSize);
}

int markRadius(std::uint8_t mag10, std::uint8_t divisor)
{
    return divisor == 0 ? 0 : mag10 / divisor;
}

MarkCanvas::MarkCanvas(QImage& image, const FittedSize& fit, std::uint8_t divisor)
    : m_fit(fit)
    , m_divisor(divisor)
{
    if (image.isNull())
        return;
    if (!isFourByteFormat(image.format()))
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    m_bits = image.bits();
    m_stride = image.bytesPerLine();
    m_width = image.width();
    m_height = image.height();
}

void MarkCanvas::setPixel(int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    reinterpret_cast<QRgb*>(m_bits + y * m_stride)[x] = colour;
}

void MarkCanvas::fillRow(QRgb* row, int from, int to, QRgb colour) const
{
    from = std::max(from, 0);
    to = std::min(to, m_width);
    for (int x = from; x < to; ++x)
        row[x] = colour;
}

void MarkCanvas::drawCircle(int x, int y, int r, QRgb fill, QRgb outline)
{
    if (r < 1 || r > kMaxRadius || m_bits == nullptr)
        return;
    const int n = 2 * r;
    const int left = x - r;
    const int top = y - r;
    if (left >= m_width || top >= m_height || left + n <= 0 || top + n <= 0)
        return;
    const RowSpan* rows = circleShapes().rows(r);
    const int firstRow = std::max(0, -top);
    const int lastRow = std::min(n, m_height - top);
    for (int j = firstRow; j < lastRow; ++j) {
        auto* row = reinterpret_cast<QRgb*>(m_bits + (top + j) * m_stride);
        const int a = rows[j].start;
        const int f = rows[j].fillStart;
        fillRow(row, left + a, left + f, outline);
        fillRow(row, left + f, left + n - f, fill);
        fillRow(row, left + n - f, left + n - a, outline);
    }
}

void Poz(MarkCanvas& canvas, std::uint8_t mag10, QRgb fill, float lon, float lat, QRgb outline)
{
    const auto p = wyl_poz(canvas.fit(), lon, lat);
    if (!p)
        return;
    const int r = markRadius(mag10, canvas.divisor());
    if (r == 0)
        canvas.setPixel(p->x, p->y, kMarkRed);
    else
        canvas.drawCircle(p->x, p->y, r, fill, outline);
}

} // namespace tremora
