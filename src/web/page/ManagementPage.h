// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramControl.h"
#include "web/WebAccessSettings.h"
#include "web/page/GhostPictures.h"
#include "web/page/LoginBackOff.h"
#include "web/page/PageReply.h"
#include "web/page/PageToken.h"
#include "web/server/PageHandler.h"

#include <QHash>

#include <functional>

// The management page a phone reaches at "/" + the page name: the attraction and the eight
// ghosts, with the switches the signed-in account may use. Answers on the UI thread, from the
// web access window's settings as they stand at each request, and acts through the program's
// control surface exactly as a person at the computer would.
//
// Sign-in is HTTP Basic against the enabled accounts whose passwords are long enough; failures
// are limited per address and for all addresses together (LoginBackOff). A switch is a POST
// carrying the page's token; an action without the right token or outside the account's permissions
// is refused with 403 and changes nothing.
class ManagementPage : public PageHandler {
public:
    using SettingsSource = std::function<WebAccessSettings()>;
    using Now = std::function<LoginBackOff::Time()>;

    ManagementPage(SettingsSource settings, ProgramControl& control, GhostPictures pictures,
                   Now now = &std::chrono::steady_clock::now, PageToken token = {});

    QString pageName() const override;
    QByteArray answer(const PageRequest& request) override;

private:
    struct Account {
        QString role; // "admin" or "user"
        QString login;
        WebAccessSettings::Permissions permissions;
    };

    std::optional<Account> signIn(const QByteArray& authorization,
                                  const WebAccessSettings& settings) const;
    QByteArray act(const PageRequest& request, const Account& account,
                   const WebAccessSettings& settings);
    QByteArray showPage(const Account& account, const WebAccessSettings& settings, bool withBody);
    QByteArray message(int status, const QString& text, const PageReply::Headers& extra = {},
                       bool withBody = true) const;
    QByteArray pagePath(const WebAccessSettings& settings) const;

    SettingsSource m_settings;
    ProgramControl& m_control;
    GhostPictures m_pictures;
    Now m_now;
    PageToken m_token;
    LoginBackOff m_backOff;
    // One line for each account about its last refused action, shown once.
    QHash<QString, QString> m_notices;
};
