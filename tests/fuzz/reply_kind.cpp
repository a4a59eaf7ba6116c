// SPDX-License-Identifier: GPL-3.0-or-later
// The classification of a downloaded reply (catalogue, no events, search limit, anything else)
// over arbitrary bytes and statuses.
#include "catalogue/CsvImport.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QBuffer>

#include <cstdlib>

using namespace tremora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The last two bytes, when there are more than two, choose the status among the usual ones.
    int status = 200;
    if (size > 2) {
        static constexpr int kStatuses[] = { 200, 204, 206, 301, 302, 400, 404, 429, 500, 503 };
        status = kStatuses[(data[size - 1] + data[size - 2]) % std::size(kStatuses)];
    }
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ReplyKind kind = classifyReply(buffer, status);
    if (buffer.pos() > kReplyHeadBytes)
        std::abort(); // a reply is never read whole to be classified
    if (kind == ReplyKind::Catalogue && !isServiceReply(bytes))
        std::abort();
    if (kind == ReplyKind::NoEvents && size != 0)
        std::abort();
    return 0;
}
