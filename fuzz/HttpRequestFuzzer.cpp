// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the HTTP request reader on arbitrary bytes. The verdict and the request
// line may not depend on how the bytes are cut into reads, the reader may never hold more than
// one line, and tighter limits may only turn a verdict into a close, never into another one.
#include "web/server/HttpRequestReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Outcome {
    HttpRequestReader::Verdict afterInput;
    HttpRequestReader::Verdict afterHalfClose;
    QByteArray method;
    QByteArray target;
    QByteArray version;

    bool operator==(const Outcome&) const = default;
};

Outcome read(QByteArrayView bytes, qsizetype chunk, HttpRequestLimits limits = {}) {
    HttpRequestReader reader(limits);
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        reader.feed(bytes.sliced(at, std::min(chunk, bytes.size() - at)));
        if (reader.bufferedBytes() > HttpRequestLimits::MaxLineLength + 1)
            std::abort();
    }
    Outcome outcome{reader.verdict(), {}, reader.method(), reader.target(), reader.version()};
    outcome.afterHalfClose = reader.endOfInput();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Outcome whole = read(bytes, std::max<qsizetype>(bytes.size(), 1));
    if (read(bytes, 1) != whole || read(bytes, 1 + qsizetype(size % 13)) != whole)
        std::abort();

    HttpRequestLimits tight;
    tight.maxHeaderLines = 3;
    tight.maxBodyBytes = 64;
    const Outcome limited = read(bytes, 1 + qsizetype(size % 7), tight);
    if (limited.afterInput != HttpRequestReader::Verdict::CloseWithoutReply &&
        limited.afterInput != whole.afterInput)
        std::abort();
    return 0;
}
