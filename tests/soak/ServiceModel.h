// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/QuakeRecord.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace tremora
{
class EventServer;
}

namespace tremora::soak
{

/// What a catalogue kept up to date from the live service must hold: the service's events as
/// records, oldest first, read from its answers by the program's own reply parser. Events older
/// than the service's change horizon no longer change and are kept; the newer ones are read
/// afresh at each look.
class ServiceModel
{
public:
    ServiceModel(const EventServer& server, qint64 firstMs, qint64 changeHorizonMs);

    /// Brings the model to the service as it stands at `nowMs`.
    void advance(qint64 nowMs);

    /// Events the service holds.
    qint64 size() const { return qint64(m_settled.size() + m_recent.size()); }
    /// Record `i` (0-based, oldest first).
    const QuakeRecord& at(qint64 i) const;
    /// The newest min(size, capacity) records, as the catalogue file holds them.
    QByteArray newestBytes(int capacity) const;
    /// Where `count` records, oldest first, first differ from the newest min(size, capacity) of
    /// the model; -1 when they are the same. A shorter or longer run differs at its end.
    qint64 firstDifference(const QuakeRecord* records, qint64 count, int capacity) const;
    /// The record's line for messages ("yyyy-MM-dd HH:mm:ss M4,5 ...").
    static QString describe(const QuakeRecord& record);

private:
    /// Reads the service's events of [fromMs, toMs) into `out`.
    void read(qint64 fromMs, qint64 toMs, std::vector<QuakeRecord>& out);

    const EventServer& m_server;
    qint64 m_horizonMs;
    qint64 m_settledUntilMs; // every event before this instant is in m_settled
    std::vector<QuakeRecord> m_settled;
    std::vector<QuakeRecord> m_recent;
    std::unique_ptr<Catalogue> m_scratch; // the parser's target
};

} // namespace tremora::soak
