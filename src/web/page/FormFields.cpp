// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/FormFields.h"

#include "web/page/StrictUtf8.h"

#include <QByteArray>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<QString> decodeComponent(QByteArrayView encoded) {
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '+') {
            bytes.append(' ');
        } else if (c != '%') {
            bytes.append(c);
        } else {
            if (i + 2 >= encoded.size())
                return std::nullopt;
            const int high = hexDigit(encoded[i + 1]);
            const int low = hexDigit(encoded[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes.append(char(high * 16 + low));
            i += 2;
        }
    }
    return fromStrictUtf8(bytes);
}

} // namespace

std::optional<FormFields> FormFields::parse(QByteArrayView body) {
    FormFields form;
    if (body.isEmpty())
        return form;
    qsizetype start = 0;
    while (start <= body.size()) {
        qsizetype end = body.indexOf('&', start);
        if (end < 0)
            end = body.size();
        const QByteArrayView pair = body.sliced(start, end - start);
        start = end + 1;
        // "a&&b" and a trailing "&" leave empty pieces that name nothing.
        if (pair.isEmpty())
            continue;
        if (form.size() == MaxFields)
            return std::nullopt;
        const qsizetype equals = pair.indexOf('=');
        const std::optional<QString> name = decodeComponent(equals < 0 ? pair : pair.first(equals));
        const std::optional<QString> value =
            decodeComponent(equals < 0 ? QByteArrayView() : pair.sliced(equals + 1));
        if (!name || !value || form.value(*name))
            return std::nullopt;
        form.m_fields.emplace_back(*name, *value);
    }
    return form;
}

std::optional<QString> FormFields::value(const QString& name) const {
    for (const auto& [fieldName, fieldValue] : m_fields)
        if (fieldName == name)
            return fieldValue;
    return std::nullopt;
}
