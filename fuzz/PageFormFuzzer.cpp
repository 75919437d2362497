// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: what a phone sends the management page, the form body and the Basic
// credentials, on arbitrary bytes. Whatever parses must come back the same from its own encoding,
// and a form never holds more than its field limit.
#include "web/page/BasicCredentials.h"
#include "web/page/FormFields.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray encoded(const QString& text) {
    return text.toUtf8().toPercentEncoding();
}

void checkForm(QByteArrayView bytes) {
    const std::optional<FormFields> form = FormFields::parse(bytes);
    if (!form)
        return;
    if (form->size() > FormFields::MaxFields)
        std::abort();
    // Every field a form of this body names, re-encoded, gives the same value back.
    for (const QByteArray& piece : bytes.toByteArray().split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf('=');
        const QByteArray rawName = equals < 0 ? piece : piece.first(equals);
        const std::optional<FormFields> name = FormFields::parse("n=" + rawName);
        if (!name)
            std::abort(); // the whole form parsed, so each of its names does
        const QString field = *name->value(QStringLiteral("n"));
        const std::optional<QString> value = form->value(field);
        if (!value)
            std::abort();
        const std::optional<FormFields> again =
            FormFields::parse(encoded(field) + "=" + encoded(*value));
        if (!again || again->value(field) != value)
            std::abort();
    }
}

void checkCredentials(QByteArrayView bytes) {
    const std::optional<BasicCredentials> credentials = BasicCredentials::parse(bytes);
    if (!credentials)
        return;
    if (credentials->login.contains(u':'))
        std::abort();
    const QByteArray header =
        "Basic " + (credentials->login + u':' + credentials->password).toUtf8().toBase64();
    const std::optional<BasicCredentials> again = BasicCredentials::parse(header);
    if (!again || again->login != credentials->login || again->password != credentials->password)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkForm(bytes);
    checkCredentials(bytes);
    // Most random bytes are no base64; give the credentials a fair share of decodable input.
    checkCredentials("Basic " + bytes.toByteArray().toBase64());
    return 0;
}
