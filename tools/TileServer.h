// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/LoopbackListener.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

namespace httplib
{
class Server;
}

namespace tremora
{

/// A loopback imagery service with the usual XYZ layout: GET /{z}/{x}/{y}.jpg answers the Web
/// Mercator tile (256 x 256, x eastward from longitude -180, y southward from latitude +85.05)
/// drawn from an equirectangular picture of the whole world. A tile outside the zoom's grid, and
/// one refused on purpose, gets 404.
///
/// Used by the tests (in-process, on a thread, ephemeral port) and by tremora_tile_server.
class TileServer
{
public:
    static constexpr int kMaxZoom = 22;

    TileServer();
    ~TileServer();
    TileServer(const TileServer&) = delete;
    TileServer& operator=(const TileServer&) = delete;

    /// Reads the world picture; false when it cannot be read. Call before start().
    bool loadPicture(const QString& path);
    void setPicture(const QImage& picture);

    /// Tile z/x/y gets 404 from now on.
    void refuse(int zoom, int x, int y);

    /// The tile drawn from the picture; null outside the zoom's grid or without a picture.
    QImage tile(int zoom, int x, int y) const;

    /// Listens on 127.0.0.1 at `port` (0 picks a free one) on a thread of its own. Returns the
    /// port, or -1 when it cannot listen.
    int start(int port = 0);
    /// Stops listening and waits for the thread.
    void stop();
    /// Blocks until the server stops (the command-line tool's main loop).
    void wait();

    int port() const { return m_listener.port(); }
    /// "http://127.0.0.1:<port>/{z}/{x}/{y}.jpg", the value for --tile-url.
    QString urlTemplate() const;
    /// Tiles asked for so far (refusals included).
    int requestCount() const { return m_requests; }

private:
    QImage m_picture; // RGB32; read only once serving
    mutable std::mutex m_mutex;
    std::set<std::tuple<int, int, int>> m_refused;
    std::atomic<int> m_requests { 0 };
    LoopbackListener m_listener;
};

} // namespace tremora
