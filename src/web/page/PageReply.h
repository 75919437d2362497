// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// The HTTP replies of the management page: the status, the headers every page reply carries
// (length, no caching, the security headers with a policy that allows the page's own style and
// data: pictures and nothing else), any extra headers, and the body.
namespace PageReply {

using Headers = std::vector<std::pair<QByteArray, QByteArray>>;

// The Content-Security-Policy of every page reply; `style` is the one style sheet allowed.
QByteArray securityPolicy(const QString& style);

// `withBody` false (a HEAD): every header as for the whole reply, the body left out.
QByteArray make(int status, const QString& style, const QString& html, const Headers& extra = {},
                bool withBody = true);

QByteArray reasonPhrase(int status);

} // namespace PageReply
