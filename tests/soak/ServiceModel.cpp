// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/soak/ServiceModel.h"

#include "catalogue/CsvImport.h"
#include "search/AlertCheck.h"
#include "tools/EventServer.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tremora::soak
{

namespace
{

constexpr qint64 kMsPerHour = 3'600'000;
// Settled events are read in batches of at least a day, so that most looks read only the recent.
constexpr qint64 kSettleStepMs = 24 * kMsPerHour;

class QuietObserver final : public ImportObserver
{
public:
    void log(const QString&) override { }
    void progress(int) override { }
    void warning(const QString&) override { }
};

QByteArray timeText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc())
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))
        .toLatin1();
}

qint64 nextMonthStart(qint64 ms)
{
    const QDate day = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).date();
    return QDateTime(QDate(day.year(), day.month(), 1).addMonths(1), QTime(0, 0), QTimeZone::utc())
        .toMSecsSinceEpoch();
}

} // namespace

ServiceModel::ServiceModel(const EventServer& server, qint64 firstMs, qint64 changeHorizonMs)
    : m_server(server)
    , m_horizonMs(changeHorizonMs)
    , m_settledUntilMs(firstMs)
    , m_scratch(std::make_unique<Catalogue>())
{
}

void ServiceModel::read(qint64 fromMs, qint64 toMs, std::vector<QuakeRecord>& out)
{
    QuietObserver quiet;
    // A month at a time: the service refuses a query over its limit, and a month stays under it.
    for (qint64 from = fromMs; from < toMs;) {
        const qint64 to = std::min(toMs, nextMonthStart(from));
        const EventServer::Answer answer = m_server.answer(timeText(from), timeText(to - 1));
        if (answer.status != 200)
            throw std::runtime_error("the service refused the model's query: " + answer.body.toStdString());
        Catalogue& c = *m_scratch;
        c.CatalogueCount = 0;
        c.ImportCount = 0;
        c.beginImport();
        Analiza(answer.body, c, 0, false, quiet);
        out.insert(out.end(), c.slots() + 1, c.slots() + 1 + c.ImportCount);
        from = to;
    }
}

void ServiceModel::advance(qint64 nowMs)
{
    // Nothing older than the horizon changes any more; an hour more leaves room either side.
    const qint64 settleTo = nowMs - m_horizonMs - kMsPerHour;
    if (settleTo >= m_settledUntilMs + kSettleStepMs || (m_settled.empty() && settleTo > m_settledUntilMs)) {
        read(m_settledUntilMs, settleTo, m_settled);
        m_settledUntilMs = settleTo;
    }
    m_recent.clear();
    read(m_settledUntilMs, nowMs + 1, m_recent);
}

const QuakeRecord& ServiceModel::at(qint64 i) const
{
    const auto settled = qint64(m_settled.size());
    return i < settled ? m_settled[std::size_t(i)] : m_recent[std::size_t(i - settled)];
}

QByteArray ServiceModel::newestBytes(int capacity) const
{
    const qint64 n = std::min<qint64>(size(), capacity);
    QByteArray bytes;
    bytes.reserve(n * qint64(sizeof(QuakeRecord)));
    for (qint64 i = size() - n; i < size(); ++i)
        bytes.append(reinterpret_cast<const char*>(&at(i)), sizeof(QuakeRecord));
    return bytes;
}

qint64 ServiceModel::firstDifference(const QuakeRecord* records, qint64 count, int capacity) const
{
    const qint64 n = std::min<qint64>(size(), capacity);
    const qint64 start = size() - n;
    const qint64 common = std::min(n, count);
    // Whole runs first (the settled part is one block, the recent another), records after.
    const auto settled = qint64(m_settled.size());
    qint64 i = 0;
    if (start < settled) {
        const qint64 run = std::min(common, settled - start);
        if (std::memcmp(records, m_settled.data() + start, std::size_t(run) * sizeof(QuakeRecord)) == 0)
            i = run;
    }
    for (; i < common; ++i)
        if (std::memcmp(records + i, &at(start + i), sizeof(QuakeRecord)) != 0)
            return i;
    return count == n ? -1 : common;
}

QString ServiceModel::describe(const QuakeRecord& record)
{
    return AlertLine(record);
}

} // namespace tremora::soak
