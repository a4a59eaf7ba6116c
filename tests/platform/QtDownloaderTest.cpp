// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtDownloader.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"
#include "tiles/TileSource.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <future>
#include <optional>
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

    ASSERT_TRUE(test::fetch(d, s.url("/ok"), target()).received);
    EXPECT_EQ(test::readAll(target()), QByteArray::fromStdString(big));
    ASSERT_TRUE(test::fetch(d, s.url("/refused"), target()).received);
    EXPECT_EQ(test::readAll(target()), QByteArray("Error 400: Bad Request"));
    ASSERT_TRUE(test::fetch(d, s.url("/down"), target()).received);
    EXPECT_EQ(test::readAll(target()), QByteArray("maintenance"));
    ASSERT_TRUE(test::fetch(d, s.url("/nowhere"), target()).received); // 404 is a reply too
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
    ASSERT_TRUE(test::fetch(d, s.url("/old"), target()).received);
    EXPECT_EQ(test::readAll(target()), QByteArray("moved here"));
    ASSERT_TRUE(test::fetch(d, s.url("/new"), target()).received);
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
    EXPECT_FALSE(test::fetch(d, url, target()).received);
    EXPECT_TRUE(filesInDir().isEmpty());

    ASSERT_TRUE(test::writeAll(target(), "earlier"));
    EXPECT_FALSE(test::fetch(d, url, target()).received);
    EXPECT_EQ(test::readAll(target()), QByteArray("earlier"));
    EXPECT_EQ(filesInDir().size(), 1);
}

TEST_F(QtDownloaderTest, AbortEndsARunningTransferWithoutAFile)
{
    std::promise<void> released;
    std::shared_future<void> release = released.get_future().share();
    std::atomic<bool> asked { false };
    QtDownloader d;
    std::unique_ptr<Download> running;
    LoopbackServer s; // stops (and waits for its handler) before the rest goes
    // Qt sends the request from a thread of its own, possibly before download() has returned: the
    // handler only says that the request is there, and the test thread aborts.
    s.server.Get("/slow", [&asked, release](const httplib::Request&, httplib::Response& r) {
        asked = true;
        release.wait();
        r.set_content("too late", "text/plain");
    });
    s.start();
    running.reset(d.download(s.url("/slow"), target()));
    std::optional<bool> received;
    QObject::connect(running.get(), &Download::finished, running.get(), [&](bool r, int) { received = r; });
    // The window closes while the service is still thinking.
    const bool reached = test::waitUntil([&] { return asked.load(); });
    if (reached)
        running->abort();
    const bool ended = reached && test::waitUntil([&] { return received.has_value(); });
    released.set_value(); // whatever happened, so that the server can stop
    ASSERT_TRUE(reached);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(*received);
    EXPECT_TRUE(filesInDir().isEmpty());
}

TEST_F(QtDownloaderTest, NeverReportsInsideTheCallAndGivesUpOnOversizedOrStalledReplies)
{
    std::promise<void> released;
    std::shared_future<void> release = released.get_future().share();
    LoopbackServer s;
    s.server.Get("/big", [](const httplib::Request&, httplib::Response& r) {
        r.set_content(std::string(300'000, 'x'), "text/csv");
    });
    s.server.Get("/stalled", [release](const httplib::Request&, httplib::Response& r) {
        release.wait();
        r.set_content("too late", "text/plain");
    });
    s.start();

    // A file that cannot be created still reports later, never from inside download().
    QtDownloader d;
    std::unique_ptr<Download> unwritable(
        d.download(s.url("/big"), dir.filePath(QStringLiteral("no/such/dir/x"))));
    bool reported = false;
    QObject::connect(
        unwritable.get(), &Download::finished, unwritable.get(), [&](bool, int) { reported = true; });
    EXPECT_FALSE(reported);
    ASSERT_TRUE(test::waitUntil([&] { return reported; }));

    QtDownloader capped(QtDownloader::kDefaultStallTimeoutMs, 1'000);
    EXPECT_FALSE(test::fetch(capped, s.url("/big"), target()).received);
    EXPECT_TRUE(filesInDir().isEmpty()) << "a reply over the cap leaves no file";

    QtDownloader impatient(100);
    EXPECT_FALSE(test::fetch(impatient, s.url("/stalled"), target()).received);
    released.set_value();
    EXPECT_TRUE(filesInDir().isEmpty()) << "a stalled reply leaves no file";
}

TEST_F(QtDownloaderTest, TileHostIsAskedForTheKeyAndItsReplyLandsInTheFile)
{
    LoopbackServer s;
    std::string asked;
    s.server.Get("/kh", [&](const httplib::Request& q, httplib::Response& r) {
        asked = q.get_param_value("n") + "," + q.get_param_value("v") + "," + q.get_param_value("t");
        r.set_content("\xFF\xD8\xFF tile", "image/jpeg");
    });
    s.start();
    QtDownloader d;
    HostTileSource tiles(d, s.url("/"));

    Download* download = tiles.fetch(QStringLiteral("stqqrts"), target());
    bool received = false;
    bool done = false;
    QObject::connect(download, &Download::finished, download, [&](bool r, int) {
        received = r;
        done = true;
    });
    ASSERT_TRUE(test::waitUntil([&] { return done; }));
    delete download;
    EXPECT_TRUE(received);
    EXPECT_EQ(asked, "404,84,tstqqrts");
    EXPECT_EQ(test::readAll(target()), QByteArray("\xFF\xD8\xFF tile"));
}

} // namespace
} // namespace tremora
