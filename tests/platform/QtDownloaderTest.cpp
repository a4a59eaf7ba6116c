// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtDownloader.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <future>
#include <set>
#include <thread>

namespace tremora
{
namespace
{

// A tiny loopback server on its own thread; each test adds the routes it needs.
class LoopbackServer
{
public:
    httplib::Server server;

    int start()
    {
        m_port = server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { server.listen_after_bind(); });
        while (!server.is_running())
            std::this_thread::yield();
        return m_port;
    }
    ~LoopbackServer()
    {
        server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(path));
    }

private:
    int m_port = 0;
    std::thread m_thread;
};

class QtDownloaderTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString target() const { return dir.filePath(QStringLiteral("reply.html")); }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(QtDownloaderTest, WritesTheBodyOfAnyHttpReplyErrorStatusesIncluded)
{
    LoopbackServer s;
    const std::string big(300'000, 'x'); // arrives in many chunks
    s.server.Get(
        "/ok", [&](const httplib::Request&, httplib::Response& r) { r.set_content(big, "text/csv"); });
    s.server.Get("/refused", [](const httplib::Request&, httplib::Response& r) {
        r.status = 400;
        r.set_content("Error 400: Bad Request", "text/plain");
    });
    s.server.Get("/down", [](const httplib::Request&, httplib::Response& r) {
        r.status = 503;
        r.set_content("maintenance", "text/plain");
    });
    s.start();
    QtDownloader d;

    ASSERT_TRUE(d.download(s.url("/ok"), target()));
    EXPECT_EQ(test::readAll(target()), QByteArray::fromStdString(big));
    ASSERT_TRUE(d.download(s.url("/refused"), target()));
    EXPECT_EQ(test::readAll(target()), QByteArray("Error 400: Bad Request"));
    ASSERT_TRUE(d.download(s.url("/down"), target()));
    EXPECT_EQ(test::readAll(target()), QByteArray("maintenance"));
    ASSERT_TRUE(d.download(s.url("/nowhere"), target())); // 404 is a reply too
    EXPECT_EQ(filesInDir(), QStringList { QStringLiteral("reply.html") }) << "no temporary file left behind";
}

TEST_F(QtDownloaderTest, FollowsRedirectsAndReusesTheConnection)
{
    LoopbackServer s;
    std::vector<int> clientPorts;
    std::mutex m;
    s.server.Get("/old", [&](const httplib::Request& q, httplib::Response& r) {
        std::lock_guard lock(m);
        clientPorts.push_back(q.remote_port);
        r.set_redirect("/new");
    });
    s.server.Get("/new", [&](const httplib::Request& q, httplib::Response& r) {
        std::lock_guard lock(m);
        clientPorts.push_back(q.remote_port);
        r.set_content("moved here", "text/plain");
    });
    s.start();
    QtDownloader d;
    ASSERT_TRUE(d.download(s.url("/old"), target()));
    EXPECT_EQ(test::readAll(target()), QByteArray("moved here"));
    ASSERT_TRUE(d.download(s.url("/new"), target()));
    // Qt may resend a request once on a connection the server dropped, so count ports, not requests.
    ASSERT_GE(clientPorts.size(), 3u);
    const std::set<int> connections(clientPorts.begin(), clientPorts.end());
    EXPECT_LT(connections.size(), clientPorts.size()) << "later requests should ride on an open connection";
}

TEST_F(QtDownloaderTest, NoReplyLeavesNoFileAndAnOldFileUntouched)
{
    int deadPort = 0;
    {
        LoopbackServer s;
        deadPort = s.start();
    } // nothing listens there any more
    QtDownloader d;
    const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(deadPort);
    EXPECT_FALSE(d.download(url, target()));
    EXPECT_TRUE(filesInDir().isEmpty());

    ASSERT_TRUE(test::writeAll(target(), "earlier"));
    EXPECT_FALSE(d.download(url, target()));
    EXPECT_EQ(test::readAll(target()), QByteArray("earlier"));
    EXPECT_EQ(filesInDir().size(), 1);
}

TEST_F(QtDownloaderTest, AbortEndsARunningTransferWithoutAFile)
{
    std::promise<void> released;
    std::shared_future<void> release = released.get_future().share();
    QtDownloader d;
    LoopbackServer s; // stops (and waits for its handler) before the rest goes
    s.server.Get("/slow", [&d, release](const httplib::Request&, httplib::Response& r) {
        // The window closes while the service is still thinking.
        QMetaObject::invokeMethod(
            &d, [&d] { d.abort(); }, Qt::QueuedConnection);
        release.wait();
        r.set_content("too late", "text/plain");
    });
    s.start();
    EXPECT_FALSE(d.download(s.url("/slow"), target()));
    EXPECT_FALSE(d.isBusy());
    released.set_value();
    EXPECT_TRUE(filesInDir().isEmpty());
}

} // namespace
} // namespace tremora
