// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/HttpRequestLimits.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Reads one HTTP request from bytes as they arrive and says what the connection must do next.
// Nothing in it is sent anywhere: the server turns the verdict into a reply or a close.
class HttpRequestReader {
public:
    enum class Verdict {
        NeedMore,           // the request is not complete yet
        ReadUntilHalfClose, // a POST without Content-Length: its body ends when the client
                            // shuts down its sending side
        Reply,              // the request is complete: send the reply
        CloseWithoutReply,  // malformed, refused or over a limit: close, write nothing
    };

    explicit HttpRequestReader(HttpRequestLimits limits = {});

    // Bytes after a final verdict (Reply, CloseWithoutReply) are ignored.
    Verdict feed(QByteArrayView bytes);
    // The client shut down its sending side (or went away): only a body read until then
    // completes the request.
    Verdict endOfInput();

    Verdict verdict() const { return m_verdict; }
    // The request line and the headers are behind us (or the request has ended anyway).
    bool headersRead() const { return m_stage != Stage::RequestLine && m_stage != Stage::Headers; }

    // The request line's parts, once it has been read.
    const QByteArray& method() const { return m_method; }
    const QByteArray& target() const { return m_target; }
    const QByteArray& version() const { return m_version; }
    // The last Authorization header's value (its scheme is Basic), empty when there was none.
    const QByteArray& authorization() const { return m_authorization; }
    // The body's first bytes, at most the kept-body limit; bodyCut() when there were more.
    const QByteArray& body() const { return m_body; }
    bool bodyCut() const { return m_bodyCut; }
    // Bytes held while waiting for the end of a line; never more than one line's worth.
    qsizetype bufferedBytes() const { return m_line.size(); }

private:
    enum class Stage { RequestLine, Headers, Body, BodyUntilHalfClose, Done };

    qsizetype consumeLineBytes(QByteArrayView bytes);
    void takeLine(QByteArrayView line);
    void takeRequestLine(QByteArrayView line);
    void takeHeaderLine(QByteArrayView line);
    void endOfHeaders();
    qsizetype consumeBody(QByteArrayView bytes);
    void keepBody(QByteArrayView bytes);
    void finish(Verdict verdict);

    HttpRequestLimits m_limits;
    Stage m_stage = Stage::RequestLine;
    Verdict m_verdict = Verdict::NeedMore;
    QByteArray m_line;
    QByteArray m_method;
    QByteArray m_target;
    QByteArray m_version;
    bool m_isPost = false;
    int m_headerLines = 0;
    // Empty while no readable Content-Length header has been seen.
    std::optional<qint64> m_contentLength;
    qint64 m_bodyRead = 0;
    QByteArray m_authorization;
    QByteArray m_body;
    bool m_bodyCut = false;
};
