// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsStore.h"
#include "support/TempStore.h"
#include "web/WebAccessSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Permissions = WebAccessSettings::Permissions;

// Every value differs from its default and from the empty record.
WebAccessSettings storedRecord() {
    WebAccessSettings s;
    s.Port = QStringLiteral(" 8080 ");
    s.Page = QStringLiteral("дом");
    s.User_Login = QStringLiteral("a:b");
    s.User_Pass = QStringLiteral("c@d");
    s.Admin_Login = QStringLiteral("root");
    s.Admin_Pass = QString();
    s.Web_Autoconnect = true;
    s.User_OK = true;
    s.Admin_OK = true;
    s.Web_User = Permissions{{true, false, true, false, true, false, true, false}, false};
    s.Web_Admin = Permissions{{false, true, false, true, false, true, false, true}, true};
    return s;
}

// The values in the order they are loaded, each with what copies it from one record to another.
struct Loaded {
    QString name;
    std::function<void(WebAccessSettings& to, const WebAccessSettings& from)> copy;
};

std::vector<Loaded> loadOrder() {
    std::vector<Loaded> order = {
        {"Port",
         [](auto& to, const auto& from) {
             to.Port = from.Port;
         }},
        {"Page",
         [](auto& to, const auto& from) {
             to.Page = from.Page;
         }},
        {"User_Login",
         [](auto& to, const auto& from) {
             to.User_Login = from.User_Login;
         }},
        {"User_Pass",
         [](auto& to, const auto& from) {
             to.User_Pass = from.User_Pass;
         }},
        {"Admin_Login",
         [](auto& to, const auto& from) {
             to.Admin_Login = from.Admin_Login;
         }},
        {"Admin_Pass",
         [](auto& to, const auto& from) {
             to.Admin_Pass = from.Admin_Pass;
         }},
        {"Web_Autoconnect",
         [](auto& to, const auto& from) {
             to.Web_Autoconnect = from.Web_Autoconnect;
         }},
        {"User_OK",
         [](auto& to, const auto& from) {
             to.User_OK = from.User_OK;
         }},
        {"Admin_OK",
         [](auto& to, const auto& from) {
             to.Admin_OK = from.Admin_OK;
         }},
    };
    for (auto account : {&WebAccessSettings::Web_User, &WebAccessSettings::Web_Admin}) {
        const QString who = account == &WebAccessSettings::Web_User ? "User" : "Admin";
        for (size_t ghost = 0; ghost < 8; ++ghost)
            order.push_back({QStringLiteral("Web_%1_0%2").arg(who).arg(ghost + 1),
                             [account, ghost](auto& to, const auto& from) {
                                 (to.*account).ghost[ghost] = (from.*account).ghost[ghost];
                             }});
        order.push_back(
            {QStringLiteral("Web_%1_50").arg(who), [account](auto& to, const auto& from) {
                 (to.*account).attraction = (from.*account).attraction;
             }});
    }
    return order;
}

TEST(WebAccessStore, WithoutAWebKeyEveryValueTakesItsDefaultAndTheKeyIsMade) {
    TempStore temp;
    ASSERT_FALSE(temp.store().keyExists(WebAccessStore::KeyPath));
    WebAccessSettings s;
    WebAccessStore(&temp.store()).load(s);
    EXPECT_EQ(s.Port, QStringLiteral("8012"));
    EXPECT_EQ(s.Page, QStringLiteral("manage"));
    EXPECT_EQ(s.User_Login, QStringLiteral("user"));
    EXPECT_EQ(s.Admin_Login, QStringLiteral("admin"));
    for (const QString& password : {s.User_Pass, s.Admin_Pass}) {
        ASSERT_EQ(password.size(), 1);
        EXPECT_TRUE(password.at(0).isDigit());
    }
    EXPECT_NE(s.User_Pass, s.Admin_Pass);
    EXPECT_FALSE(s.Web_Autoconnect);
    EXPECT_FALSE(s.User_OK);
    EXPECT_FALSE(s.Admin_OK);
    const Permissions everything{{true, true, true, true, true, true, true, true}, true};
    EXPECT_EQ(s.Web_User, everything);
    EXPECT_EQ(s.Web_Admin, everything);
    EXPECT_TRUE(temp.store().keyExists(WebAccessStore::KeyPath));
}

TEST(WebAccessStore, WhatIsSavedLoadsBackVerbatim) {
    TempStore temp;
    WebAccessStore(&temp.store()).save(storedRecord());
    WebAccessSettings loaded;
    WebAccessStore(&temp.reopen()).load(loaded);
    EXPECT_EQ(loaded, storedRecord());
    EXPECT_EQ(temp.querySingle("SELECT type || ':' || data FROM settings WHERE name = 'Port'"),
              QStringLiteral("string: 8080 "));
    EXPECT_EQ(temp.querySingle("SELECT group_concat(DISTINCT type) FROM settings WHERE name LIKE "
                               "'Web_%' OR name LIKE '%_OK'"),
              QStringLiteral("integer"))
        << "booleans are the store's integers";
}

TEST(WebAccessStore, SavesInItsOwnOrder) {
    TempStore temp;
    temp.execSql("CREATE TABLE written(n INTEGER PRIMARY KEY, name TEXT);"
                 "CREATE TRIGGER on_insert AFTER INSERT ON key_values "
                 "BEGIN INSERT INTO written(name) VALUES(NEW.name); END;");
    WebAccessStore(&temp.reopen()).save(storedRecord());
    QStringList expected = {"Port",       "Page",    "User_Login", "User_Pass",      "Admin_Login",
                            "Admin_Pass", "User_OK", "Admin_OK",   "Web_Autoconnect"};
    for (const char* who : {"User", "Admin"}) {
        for (int ghost = 1; ghost <= 8; ++ghost)
            expected.append(QStringLiteral("Web_%1_0%2").arg(QLatin1String(who)).arg(ghost));
        expected.append(QStringLiteral("Web_%1_50").arg(QLatin1String(who)));
    }
    EXPECT_EQ(temp.querySingle("SELECT group_concat(name, ' ') FROM (SELECT name FROM written "
                               "ORDER BY n)"),
              expected.join(u' '));
}

TEST(WebAccessStore, ARefusedWriteEndsTheSaveThere) {
    TempStore temp;
    temp.store().openKey(WebAccessStore::KeyPath, true)->close();
    temp.execSql("CREATE TRIGGER refuse BEFORE INSERT ON key_values "
                 "WHEN NEW.name = 'Admin_OK' BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    WebAccessStore(&temp.reopen()).save(storedRecord());
    EXPECT_EQ(temp.querySingle("SELECT group_concat(name, ' ') FROM (SELECT name FROM settings "
                               "ORDER BY name)"),
              QStringLiteral("Admin_Login Admin_Pass Page Port User_Login User_OK User_Pass"));
}

TEST(WebAccessStore, AValueOfTheWrongTypeEndsTheLoadThereAndTheRestStaysEmpty) {
    const std::vector<Loaded> order = loadOrder();
    const WebAccessSettings stored = storedRecord();
    for (size_t wrong = 0; wrong < order.size(); ++wrong) {
        TempStore temp;
        WebAccessStore(&temp.store()).save(stored);
        {
            auto key = temp.store().openKey(WebAccessStore::KeyPath, false);
            ASSERT_NE(key, nullptr);
            // A text where a flag belongs, a number where a text belongs.
            if (wrong < 6)
                key->writeInteger(order[wrong].name, 1);
            else
                key->writeString(order[wrong].name, QStringLiteral("1"));
            key->close();
        }
        WebAccessSettings expected;
        for (size_t before = 0; before < wrong; ++before)
            order[before].copy(expected, stored);
        WebAccessSettings loaded;
        WebAccessStore(&temp.reopen()).load(loaded);
        EXPECT_EQ(loaded, expected) << "wrong type at " << order[wrong].name.toStdString();
    }
}

TEST(WebAccessStore, AnUnusableStoreGivesTheDefaultsAndSavesNothing) {
    WebAccessSettings loaded;
    WebAccessStore(nullptr).load(loaded);
    EXPECT_EQ(loaded.Port, QStringLiteral("8012"));
    EXPECT_TRUE(loaded.Web_Admin.attraction);
    WebAccessStore(nullptr).save(storedRecord());
}

} // namespace
