// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much of a request the reader accepts before it gives up on the connection. The line length
// is the protocol's own rule; the header and body caps bound what one client can make us read.
struct HttpRequestLimits {
    static constexpr qsizetype MaxLineLength = 16384;
    static constexpr int DefaultMaxHeaderLines = 100;
    static constexpr qint64 DefaultMaxBodyBytes = qint64(1) << 20;
    // A form of the management page is a few dozen bytes; more is read and dropped, never kept.
    static constexpr qsizetype DefaultMaxKeptBodyBytes = 4096;

    int maxHeaderLines = DefaultMaxHeaderLines;
    qint64 maxBodyBytes = DefaultMaxBodyBytes;
    qsizetype maxKeptBodyBytes = DefaultMaxKeptBodyBytes;
};
