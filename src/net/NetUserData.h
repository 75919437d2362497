// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>

// One registered network client: the 522-byte record kept byte for byte in the store. Names and
// passwords are Windows-1251 bytes. The record keeps every byte it was loaded with, so a record
// placed in the store from outside (an edit-enable flag, odd reserved bytes) survives a save.
class NetUserData {
public:
    static constexpr int Size = 522;
    static constexpr int TextCapacity = 255;
    static constexpr int RightCount = 4;

    // All bytes zero: empty name and password, no rights.
    NetUserData() = default;
    // A stored value fills the leading bytes; a shorter one leaves the rest zero. Bytes past
    // Size are ignored (the loader refuses such values before they get here).
    static NetUserData fromStored(QByteArrayView stored);

    QByteArray toBytes() const;

    QByteArray name() const { return text(NameOffset); }
    QByteArray password() const { return text(PasswordOffset); }
    // Cut to TextCapacity bytes; the bytes after the text become zero.
    void setName(QByteArrayView name) { setText(NameOffset, name); }
    void setPassword(QByteArrayView password) { setText(PasswordOffset, password); }

    // n = 1 … 4; other numbers are never granted.
    bool right(int n) const;
    void setRight(int n, bool allowed);

    quint8 clientNumber() const { return m_bytes[ClientNumberOffset]; }
    void setClientNumber(quint8 number) { m_bytes[ClientNumberOffset] = number; }
    bool editEnable() const { return m_bytes[EditEnableOffset] != 0; }
    void setEditEnable(bool enabled) { m_bytes[EditEnableOffset] = enabled ? 1 : 0; }

    bool operator==(const NetUserData&) const = default;

private:
    static constexpr int NameOffset = 0;
    static constexpr int PasswordOffset = 256;
    static constexpr int RightsOffset = 512;
    static constexpr int ClientNumberOffset = 518;
    static constexpr int EditEnableOffset = 520;

    QByteArray text(int offset) const;
    void setText(int offset, QByteArrayView text);

    std::array<quint8, Size> m_bytes{};
};
