// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/EventServer.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <httplib.h>

#include <algorithm>
#include <chrono>

namespace tremora
{

namespace
{

constexpr qint64 kMsPerDay = 86'400'000;
constexpr const char* kReplyContentType = "application/octet-stream";
constexpr qsizetype kSyntheticRowRoom = 200; // bytes a reply reserves per event; rows are shorter
constexpr qint64 kMsPerMinute = 60'000;
// The live catalogue is laid out this far ahead; its clock cuts it.
constexpr int kLiveLastYear = 2099;
// A live change (a late report, a revision, a deletion) comes at least this long after the origin.
constexpr qint64 kFirstChangeMinutes = 5;
// A revision moves the magnitude by at most this many tenths either way.
constexpr int kMaxRevisionTenths = 10;
constexpr int kPerMille = 1000;

// splitmix64: a good spread of bits from any input, so neighbouring events choose independently.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Days from 1970-01-01 to a proleptic Gregorian date.
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

char charAt(const QByteArray& t, int pos)
{
    return pos < t.size() ? t[pos] : '\0';
}

bool digitsAt(const QByteArray& t, int pos, int count, int& value)
{
    if (pos + count > t.size())
        return false;
    value = 0;
    for (int i = pos; i < pos + count; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        value = value * 10 + (t[i] - '0');
    }
    return true;
}

// The first `count` comma-separated fields of a row; the columns the server reads all come before
// the quoted place text, so no field here holds a comma.
QList<QByteArray> leadingFields(const QByteArray& line, int count)
{
    QList<QByteArray> fields;
    int from = 0;
    while (fields.size() < count) {
        const int comma = line.indexOf(',', from);
        fields << line.mid(from, comma < 0 ? -1 : comma - from);
        if (comma < 0)
            break;
        from = comma + 1;
    }
    return fields;
}

QByteArray limitRefusal(int matching, int limit, const QByteArray& target)
{
    return "Error 400: Bad Request\n\n" + QByteArray::number(matching)
        + " matching events exceeds search limit of " + QByteArray::number(limit)
        + ". Modify the search to match fewer events.\n\n"
        + "Usage details are available from https://earthquake.usgs.gov/fdsnws/event/1\n\n" + "Request:\n"
        + target + "\n\nService version:\n1.14.1\n";
}

QByteArray badRequest(const QByteArray& what)
{
    return "Error 400: Bad Request\n\n" + what + "\n";
}

struct CivilDay {
    qint64 year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
CivilDay civilFromDays(qint64 z)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return { static_cast<qint64>(yoe) + era * 400 + (m <= 2), m, d };
}

// Monthly event counts of the synthetic catalogue at the start of some years; the months between
// are interpolated, and the last count holds for every later month.
struct CountAnchor {
    int year;
    int perMonth;
};
constexpr CountAnchor kCountAnchors[] = {
    { EventServer::kSyntheticFirstYear, 250 },
    { 1990, 900 },
    { 2005, 2'200 },
    { 2010, 3'500 },
    { 2015, 10'000 },
};

qint64 monthStartMs(std::size_t month)
{
    const auto year = static_cast<qint64>(EventServer::kSyntheticFirstYear + month / 12);
    return daysFromCivil(year, unsigned(month % 12) + 1, 1) * kMsPerDay;
}

// "yyyy-MM-ddTHH:mm:ss.fffZ", the service's time column.
void appendTimeText(QByteArray& out, qint64 ms)
{
    const qint64 days = ms >= 0 ? ms / kMsPerDay : (ms - kMsPerDay + 1) / kMsPerDay;
    const qint64 ofDay = ms - days * kMsPerDay;
    const CivilDay date = civilFromDays(days);
    const auto seconds = static_cast<int>(ofDay / 1000);
    char text[] = "0000-00-00T00:00:00.000Z";
    const auto put = [&text](int at, qint64 value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = static_cast<char>('0' + value % 10);
    };
    put(0, date.year, 4);
    put(5, date.month, 2);
    put(8, date.day, 2);
    put(11, seconds / 3600, 2);
    put(14, seconds / 60 % 60, 2);
    put(17, seconds % 60, 2);
    put(20, ofDay % 1000, 3);
    out.append(text, sizeof text - 1);
}

} // namespace

EventServer::EventServer() = default;

EventServer::~EventServer()
{
    stop();
}

bool EventServer::parseTime(const QByteArray& text, qint64& msSinceEpoch)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    if (!digitsAt(text, 0, 4, y) || charAt(text, 4) != '-' || !digitsAt(text, 5, 2, mo)
        || charAt(text, 7) != '-' || !digitsAt(text, 8, 2, d) || mo < 1 || mo > 12 || d < 1 || d > 31)
        return false;
    int pos = 10;
    if (pos < text.size() && (text[pos] == 'T' || text[pos] == ' ')) {
        if (!digitsAt(text, pos + 1, 2, h) || charAt(text, pos + 3) != ':' || !digitsAt(text, pos + 4, 2, mi)
            || charAt(text, pos + 6) != ':' || !digitsAt(text, pos + 7, 2, s) || h > 23 || mi > 59 || s > 60)
            return false;
        pos += 9;
        if (pos < text.size() && text[pos] == '.') {
            int scale = 100;
            for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
                ms += (text[pos] - '0') * scale;
                scale /= 10;
            }
        }
    }
    if (pos < text.size() && text[pos] == 'Z')
        ++pos;
    if (pos != text.size())
        return false;
    msSinceEpoch
        = daysFromCivil(y, unsigned(mo), unsigned(d)) * kMsPerDay + ((h * 60 + mi) * 60 + s) * 1000LL + ms;
    return true;
}

int EventServer::addCsv(const QByteArray& csv)
{
    const int headerEnd = csv.indexOf('\n');
    if (headerEnd < 0)
        return 0;
    const QByteArray header = csv.left(headerEnd).trimmed();
    const QList<QByteArray> columns = header.split(',');
    const int idColumn = int(columns.indexOf("id"));
    const int updatedColumn = int(columns.indexOf("updated"));
    if (columns.value(0) != "time" || idColumn < 0)
        return 0;

    std::lock_guard lock(m_mutex);
    // Replies of the older, shorter layout are served under the fuller header of the newer one.
    if (columns.size() > m_headerColumns) {
        m_header = header;
        m_headerColumns = int(columns.size());
    }
    int added = 0;
    int from = headerEnd + 1;
    while (from < csv.size()) {
        int end = csv.indexOf('\n', from);
        if (end < 0)
            end = int(csv.size());
        QByteArray line = csv.mid(from, end - from);
        from = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        const QList<QByteArray> fields = leadingFields(line, std::max(idColumn, updatedColumn) + 1);
        Row row;
        if (fields.size() <= idColumn || !parseTime(fields[0], row.timeMs))
            continue;
        row.id = fields[idColumn];
        for (int f = 0; f < idColumn; ++f)
            row.idOffset += int(fields[f].size()) + 1;
        row.updated = updatedColumn >= 0 ? fields.value(updatedColumn) : QByteArray();
        row.line = line;
        m_rows.push_back(std::move(row));
        ++added;
    }
    rebuildIndex();
    return added;
}

void EventServer::rebuildIndex()
{
    // One row per event: the most recently updated one, in the place of the event's first row.
    QHash<QByteArray, std::size_t> byId;
    std::vector<Row> unique;
    unique.reserve(m_rows.size());
    for (Row& row : m_rows) {
        const auto found = byId.constFind(row.id);
        if (found == byId.cend()) {
            byId.insert(row.id, unique.size());
            unique.push_back(std::move(row));
        } else if (row.updated > unique[*found].updated) {
            unique[*found] = std::move(row);
        }
    }
    std::stable_sort(
        unique.begin(), unique.end(), [](const Row& a, const Row& b) { return a.timeMs < b.timeMs; });
    m_rows = std::move(unique);
}

int EventServer::addFolder(const QString& folder, QString* error)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({ QStringLiteral("*-fdsn-asc.csv") }, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        if (error)
            *error = QStringLiteral("no *-fdsn-asc.csv in %1").arg(folder);
        return 0;
    }
    int files = 0;
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("cannot read %1").arg(file.fileName());
            continue;
        }
        addCsv(file.readAll());
        ++files;
    }
    return files;
}

int EventServer::eventCount() const
{
    std::lock_guard lock(m_mutex);
    if (m_syntheticFirst.empty())
        return int(m_rows.size());
    if (m_liveNow) {
        // Late reports and deletions leave gaps anywhere: every event up to now is asked.
        const qint64 now = m_liveNow();
        int served = 0;
        for (std::size_t month = 0; month + 1 < m_syntheticFirst.size() && monthStartMs(month) <= now;
             ++month) {
            const int count = int(m_syntheticFirst[month + 1] - m_syntheticFirst[month]);
            for (int i = 0; i < count; ++i) {
                const qint64 time = syntheticTime(month, i);
                int step = 0;
                if (time >= m_syntheticStartMs && liveServes(m_syntheticFirst[month] + i, time, now, step))
                    ++served;
            }
        }
        return served;
    }
    // Whole months, less what of the last one lies after its last day.
    const std::size_t last = m_syntheticFirst.size() - 2;
    const int inLast = int(m_syntheticFirst[last + 1] - m_syntheticFirst[last]);
    int past = 0;
    for (int i = inLast - 1; i >= 0 && syntheticTime(last, i) > m_syntheticEndMs; --i)
        ++past;
    return int(m_syntheticFirst.back()) - past;
}

int EventServer::syntheticMonthCount(int year, int month)
{
    const int at = year * 12 + month - 1;
    if (at < kSyntheticFirstYear * 12)
        return 0;
    for (std::size_t i = 0; i + 1 < std::size(kCountAnchors); ++i) {
        const CountAnchor& a = kCountAnchors[i];
        const CountAnchor& b = kCountAnchors[i + 1];
        if (at < b.year * 12)
            return a.perMonth + (b.perMonth - a.perMonth) * (at - a.year * 12) / ((b.year - a.year) * 12);
    }
    return std::end(kCountAnchors)[-1].perMonth;
}

void EventServer::serveSynthetic(const QDate& lastDay)
{
    std::lock_guard lock(m_mutex);
    m_liveNow = nullptr;
    layOutSynthetic(lastDay);
}

void EventServer::serveLive(std::function<qint64()> now, const LiveSettings& settings)
{
    std::lock_guard lock(m_mutex);
    m_live = settings;
    m_liveNow = std::move(now);
    layOutSynthetic(QDate(kLiveLastYear, 12, 31));
    if (settings.firstDay.isValid())
        m_syntheticStartMs = std::max(m_syntheticStartMs,
            daysFromCivil(settings.firstDay.year(), unsigned(settings.firstDay.month()),
                unsigned(settings.firstDay.day()))
                * kMsPerDay);
}

void EventServer::layOutSynthetic(const QDate& lastDay)
{
    m_syntheticFirst.clear();
    m_syntheticStartMs = monthStartMs(0);
    if (!lastDay.isValid() || lastDay.year() < kSyntheticFirstYear || m_rows.empty())
        return;
    const int months = (lastDay.year() - kSyntheticFirstYear) * 12 + lastDay.month();
    m_syntheticFirst.reserve(std::size_t(months) + 1);
    qint64 next = 0;
    for (int m = 0; m < months; ++m) {
        m_syntheticFirst.push_back(next);
        next += syntheticMonthCount(kSyntheticFirstYear + m / 12, m % 12 + 1);
    }
    m_syntheticFirst.push_back(next);
    m_syntheticEndMs
        = (daysFromCivil(lastDay.year(), unsigned(lastDay.month()), unsigned(lastDay.day())) + 1) * kMsPerDay
        - 1;
}

qint64 EventServer::syntheticTime(std::size_t month, int index) const
{
    const qint64 start = monthStartMs(month);
    const qint64 length = monthStartMs(month + 1) - start;
    const qint64 count = m_syntheticFirst[month + 1] - m_syntheticFirst[month];
    const Row& row = m_rows[std::size_t(m_syntheticFirst[month] + index) % m_rows.size()];
    // Events lie minutes apart, so the row's milliseconds never change their order.
    return start + qint64(index) * length / count + (row.timeMs % 1000 + 1000) % 1000;
}

void EventServer::appendSyntheticRow(
    QByteArray& body, std::size_t month, int index, qint64 timeMs, int magnitudeStepTenths) const
{
    const qint64 number = m_syntheticFirst[month] + index;
    const Row& row = m_rows[std::size_t(number) % m_rows.size()];
    const QByteArray& line = row.line;
    const qsizetype timeEnd = line.indexOf(',');
    qsizetype idEnd = line.indexOf(',', row.idOffset);
    if (idEnd < 0)
        idEnd = line.size();
    appendTimeText(body, timeMs);
    // A revision writes the magnitude (the fifth column) anew; a row without one keeps it empty.
    qsizetype magBegin = timeEnd;
    for (int field = 1; field < 4 && magBegin >= 0; ++field)
        magBegin = line.indexOf(',', magBegin + 1);
    const qsizetype magEnd = magBegin < 0 ? -1 : line.indexOf(',', magBegin + 1);
    bool hasMagnitude = false;
    const double magnitude
        = magEnd < 0 ? 0 : line.mid(magBegin + 1, magEnd - magBegin - 1).toDouble(&hasMagnitude);
    if (magnitudeStepTenths != 0 && hasMagnitude && magEnd < row.idOffset) {
        const double revised = std::clamp(magnitude + magnitudeStepTenths / 10.0, 0.0, 9.5);
        body.append(line.constData() + timeEnd, magBegin + 1 - timeEnd);
        body.append(QByteArray::number(revised, 'f', 2));
        body.append(line.constData() + magEnd, row.idOffset - magEnd);
    } else {
        body.append(line.constData() + timeEnd, row.idOffset - timeEnd);
    }
    body.append("sy");
    body.append(QByteArray::number(number));
    body.append(line.constData() + idEnd, line.size() - idEnd);
    body.append('\n');
}

EventServer::Answer EventServer::syntheticAnswer(qint64 first, qint64 last, const QByteArray& target) const
{
    Answer a;
    const std::size_t months = m_syntheticFirst.size() - 1;
    const qint64 lo = std::max(first, m_syntheticStartMs);
    const qint64 now = m_liveNow ? m_liveNow() : m_syntheticEndMs;
    const qint64 hi = std::min({ last, m_syntheticEndMs, now });
    // The events of the period: in each month it touches, a run of consecutive indices.
    struct Run {
        std::size_t month;
        int from;
        int to;
    };
    std::vector<Run> runs;
    if (lo <= hi) {
        const CivilDay day = civilFromDays(lo / kMsPerDay);
        std::size_t month = std::size_t(day.year - kSyntheticFirstYear) * 12 + day.month - 1;
        for (; month < months && monthStartMs(month) <= hi; ++month) {
            const int count = int(m_syntheticFirst[month + 1] - m_syntheticFirst[month]);
            Run run { month, 0, count };
            while (run.from < count && syntheticTime(month, run.from) < lo)
                ++run.from;
            while (run.to > run.from && syntheticTime(month, run.to - 1) > hi)
                --run.to;
            runs.push_back(run);
        }
    }
    // Which events of the runs are served, and how: all of them, except in the live mode.
    const auto served = [&](const Run& run, int i, int& step) {
        step = 0;
        return !m_liveNow
            || liveServes(m_syntheticFirst[run.month] + i, syntheticTime(run.month, i), now, step);
    };
    for (const Run& run : runs) {
        if (!m_liveNow) {
            a.events += run.to - run.from;
            continue;
        }
        for (int i = run.from, step = 0; i < run.to; ++i)
            a.events += served(run, i, step) ? 1 : 0;
    }
    if (a.events > m_limit) {
        a.status = 400;
        a.body = limitRefusal(a.events, m_limit, target);
        return a;
    }
    a.body.reserve(m_header.size() + 1 + qsizetype(a.events) * kSyntheticRowRoom);
    a.body += m_header + '\n';
    for (const Run& run : runs)
        for (int i = run.from, step = 0; i < run.to; ++i)
            if (served(run, i, step))
                appendSyntheticRow(a.body, run.month, i, syntheticTime(run.month, i), step);
    return a;
}

EventServer::Answer EventServer::answer(const QByteArray& starttime, const QByteArray& endtime) const
{
    Answer a;
    qint64 first = 0, last = 0;
    if (!parseTime(starttime, first) || !parseTime(endtime, last)) {
        a.status = 400;
        a.body = badRequest("Bad starttime or endtime value.");
        return a;
    }
    std::lock_guard lock(m_mutex);
    if (!m_syntheticFirst.empty())
        return syntheticAnswer(
            first, last, QByteArray(kQueryPath) + "?starttime=" + starttime + "&endtime=" + endtime);
    const auto lo = std::lower_bound(
        m_rows.begin(), m_rows.end(), first, [](const Row& r, qint64 t) { return r.timeMs < t; });
    const auto hi
        = std::upper_bound(lo, m_rows.end(), last, [](qint64 t, const Row& r) { return t < r.timeMs; });
    a.events = last < first ? 0 : int(hi - lo);
    if (a.events > m_limit) {
        a.status = 400;
        a.body = limitRefusal(
            a.events, m_limit, QByteArray(kQueryPath) + "?starttime=" + starttime + "&endtime=" + endtime);
        return a;
    }
    qsizetype size = m_header.size() + 1;
    for (auto it = lo; it < hi; ++it)
        size += it->line.size() + 1;
    a.body.reserve(size);
    a.body += m_header + '\n';
    for (auto it = lo; it < hi; ++it)
        a.body += it->line + '\n';
    return a;
}

EventServer::LiveEvent EventServer::liveEvent(std::uint64_t seed, qint64 number, const LiveSettings& settings)
{
    const std::uint64_t h = mix(seed ^ mix(std::uint64_t(number)));
    LiveEvent event;
    const int draw = int(h % kPerMille);
    int bound = settings.latePerMille;
    if (draw < bound)
        event.change = LiveEvent::Change::Late;
    else if (draw < (bound += settings.revisedPerMille))
        event.change = LiveEvent::Change::Revised;
    else if (draw < (bound += settings.deletedPerMille))
        event.change = LiveEvent::Change::Deleted;
    else
        return event;
    const qint64 first = kFirstChangeMinutes * kMsPerMinute;
    const qint64 span = std::max<qint64>(qint64(settings.changeHorizonMinutes) * kMsPerMinute - first, 1);
    event.changeAfterMs = first + qint64((h >> 10) % std::uint64_t(span));
    if (event.change == LiveEvent::Change::Revised) {
        const int step = int((h >> 50) % kMaxRevisionTenths) + 1;
        event.magnitudeStepTenths = (h >> 49) & 1 ? step : -step;
    }
    return event;
}

bool EventServer::liveServes(qint64 number, qint64 timeMs, qint64 nowMs, int& magnitudeStepTenths) const
{
    magnitudeStepTenths = 0;
    if (timeMs > nowMs)
        return false;
    const LiveEvent event = liveEvent(m_live.seed, number, m_live);
    const bool changed = nowMs >= timeMs + event.changeAfterMs;
    switch (event.change) {
    case LiveEvent::Change::None:
        return true;
    case LiveEvent::Change::Late:
        return changed;
    case LiveEvent::Change::Revised:
        magnitudeStepTenths = changed ? event.magnitudeStepTenths : 0;
        return true;
    case LiveEvent::Change::Deleted:
        return !changed;
    }
    return true;
}

bool EventServer::liveChangedBetween(qint64 afterMs, qint64 untilMs) const
{
    std::lock_guard lock(m_mutex);
    if (!m_liveNow || m_syntheticFirst.empty() || untilMs <= afterMs)
        return false;
    // Only events at most the horizon older than the span can change within it.
    const qint64 from = afterMs - qint64(m_live.changeHorizonMinutes) * kMsPerMinute;
    for (std::size_t month = 0; month + 1 < m_syntheticFirst.size() && monthStartMs(month) <= untilMs;
         ++month) {
        if (monthStartMs(month + 1) <= from)
            continue;
        const int count = int(m_syntheticFirst[month + 1] - m_syntheticFirst[month]);
        for (int i = 0; i < count; ++i) {
            const qint64 time = syntheticTime(month, i);
            if (time < from || time < m_syntheticStartMs || time > untilMs)
                continue;
            const LiveEvent event = liveEvent(m_live.seed, m_syntheticFirst[month] + i, m_live);
            const qint64 at = time + event.changeAfterMs;
            const bool removesOrRevises
                = event.change == LiveEvent::Change::Revised || event.change == LiveEvent::Change::Deleted;
            if (removesOrRevises && at > afterMs && at <= untilMs)
                return true;
        }
    }
    return false;
}

EventServer::Failure EventServer::liveFailureAt(qint64 nowMs, const LiveSettings& settings)
{
    if (settings.failures.isEmpty() || settings.failureWindowMinutes <= 0)
        return Failure::None;
    const qint64 windowMs = qint64(settings.failureWindowMinutes) * kMsPerMinute;
    const qint64 window = nowMs >= 0 ? nowMs / windowMs : (nowMs - windowMs + 1) / windowMs;
    const std::uint64_t h = mix(settings.seed ^ mix(~std::uint64_t(window)));
    if (int(h % kPerMille) >= settings.failurePerMille)
        return Failure::None;
    return settings.failures[qsizetype((h >> 20) % std::uint64_t(settings.failures.size()))];
}

QList<EventServer::Failure> EventServer::allFailures()
{
    QList<Failure> failures;
    for (qsizetype i = 1; i < failureNames().size(); ++i)
        failures << Failure(i);
    return failures;
}

EventServer::Failure EventServer::currentFailure() const
{
    const Failure set = m_failure;
    if (set != Failure::None)
        return set;
    std::lock_guard lock(m_mutex);
    return m_liveNow ? liveFailureAt(m_liveNow(), m_live) : Failure::None;
}

QStringList EventServer::failureNames()
{
    return { QStringLiteral("none"), QStringLiteral("drip"), QStringLiteral("silent"), QStringLiteral("huge"),
        QStringLiteral("cut-row"), QStringLiteral("html-200"), QStringLiteral("html-500"),
        QStringLiteral("html-503"), QStringLiteral("redirect-loop"), QStringLiteral("to-https"),
        QStringLiteral("wrong-columns"), QStringLiteral("absurd-values") };
}

std::optional<EventServer::Failure> EventServer::failureNamed(const QString& name)
{
    const qsizetype i = failureNames().indexOf(name);
    if (i < 0)
        return std::nullopt;
    return Failure(i);
}

bool EventServer::waitUnlessStopping(int ms) const
{
    constexpr int kStepMs = 20;
    for (int waited = 0; waited < ms; waited += kStepMs) {
        if (m_stopping)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(kStepMs, ms - waited)));
    }
    return !m_stopping;
}

bool EventServer::serveFailure(const httplib::Request& req, httplib::Response& res)
{
    const Failure failure = currentFailure();
    if (failure == Failure::None)
        return false;
    const QByteArray start = QByteArray::fromStdString(req.get_param_value("starttime"));
    const QByteArray end = QByteArray::fromStdString(req.get_param_value("endtime"));
    const auto page = [&res](int status, const char* text) {
        res.status = status;
        res.set_content(text, "text/html");
    };
    switch (failure) {
    case Failure::None:
        return false;
    case Failure::Drip:
    case Failure::CutRow: {
        auto body = std::make_shared<QByteArray>(answer(start, end).body);
        // CutRow stops halfway through the second row, with more announced.
        const qsizetype firstRow = body->indexOf('\n') + 1;
        const qsizetype secondRow = body->indexOf('\n', firstRow) + 1;
        const qsizetype cut = failure == Failure::CutRow && secondRow > 0
            ? secondRow + (body->indexOf('\n', secondRow) - secondRow) / 2
            : body->size();
        res.set_content_provider(std::size_t(body->size()), kReplyContentType,
            [this, body, cut, failure](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (qsizetype(offset) >= cut)
                    return false; // the connection closes
                const std::size_t n = failure == Failure::Drip ? 1 : std::size_t(cut - qsizetype(offset));
                if (failure == Failure::Drip && !waitUnlessStopping(m_dripIntervalMs))
                    return false;
                m_failureBytes += qint64(n);
                return sink.write(body->constData() + offset, n);
            });
        return true;
    }
    case Failure::Silent: {
        // Holds the connection until the server stops; the live service, which fails like this
        // again and again, lets go after a while so as not to run out of threads.
        std::unique_lock lock(m_mutex);
        const int hold = m_liveNow ? m_live.silentHoldMs : 24 * 3600 * 1000;
        lock.unlock();
        waitUnlessStopping(hold);
        return true;
    }
    case Failure::Huge: {
        const QByteArray whole = answer(start, end).body;
        const QByteArray header = whole.left(whole.indexOf('\n') + 1);
        auto block = std::make_shared<QByteArray>();
        while (block->size() < 64 * 1024)
            block->append(
                "2015-07-01T00:00:00.000Z,38.8,-122.8,1.5,1.2,md,,,,,nc,x,2015-07-01T00:00:00.000Z,\"a\","
                "earthquake\n");
        block->prepend(header);
        res.set_content_provider(std::size_t(kHugeReplyBytes), kReplyContentType,
            [this, block](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                if (m_stopping)
                    return false;
                const std::size_t n
                    = std::min({ length, std::size_t(block->size()), std::size_t(kHugeReplyBytes) - offset });
                m_failureBytes += qint64(n);
                return sink.write(block->constData(), n);
            });
        return true;
    }
    case Failure::Html200:
        page(200,
            "<html><head><title>Maintenance</title></head><body><h1>Service temporarily down for "
            "maintenance</h1></body></html>\n");
        return true;
    case Failure::Html500:
        page(500, "<html><body><h1>500 Internal Server Error</h1></body></html>\n");
        return true;
    case Failure::Html503:
        page(503, "<html><body><h1>503 Service Unavailable</h1></body></html>\n");
        return true;
    case Failure::RedirectLoop: {
        // Each redirect asks for a query of its own, so no client sees the same address twice.
        const std::string hop = std::to_string(m_requests.load());
        res.set_redirect(std::string(kQueryPath) + "?starttime=" + start.toStdString()
                + "&endtime=" + end.toStdString() + "&hop=" + hop,
            302);
        return true;
    }
    case Failure::ToHttps:
        res.set_redirect(
            "https://" + std::string(LoopbackListener::kHost) + ":" + std::to_string(port()) + req.target,
            301);
        return true;
    case Failure::WrongColumns: {
        QByteArray body = answer(start, end).body;
        body = body.left(body.indexOf('\n') + 1);
        for (int i = 0; i < 20; ++i)
            body += "2015-07-01T00:00:0" + QByteArray::number(i % 10) + ".000Z,38.8,-122.8\n";
        res.set_content(body.constData(), std::size_t(body.size()), kReplyContentType);
        return true;
    }
    case Failure::AbsurdValues: {
        QByteArray body = answer(start, end).body;
        body = body.left(body.indexOf('\n') + 1);
        const char* rows[] = {
            "2015-07-01T00:00:01.000Z,nan,-122.8,1.5,1.2,md,,,,,nc,a1,2015-07-01T00:00:00.000Z,\"a\","
            "earthquake",
            "2015-07-01T00:00:02.000Z,38.8,inf,1.5,1.2,md,,,,,nc,a2,2015-07-01T00:00:00.000Z,\"a\","
            "earthquake",
            "2015-07-01T00:00:03.000Z,38.8,-122.8,1e300,1e300,md,,,,,nc,a3,2015-07-01T00:00:00.000Z,\"a\","
            "earthquake",
            "0000-00-00T00:00:00.000Z,38.8,-122.8,1.5,1.2,md,,,,,nc,a4,2015-07-01T00:00:00.000Z,\"a\","
            "earthquake",
            "9999-12-31T23:59:59.999Z,38.8,-122.8,1.5,1.2,md,,,,,nc,a5,2015-07-01T00:00:00.000Z,\"a\","
            "earthquake",
        };
        for (const char* row : rows)
            body += QByteArray(row) + '\n';
        res.set_content(body.constData(), std::size_t(body.size()), kReplyContentType);
        return true;
    }
    }
    return false;
}

int EventServer::start(int port)
{
    m_stopping = false;
    httplib::Server& server = m_listener.routes();
    server.Get(kQueryPath, [this](const httplib::Request& req, httplib::Response& res) {
        ++m_requests;
        if (serveFailure(req, res))
            return;
        if (const int delay = m_replyDelayMs; delay > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        const std::string start = req.get_param_value("starttime");
        const std::string end = req.get_param_value("endtime");
        const Answer a = answer(QByteArray::fromStdString(start), QByteArray::fromStdString(end));
        res.status = a.status;
        // Not a text/* type: the server library would compress those for a client that accepts
        // brotli (Qt does), which costs far more on loopback than the transfer it saves.
        res.set_content(a.body.constData(), std::size_t(a.body.size()), kReplyContentType);
    });
    return m_listener.start(port);
}

void EventServer::stop()
{
    m_stopping = true; // a failure mode holding a connection lets go
    m_listener.stop();
}

void EventServer::wait()
{
    m_listener.wait();
}

QString EventServer::baseUrl() const
{
    return m_listener.baseUrl();
}

} // namespace tremora
