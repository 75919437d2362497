// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Raised by the HID layer and the board object; the text is the one reported.
class DeviceError : public std::runtime_error {
public:
    explicit DeviceError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// An index outside a board's inputs or outputs.
class DeviceRangeError : public DeviceError {
public:
    using DeviceError::DeviceError;
};
