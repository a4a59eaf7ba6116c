// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace tremora
{
class Downloader;
class CatalogueUpdate;
}

namespace tremora::test
{

/// Runs the event loop until `done` holds or `timeoutMs` has passed; returns whether it holds.
/// The program never waits like this; a test does, to see what the events bring.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 30'000);

/// What a download reported.
struct Fetched {
    bool received = false;
    int status = 0;
};

/// Starts a download and waits for its end.
Fetched fetch(Downloader& downloader, const QString& url, const QString& filePath);

/// Waits for a running update to end; true when it ended in time (at once when none runs).
bool waitForUpdate(const CatalogueUpdate& update, int timeoutMs = 60'000);

} // namespace tremora::test
