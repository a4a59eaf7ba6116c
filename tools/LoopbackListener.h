// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <thread>

namespace httplib
{
class Server;
}

namespace tremora
{

/// The HTTP server under the loopback stand-ins (event service, tile server): it listens on
/// 127.0.0.1 on a thread of its own. Routes are added to the server that routes() hands out
/// before start().
class LoopbackListener
{
public:
    static constexpr const char* kHost = "127.0.0.1";

    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    /// Stops any earlier server and gives a fresh one to add routes to.
    httplib::Server& routes();
    /// Listens at `port` (0 picks a free one). Returns the port, or -1 when it cannot listen.
    /// Returns only once the server answers, so a stop() right after is never lost.
    int start(int port);
    /// Stops listening and waits for the thread.
    void stop();
    /// Blocks until the server stops (a command-line tool's main loop).
    void wait();

    int port() const { return m_port; }
    /// "http://127.0.0.1:<port>".
    QString baseUrl() const;

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
};

} // namespace tremora
