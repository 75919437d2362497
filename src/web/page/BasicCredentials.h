// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The login and password a browser sends with "Authorization: Basic ...": base64 of
// "login:password" in UTF-8, as the page's challenge asks. The login ends at the first colon, so
// a login that contains one can never be sent.
struct BasicCredentials {
    QString login;
    QString password;

    // Empty for anything that is not well-formed Basic credentials: another scheme, bad base64,
    // no colon, bytes that are not UTF-8.
    static std::optional<BasicCredentials> parse(QByteArrayView headerValue);
};
