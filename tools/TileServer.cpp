// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TileServer.h"

#include <QBuffer>
#include <QImageReader>

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace tremora
{

namespace
{

constexpr int kTileSide = 256;
constexpr int kJpegQuality = 90;
constexpr int kNotFound = 404;
constexpr double kHalfTurn = 180.0;

/// The picture between its pixels (centres at whole numbers); across, it wraps around the world.
QRgb sample(const QImage& picture, double x, double y)
{
    const int width = picture.width();
    y = std::clamp(y, 0.0, picture.height() - 1.0);
    const double fx = x - std::floor(x);
    const double fy = y - std::floor(y);
    const int x0 = ((static_cast<int>(std::floor(x)) % width) + width) % width;
    const int x1 = (x0 + 1) % width;
    const int y0 = static_cast<int>(y);
    const int y1 = std::min(y0 + 1, picture.height() - 1);
    const auto* top = reinterpret_cast<const QRgb*>(picture.constScanLine(y0));
    const auto* bottom = reinterpret_cast<const QRgb*>(picture.constScanLine(y1));
    const auto mix = [&](int (*channel)(QRgb)) {
        const double upper = channel(top[x0]) * (1 - fx) + channel(top[x1]) * fx;
        const double lower = channel(bottom[x0]) * (1 - fx) + channel(bottom[x1]) * fx;
        return static_cast<int>(std::lround(upper * (1 - fy) + lower * fy));
    };
    return qRgb(mix(qRed), mix(qGreen), mix(qBlue));
}

} // namespace

TileServer::TileServer() = default;

TileServer::~TileServer()
{
    stop();
}

bool TileServer::loadPicture(const QString& path)
{
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    setPicture(picture);
    return true;
}

void TileServer::setPicture(const QImage& picture)
{
    m_picture = picture.convertToFormat(QImage::Format_RGB32);
}

void TileServer::refuse(int zoom, int x, int y)
{
    const std::lock_guard lock(m_mutex);
    m_refused.emplace(zoom, x, y);
}

QImage TileServer::tile(int zoom, int x, int y) const
{
    if (m_picture.isNull() || zoom < 0 || zoom > kMaxZoom)
        return {};
    const int count = 1 << zoom;
    if (x < 0 || y < 0 || x >= count || y >= count)
        return {};
    const double world = static_cast<double>(kTileSide) * count;
    const double pxPerLon = m_picture.width() / (2 * kHalfTurn);
    const double pxPerLat = m_picture.height() / kHalfTurn;
    QImage out(kTileSide, kTileSide, QImage::Format_RGB32);
    for (int r = 0; r < kTileSide; ++r) {
        const double northing = std::numbers::pi * (1 - 2 * ((y * kTileSide + r + 0.5) / world));
        const double lat = std::atan(std::sinh(northing)) * kHalfTurn / std::numbers::pi;
        const double row = (kHalfTurn / 2 - lat) * pxPerLat - 0.5;
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(r));
        for (int c = 0; c < kTileSide; ++c) {
            const double lon = (x * kTileSide + c + 0.5) / world * 2 * kHalfTurn - kHalfTurn;
            line[c] = sample(m_picture, (lon + kHalfTurn) * pxPerLon - 0.5, row);
        }
    }
    return out;
}

int TileServer::start(int port)
{
    httplib::Server& server = m_listener.routes();
    server.Get(R"(/(\d+)/(\d+)/(\d+)\.jpg)", [this](const httplib::Request& req, httplib::Response& res) {
        ++m_requests;
        const int zoom = std::stoi(req.matches[1].str());
        const int x = std::stoi(req.matches[2].str());
        const int y = std::stoi(req.matches[3].str());
        bool refused = false;
        {
            const std::lock_guard lock(m_mutex);
            refused = m_refused.contains({ zoom, x, y });
        }
        const QImage picture = refused ? QImage() : tile(zoom, x, y);
        if (picture.isNull()) {
            res.status = kNotFound;
            res.set_content("no such tile\n", "text/plain");
            return;
        }
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG", kJpegQuality);
        res.set_content(jpeg.constData(), std::size_t(jpeg.size()), "image/jpeg");
    });
    return m_listener.start(port);
}

void TileServer::stop()
{
    m_listener.stop();
}

void TileServer::wait()
{
    m_listener.wait();
}

QString TileServer::urlTemplate() const
{
    return m_listener.baseUrl() + QStringLiteral("/{z}/{x}/{y}.jpg");
}

} // namespace tremora
