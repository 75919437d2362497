// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/PageToken.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <array>

namespace {

QByteArray randomKey() {
    std::array<quint32, 8> words{};
    QRandomGenerator::system()->generate(words.begin(), words.end());
    return QByteArray(reinterpret_cast<const char*>(words.data()), qsizetype(sizeof words));
}

} // namespace

PageToken::PageToken()
    : m_key(randomKey()) {}

PageToken::PageToken(QByteArray key)
    : m_key(std::move(key)) {}

QString PageToken::forLogin(const QString& account, const QString& login) const {
    // The account name cannot contain a line feed, so no two pairs give the same message.
    const QByteArray message = account.toUtf8() + '\n' + login.toUtf8();
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(message, m_key, QCryptographicHash::Sha256).toHex());
}

bool PageToken::matches(const QString& account, const QString& login, const QString& token) const {
    const QByteArray expected = forLogin(account, login).toLatin1();
    const QByteArray given = token.toUtf8();
    if (given.size() != expected.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < expected.size(); ++i)
        difference |= static_cast<unsigned char>(expected[i] ^ given[i]);
    return difference == 0;
}
