// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/BasicCredentials.h"
#include "web/page/FormFields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct CredentialsCase {
    std::string name;
    QByteArray header;
    bool parsed;
    QString login;
    QString password;
};

TEST(BasicCredentials, DecodesWellFormedCredentialsAndRefusesEverythingElse) {
    const auto basic = [](const QByteArray& plain) {
        return "Basic " + plain.toBase64();
    };
    const std::vector<CredentialsCase> cases = {
        {"plain", basic("user:1"), true, "user", "1"},
        {"scheme_any_case", "bAsIc " + QByteArray("user:1").toBase64(), true, "user", "1"},
        {"blanks_around", "  Basic \t" + QByteArray("user:1").toBase64() + "  ", true, "user", "1"},
        {"password_with_colons", basic("admin:a:b:c"), true, "admin", "a:b:c"},
        {"empty_login_and_password", basic(":"), true, "", ""},
        {"cyrillic_utf8", basic("гость:пароль"), true, QStringLiteral("гость"),
         QStringLiteral("пароль")},
        {"no_colon", basic("user1"), false, {}, {}},
        {"not_base64", "Basic ***", false, {}, {}},
        {"base64_with_garbage_after",
         "Basic " + QByteArray("user:1").toBase64() + "!!",
         false,
         {},
         {}},
        {"scheme_only", "Basic", false, {}, {}},
        {"scheme_and_blank", "Basic   ", false, {}, {}},
        {"other_scheme", "Bearer " + QByteArray("user:1").toBase64(), false, {}, {}},
        {"scheme_prefix_only", "BasicdXNlcjox", false, {}, {}},
        {"empty", "", false, {}, {}},
        {"latin1_not_utf8", basic("us\xe9r:1"), false, {}, {}},
        {"broken_utf8_in_password", basic("user:\xd0"), false, {}, {}},
    };
    for (const CredentialsCase& c : cases) {
        const std::optional<BasicCredentials> credentials = BasicCredentials::parse(c.header);
        ASSERT_EQ(credentials.has_value(), c.parsed) << c.name;
        if (!credentials)
            continue;
        EXPECT_EQ(credentials->login, c.login) << c.name;
        EXPECT_EQ(credentials->password, c.password) << c.name;
    }
}

struct FormCase {
    std::string name;
    QByteArray body;
    bool parsed;
    std::vector<std::pair<QString, std::optional<QString>>> expected;
};

TEST(FormFields, ReadsUrlEncodedFormsAndRefusesAmbiguousOrBrokenOnes) {
    const std::vector<FormCase> cases = {
        {"ghost_switch",
         "token=ab12&ghost=3&on=1",
         true,
         {{"token", "ab12"}, {"ghost", "3"}, {"on", "1"}, {"attraction", std::nullopt}}},
        {"escapes_and_plus",
         "name=a+b%26c%3D&x=%D0%BF",
         true,
         {{"name", "a b&c="}, {"x", QStringLiteral("п")}}},
        {"field_without_value", "attraction", true, {{"attraction", ""}}},
        {"empty_value", "on=", true, {{"on", ""}}},
        {"empty_pieces_ignored", "&&on=1&", true, {{"on", "1"}}},
        {"empty_body", "", true, {{"on", std::nullopt}}},
        {"uppercase_hex", "a=%4A", true, {{"a", "J"}}},
        {"equals_in_value", "a=b=c", true, {{"a", "b=c"}}},
        {"field_named_twice", "ghost=1&ghost=2", false, {}},
        {"escaped_name_twice", "ghost=1&gh%6Fst=2", false, {}},
        {"truncated_escape", "a=%4", false, {}},
        {"escape_at_end", "a=%", false, {}},
        {"bad_hex", "a=%zz", false, {}},
        {"not_utf8", "a=%FF", false, {}},
        {"too_many_fields", "a=1&b=2&c=3&d=4&e=5&f=6&g=7&h=8&i=9", false, {}},
    };
    for (const FormCase& c : cases) {
        const std::optional<FormFields> form = FormFields::parse(c.body);
        ASSERT_EQ(form.has_value(), c.parsed) << c.name;
        if (!form)
            continue;
        for (const auto& [field, value] : c.expected)
            EXPECT_EQ(form->value(field), value) << c.name << " " << field.toStdString();
    }
}

TEST(FormFields, HoldsExactlyTheLargestNumberOfFields) {
    QByteArray body;
    for (int i = 0; i < FormFields::MaxFields; ++i)
        body += (i ? "&f" : "f") + QByteArray::number(i) + "=1";
    const std::optional<FormFields> form = FormFields::parse(body);
    ASSERT_TRUE(form.has_value());
    EXPECT_EQ(form->size(), FormFields::MaxFields);
    EXPECT_FALSE(FormFields::parse(body + "&one=more").has_value());
}

} // namespace
