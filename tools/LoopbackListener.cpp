// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/LoopbackListener.h"

#include <httplib.h>

#include <chrono>

namespace tremora
{

namespace
{

constexpr int kReadyPolls = 5000;
// stop() waits for idle kept-alive connections to time out; keep that wait short.
constexpr time_t kKeepAliveSeconds = 1;

} // namespace

LoopbackListener::LoopbackListener() = default;

LoopbackListener::~LoopbackListener()
{
    stop();
}

httplib::Server& LoopbackListener::routes()
{
    stop();
    m_server = std::make_unique<httplib::Server>();
    m_server->set_keep_alive_timeout(kKeepAliveSeconds);
    return *m_server;
}

int LoopbackListener::start(int port)
{
    if (!m_server)
        return -1;
    m_port
        = port == 0 ? m_server->bind_to_any_port(kHost) : (m_server->bind_to_port(kHost, port) ? port : -1);
    if (m_port <= 0) {
        m_server.reset();
        m_port = -1;
        return -1;
    }
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    for (int i = 0; i < kReadyPolls && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_port;
}

void LoopbackListener::stop()
{
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

void LoopbackListener::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

QString LoopbackListener::baseUrl() const
{
    return QStringLiteral("http://%1:%2").arg(QLatin1String(kHost)).arg(m_port);
}

} // namespace tremora
