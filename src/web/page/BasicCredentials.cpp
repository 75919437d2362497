#include "web/page/BasicCredentials.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<QString> fromStrictUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
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
