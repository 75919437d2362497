// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

class SettingsStore;

// What the web access window keeps under "Web\": the server's port and page, two accounts and
// their permissions (ghosts 1 to 8 and the attraction), and the autorun option. A value-initialised
// record is the window before anything is loaded: empty texts, nothing ticked, both accounts
// hidden.
struct WebAccessSettings {
    static constexpr int GhostCount = 8;
    // The management page signs no account in whose password is shorter than this, in
    // characters: a short one is soon guessed from a few addresses, back-off or not. The stored
    // defaults are one character long, so an account must be given a password before use.
    static constexpr int MinPagePasswordLength = 8;

    static bool maySignInToPage(const QString& password);

    // What one account may switch on and off.
    struct Permissions {
        std::array<bool, GhostCount> ghost{}; // ghost n at n - 1
        bool attraction = false;
        bool operator==(const Permissions&) const = default;
    };

    QString Port;
    QString Page;
    QString User_Login;
    QString User_Pass;
    QString Admin_Login;
    QString Admin_Pass;
    bool Web_Autoconnect = false;
    bool User_OK = false;
    bool Admin_OK = false;
    Permissions Web_User;
    Permissions Web_Admin;

    bool operator==(const WebAccessSettings&) const = default;
};

// Loads and saves the record under the program's "Web\" key, each in its own order. A store
// error (a value of the wrong type, a refused write) abandons the rest of that load or save
// without troubling the user: the values after it keep what they held.
class WebAccessStore {
public:
    static const QString KeyPath;
    static const QString DefaultPort;
    static const QString DefaultPage;
    static const QString DefaultUserLogin;
    static const QString DefaultUserPass;
    static const QString DefaultAdminLogin;
    static const QString DefaultAdminPass;

    explicit WebAccessStore(SettingsStore* store);

    // Fills `settings` value by value; a missing value takes its default. Returns the store's
    // message when a value of the wrong type stopped the loading, else empty.
    QString load(WebAccessSettings& settings) const;
    // False when the store refused a write (logged).
    bool save(const WebAccessSettings& settings) const;

private:
    SettingsStore* m_store;
};
