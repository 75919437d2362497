// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/HttpRequestReader.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

bool sameIgnoringCase(QByteArrayView a, QByteArrayView b) {
    return qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}

bool isAllowedMethod(QByteArrayView method) {
    return sameIgnoringCase(method, "GET") || sameIgnoringCase(method, "POST") ||
           sameIgnoringCase(method, "HEAD");
}

// A decimal number with an optional sign; anything else counts as no Content-Length at all.
// Lengths too long for qint64 come back as the largest value, which every body cap refuses.
bool parseContentLength(QByteArrayView text, qint64& length) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return false;
    qint64 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value > (std::numeric_limits<qint64>::max() - 9) / 10
                    ? std::numeric_limits<qint64>::max()
                    : value * 10 + (c - '0');
    }
    length = negative ? -value : value;
    return true;
}

} // namespace

HttpRequestReader::HttpRequestReader(HttpRequestLimits limits)
    : m_limits(limits) {}

HttpRequestReader::Verdict HttpRequestReader::feed(QByteArrayView bytes) {
    while (!bytes.isEmpty() && m_stage != Stage::Done) {
        const qsizetype used = m_stage == Stage::RequestLine || m_stage == Stage::Headers
                                   ? consumeLineBytes(bytes)
                                   : consumeBody(bytes);
        bytes = bytes.sliced(used);
    }
    return m_verdict;
}

HttpRequestReader::Verdict HttpRequestReader::endOfInput() {
    if (m_stage == Stage::BodyUntilHalfClose)
        finish(Verdict::Reply);
    else if (m_stage != Stage::Done)
        finish(Verdict::CloseWithoutReply);
    return m_verdict;
}

qsizetype HttpRequestReader::consumeLineBytes(QByteArrayView bytes) {
    // The line may be followed by a carriage return that is not part of it, hence the one byte
    // of room beyond the longest line.
    const qsizetype room = HttpRequestLimits::MaxLineLength + 1 - m_line.size();
    const qsizetype end = bytes.indexOf('\n');
    if (end < 0) {
        if (bytes.size() > room) {
            finish(Verdict::CloseWithoutReply);
            return bytes.size();
        }
        m_line.append(bytes);
        if (m_line.size() == HttpRequestLimits::MaxLineLength + 1 && m_line.back() != '\r')
            finish(Verdict::CloseWithoutReply);
        return bytes.size();
    }
    if (end > room) {
        finish(Verdict::CloseWithoutReply);
        return end + 1;
    }
    m_line.append(bytes.first(end));
    if (m_line.endsWith('\r'))
        m_line.chop(1);
    if (m_line.size() > HttpRequestLimits::MaxLineLength) {
        finish(Verdict::CloseWithoutReply);
        return end + 1;
    }
    const QByteArray line = std::exchange(m_line, QByteArray());
    takeLine(line);
    return end + 1;
}

void HttpRequestReader::takeLine(QByteArrayView line) {
    if (m_stage == Stage::RequestLine) {
        takeRequestLine(line);
    } else if (line.isEmpty()) {
        endOfHeaders();
    } else if (++m_headerLines > m_limits.maxHeaderLines) {
        finish(Verdict::CloseWithoutReply);
    } else {
        takeHeaderLine(line);
    }
}

void HttpRequestReader::takeRequestLine(QByteArrayView line) {
    const qsizetype firstBlank = line.indexOf(' ');
    if (firstBlank < 0) {
        finish(Verdict::CloseWithoutReply);
        return;
    }
    const qsizetype lastBlank = line.lastIndexOf(' ');
    m_method = line.first(firstBlank).toByteArray();
    m_version = line.sliced(lastBlank + 1).toByteArray();
    m_target = line.sliced(firstBlank, lastBlank - firstBlank).trimmed().toByteArray();
    if (!isAllowedMethod(m_method)) {
        finish(Verdict::CloseWithoutReply);
        return;
    }
    m_isPost = sameIgnoringCase(m_method, "POST");
    m_stage = Stage::Headers;
}

void HttpRequestReader::takeHeaderLine(QByteArrayView line) {
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return;
    const QByteArrayView name = line.first(colon).trimmed();
    const QByteArrayView value = line.sliced(colon + 1).trimmed();
    if (sameIgnoringCase(name, "Content-Length")) {
        qint64 length = 0;
        if (parseContentLength(value, length))
            m_contentLength = length;
    } else if (sameIgnoringCase(name, "Authorization")) {
        // Basic credentials are accepted unchecked; any other scheme is refused outright.
        const auto schemeEnd =
            std::find_if(value.begin(), value.end(), [](char c) { return c == ' ' || c == '\t'; });
        const QByteArrayView scheme = value.first(schemeEnd - value.begin());
        if (!sameIgnoringCase(scheme, "Basic"))
            finish(Verdict::CloseWithoutReply);
        else
            m_authorization = value.toByteArray();
    }
}

void HttpRequestReader::endOfHeaders() {
    const qint64 length = m_contentLength.value_or(0);
    if (length > m_limits.maxBodyBytes) {
        finish(Verdict::CloseWithoutReply);
    } else if (length > 0) {
        m_stage = Stage::Body;
    } else if (m_isPost && !m_contentLength) {
        m_stage = Stage::BodyUntilHalfClose;
        m_verdict = Verdict::ReadUntilHalfClose;
    } else {
        finish(Verdict::Reply);
    }
}

qsizetype HttpRequestReader::consumeBody(QByteArrayView bytes) {
    if (m_stage == Stage::Body) {
        const qint64 length = *m_contentLength;
        const qsizetype used = qsizetype(std::min<qint64>(length - m_bodyRead, bytes.size()));
        keepBody(bytes.first(used));
        m_bodyRead += used;
        if (m_bodyRead == length)
            finish(Verdict::Reply);
        return used;
    }
    keepBody(bytes);
    m_bodyRead += bytes.size();
    if (m_bodyRead > m_limits.maxBodyBytes)
        finish(Verdict::CloseWithoutReply);
    return bytes.size();
}

void HttpRequestReader::keepBody(QByteArrayView bytes) {
    const qsizetype room = std::max<qsizetype>(m_limits.maxKeptBodyBytes - m_body.size(), 0);
    if (bytes.size() > room)
        m_bodyCut = true;
    m_body.append(bytes.first(std::min(room, bytes.size())));
}

void HttpRequestReader::finish(Verdict verdict) {
    m_stage = Stage::Done;
    m_verdict = verdict;
    m_line.clear();
}
