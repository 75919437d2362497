// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/PageReply.h"

#include <QCryptographicHash>

namespace PageReply {

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 303:
        return "See Other";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 413:
        return "Content Too Large";
    case 429:
        return "Too Many Requests";
    default:
        return "Internal Server Error";
    }
}

QByteArray securityPolicy(const QString& style) {
    const QByteArray styleHash =
        QCryptographicHash::hash(style.toUtf8(), QCryptographicHash::Sha256).toBase64();
    return "default-src 'none'; img-src data:; style-src 'sha256-" + styleHash +
           "'; form-action 'self'; frame-ancestors 'none'; base-uri 'none'";
}

QByteArray make(int status, const QString& style, const QString& html, const Headers& extra,
                bool withBody) {
    const QByteArray body = html.toUtf8();
    QByteArray reply =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
    const Headers common = {
        {"Connection", "close"},
        {"Content-Type", "text/html; charset=utf-8"},
        {"Content-Length", QByteArray::number(body.size())},
        {"Cache-Control", "no-store"},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Content-Security-Policy", securityPolicy(style)},
        {"Server", "Murkwell"},
    };
    for (const Headers* headers : {&common, &extra})
        for (const auto& [name, value] : *headers)
            reply += name + ": " + value + "\r\n";
    reply += "\r\n";
    if (withBody)
        reply += body;
    return reply;
}

} // namespace PageReply
