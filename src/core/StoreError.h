// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Raised by a settings read of the wrong type or a failed write; the text is the one the user sees.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}

    const QString& message() const { return m_message; }

    static StoreError invalidType(const QString& valueName) {
        return StoreError(QStringLiteral("Invalid data type for '%1'").arg(valueName));
    }
    static StoreError writeFailed(const QString& valueName) {
        return StoreError(QStringLiteral("Failed to set data for '%1'").arg(valueName));
    }

private:
    QString m_message;
};
