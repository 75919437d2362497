// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/BasicCredentials.h"

#include "web/page/StrictUtf8.h"

#include <QByteArray>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<BasicCredentials> BasicCredentials::parse(QByteArrayView value) {
    value = value.trimmed();
    qsizetype schemeEnd = 0;
    while (schemeEnd < value.size() && !isBlank(value[schemeEnd]))
        ++schemeEnd;
    if (qstrnicmp(value.data(), schemeEnd, "Basic", 5) != 0)
        return std::nullopt;
    const QByteArrayView encoded = value.sliced(schemeEnd).trimmed();
    if (encoded.isEmpty())
        return std::nullopt;
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        encoded.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    const qsizetype colon = decoded.decoded.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    const std::optional<QString> login =
        fromStrictUtf8(QByteArrayView(decoded.decoded).first(colon));
    const std::optional<QString> password =
        fromStrictUtf8(QByteArrayView(decoded.decoded).sliced(colon + 1));
    if (!login || !password)
        return std::nullopt;
    return BasicCredentials{*login, *password};
}
