// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The hidden `token` field of the page's forms: an HMAC of the account and its login under a key
// drawn anew at each program start. Another web site cannot know it, so it cannot make a
// logged-in phone send a form that counts; the token of one account is no use for the other.
class PageToken {
public:
    // A fresh random key.
    PageToken();
    // A fixed key, for tests that need two runs to agree.
    explicit PageToken(QByteArray key);

    QString forLogin(const QString& account, const QString& login) const;
    // Compares in time independent of where the two differ.
    bool matches(const QString& account, const QString& login, const QString& token) const;

private:
    QByteArray m_key;
};
