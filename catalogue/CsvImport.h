// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tremora
{

/// Name of the downloaded reply in the working folder (CSV text despite the name).
inline constexpr const char* kReplyFileName = "Baza_USGS.html";
/// Text of the memo line and the warning box for a reply that is not a catalogue (shown translated).
inline constexpr const char* kEmptyReplyText
    = QT_TRANSLATE_NOOP("tremora::CsvImport", "Baza zaimportowana z sieci jest pusta, błąd serwera USGS...");
/// Text of the warning box for a depth above kMaxDepth10 (shown translated).
inline constexpr const char* kDepthCorrectedText
    = QT_TRANSLATE_NOOP("tremora::CsvImport", "Błąd w bazie USGS, głębokość powyżej 1000 km - poprawione");
/// A reply without the service's CSV header must be at least this long to be parsed.
inline constexpr int kMinReplyLength = 500;
/// ... and its ",type" must lie more than this many bytes before its end; rows whose magnitude
/// ends within this many bytes of the end close the parse.
inline constexpr int kReplyTailLength = 50;
inline constexpr int kMaxDepth10 = 10000; // 1000.0 km
inline constexpr int kMaxMag10 = 120; // magnitude 12.0
inline constexpr int kProgressEvery = 10; // rows between progress reports
inline constexpr int kMatchWindow = 101; // newest stored slots searched by the first reply

/// What the import reports while it runs; the update controller shows it.
class ImportObserver
{
public:
    virtual ~ImportObserver() = default;
    /// A line for the log memo (Memo1).
    virtual void log(const QString& line) = 0;
    /// Row index reached, for Label3; called for every tenth row. Past the last slot it counts
    /// on as if the catalogue had no capacity.
    virtual void progress(int index) = 0;
    /// A warning for a modal box.
    virtual void warning(const QString& text) = 0;
};

struct AnalizaResult {
    bool accepted = false; // the reply was a catalogue and was parsed
    int rowsRead = 0; // whole data rows read (placed, matched, dropped or skipped)
    int rowsPlaced = 0; // rows copied into catalogue slots or, past the last one, the overflow
    bool matched = false; // with MatchFirst: a row equal to a stored record was found
};

/// Parses one reply of the event service and merges its rows into the catalogue.
///
/// The reply is accepted when it begins with the service's CSV header (isServiceReply), whatever
/// its length, or else when it holds ",type" at 1-based position p with p < L - 50 and
/// L >= 500. A rejected reply logs kEmptyReplyText, shows it as a warning and returns
/// accepted = false with the catalogue untouched.
///
/// Each data row (columns 1-5: time, latitude, longitude, depth, magnitude) is read into the
/// WorkRecord (slot 0): day number, time of day to the second, hundredths truncated, coordinates
/// rounded to four decimals then stored as float32, depth in whole km x 10 (empty or negative 0,
/// above 1000 km corrected to 1000 km with a warning box per row), Mag10 = magnitude x 10
/// truncated on the written digits (4.56 -> 45, 5 -> 50; a negative magnitude above -1 gives 0).
/// Rows with an empty magnitude, a magnitude <= -1.0, or a record no real earthquake could give
/// (isSoundRecord: a Mag10 above 100, a latitude past a pole, a date outside 1900-2100) are
/// skipped.
///
/// Merge: while MatchFirst holds, each accepted row is compared with slots StartCount,
/// StartCount - 1, ... StartCount - 100 (only slots >= 1); on the first equal one ImportCount
/// becomes that slot and matching ends, otherwise the row is dropped. Then every accepted row
/// goes to slot ++ImportCount, and past the last slot to the catalogue's overflow
/// (Catalogue::appendImported). CatalogueCount is not touched.
/// Never reads past the end of the reply; a row cut off by the end is not stored.
/// Throws ConversionError (naming the offending text) on a malformed field; rows placed before
/// it stay, ImportCount keeps its value.
AnalizaResult Analiza(
    const QByteArray& reply, Catalogue& catalogue, int StartCount, bool MatchFirst, ImportObserver& observer);

/// Reads the reply file whole, logs "Wielkość: {size} bajtów" and
/// "Długość ciągu danych: {length} Bajtów", then runs Analiza. A rejected reply's file is
/// deleted; an accepted one is left for the caller to delete (and stays when a ConversionError
/// ends the parse). A missing or unreadable file counts as an empty reply.
AnalizaResult AnalizaFile(
    const QString& path, Catalogue& catalogue, int StartCount, bool MatchFirst, ImportObserver& observer);

/// True when the text begins with the service's CSV header "time,latitude,longitude,depth,mag,".
bool isServiceReply(const QByteArray& head);

/// True when the text is the service's refusal of a query matching too many events
/// ("Error 400: Bad Request ... matching events exceeds search limit of 20000 ..."). Analiza
/// treats such a reply like any other non-catalogue text; a caller that wants to fetch the
/// month in smaller parts checks this first.
bool isSearchLimitReply(const QByteArray& body);

/// What a downloaded reply is, from its status and its first bytes.
enum class ReplyKind {
    Missing, // no reply file
    Catalogue, // begins with the service's CSV header
    NoEvents, // an empty "204 No Content": a period without events
    SearchLimit, // the whole reply is the refusal of a query over the search limit
    Other, // anything else: an error page, a cut-off or foreign text
};

/// HTTP status of the service's answer for a period without events.
inline constexpr int kHttpNoContent = 204;
/// Enough of a reply to tell the service's CSV header; the refusal texts are shorter than this.
inline constexpr qint64 kReplyHeadBytes = 4096;

/// Classifies an open reply by reading at most kReplyHeadBytes of it; `status` is the HTTP status
/// the reply came with. A reply of any length is never read whole.
ReplyKind classifyReply(QIODevice& reply, int status);

} // namespace tremora
