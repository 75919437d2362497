// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The fields of a form the page sent back (application/x-www-form-urlencoded): name=value pairs
// joined by "&", with "+" for a blank and %XX escapes, in UTF-8.
class FormFields {
public:
    // The page's forms have three fields; more than this is no form of ours.
    static constexpr int MaxFields = 8;

    // Empty when the body is not such a form: a bad escape, bytes that are not UTF-8, a field
    // named twice (which one would count?), or too many fields.
    static std::optional<FormFields> parse(QByteArrayView body);

    // The field's value; empty when the form has no such field.
    std::optional<QString> value(const QString& name) const;
    int size() const { return int(m_fields.size()); }

private:
    std::vector<std::pair<QString, QString>> m_fields;
};
