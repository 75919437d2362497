// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetClients.h"

#include "core/SettingsStore.h"
#include "core/Windows1251.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {

std::unique_ptr<SettingsKey> netKey(SettingsStore& store) {
    return store.openKey(NetClients::KeyPath, true);
}

// A store whose Net key holds `count` and these records, written from outside.
void placeRecords(SettingsStore& store, int count, const std::vector<QByteArray>& records) {
    auto key = netKey(store);
    key->writeInteger(NetClients::CountValue, count);
    for (size_t i = 0; i < records.size(); ++i)
        key->writeBinary(NetClients::recordValueName(int(i)), records[i]);
    key->close();
}

QByteArray storedRecord(SettingsStore& store, int index) {
    return netKey(store)->readBinary(NetClients::recordValueName(index));
}

NetUserData named(const QByteArray& name, const QByteArray& password = {}) {
    NetUserData record;
    record.setName(name);
    record.setPassword(password);
    record.setClientNumber(1);
    return record;
}

TEST(NetUserData, LaysOutItsFieldsAtTheirOffsets) {
    NetUserData record;
    record.setName("\xC8\xE2\xE0\xED"); // "Иван" in Windows-1251
    record.setPassword("pw");
    record.setRight(1, true);
    record.setRight(3, true);
    record.setClientNumber(2);
    record.setEditEnable(true);

    QByteArray expected(NetUserData::Size, '\0');
    expected[0] = 4;
    expected.replace(1, 4, "\xC8\xE2\xE0\xED");
    expected[256] = 2;
    expected.replace(257, 2, "pw");
    expected[512] = 1;
    expected[514] = 1;
    expected[518] = 2;
    expected[520] = 1;
    EXPECT_EQ(record.toBytes(), expected);
    EXPECT_EQ(NetUserData::fromStored(expected), record);
}

TEST(NetUserData, ShorterTextsLeaveZeroBytesBehind) {
    NetUserData record;
    record.setName(QByteArray(255, 'n'));
    record.setPassword(QByteArray(300, 'p')); // cut to the field
    record.setName("ab");
    record.setPassword("c");
    const QByteArray bytes = record.toBytes();
    EXPECT_EQ(bytes.mid(3, 253), QByteArray(253, '\0'));
    EXPECT_EQ(bytes.mid(258, 254), QByteArray(254, '\0'));
    EXPECT_EQ(record.name(), "ab");
    EXPECT_EQ(record.password(), "c");
}

TEST(NetUserData, GrantsOnlyRightsOneToFour) {
    QByteArray bytes(NetUserData::Size, '\0');
    bytes[512] = 7; // any nonzero value allows
    bytes[515] = 1;
    bytes[516] = 1; // reserved, not a fifth right
    const auto record = NetUserData::fromStored(bytes);
    const std::vector<std::pair<int, bool>> cases = {{0, false}, {1, true}, {2, false},
                                                     {3, false}, {4, true}, {5, false}};
    for (auto [n, allowed] : cases)
        EXPECT_EQ(record.right(n), allowed) << "right " << n;
}

TEST(NetClients, FirstRunWritesThreeDefaultClientsWithDifferentPasswords) {
    TempStore temp;
    NetClients clients(&temp.store(), nullptr);
    EXPECT_EQ(clients.load(), QString());
    EXPECT_EQ(clients.names(), QStringList({"Client_1", "Client_2", "Client_3"}));

    EXPECT_EQ(netKey(temp.store())->readInteger(NetClients::CountValue), 3);
    std::set<QByteArray> passwords;
    for (int i = 0; i < 3; ++i) {
        const QByteArray bytes = storedRecord(temp.store(), i);
        ASSERT_EQ(bytes.size(), NetUserData::Size);
        const auto record = NetUserData::fromStored(bytes);
        EXPECT_EQ(record.password().size(), 12);
        // Nothing a person could misread when typing it into a client.
        EXPECT_FALSE(QString::fromLatin1(record.password())
                         .contains(QRegularExpression("[^2-9a-zA-Z]|[lIoO]")));
        passwords.insert(record.password());
        // Nothing else set but the name, the password and the client number.
        NetUserData expected =
            named(QByteArray("Client_") + QByteArray::number(i + 1), record.password());
        expected.setClientNumber(quint8(i + 1));
        EXPECT_EQ(bytes, expected.toBytes());
    }
    EXPECT_EQ(passwords.size(), 3u);

    // The next start finds the key and draws nothing new.
    NetClients again(&temp.reopen(), nullptr);
    again.load();
    EXPECT_EQ(again.at(0).password(),
              NetUserData::fromStored(storedRecord(temp.store(), 0)).password());
}

TEST(NetClients, EachInstallationDrawsItsOwnDefaultPasswords) {
    std::set<QByteArray> seen;
    for (int run = 0; run < 4; ++run) {
        TempStore temp;
        NetClients clients(&temp.store(), nullptr);
        clients.load();
        for (int i = 0; i < 3; ++i)
            seen.insert(clients.at(i).password());
    }
    // 56^12 possible passwords: twelve draws that repeat would be a fixed or poor source.
    EXPECT_EQ(seen.size(), 12u);
}

TEST(NetClients, LoadsRecordsByteForByteAndFillsShortOrMissingOnes) {
    TempStore temp;
    QByteArray odd(NetUserData::Size, '\x5A'); // garbage after the texts, reserved bytes set
    odd[0] = 3;
    odd[256] = 1;
    placeRecords(temp.store(), 3, {odd, QByteArray("\x02hi", 3)});
    NetClients clients(&temp.store(), nullptr);
    EXPECT_EQ(clients.load(), QString());
    ASSERT_EQ(clients.count(), 3);
    EXPECT_EQ(clients.at(0).toBytes(), odd);
    EXPECT_EQ(clients.at(1).name(), "hi");
    QByteArray shortFilled(NetUserData::Size, '\0');
    shortFilled.replace(0, 3, "\x02hi");
    EXPECT_EQ(clients.at(1).toBytes(), shortFilled);
    EXPECT_EQ(clients.names().at(2), QString()); // UserData2 missing: an entry with no name

    clients.save();
    EXPECT_EQ(storedRecord(temp.store(), 0), odd);
    EXPECT_EQ(storedRecord(temp.store(), 2), QByteArray(NetUserData::Size, '\0'));
}

TEST(NetClients, AWrongStoredValueStopsTheLoadingAndKeepsWhatWasRead) {
    struct Case {
        const char* what;
        std::function<void(SettingsKey&)> spoil;
    };
    const std::vector<Case> cases = {
        {"a string",
         [](SettingsKey& k) {
             k.writeString("UserData1", "Client_2");
         }},
        {"an integer",
         [](SettingsKey& k) {
             k.writeInteger("UserData1", 5);
         }},
        {"523 bytes",
         [](SettingsKey& k) {
             k.writeBinary("UserData1", QByteArray(NetUserData::Size + 1, 1));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempStore temp;
        placeRecords(temp.store(), 3,
                     {named("A").toBytes(), named("B").toBytes(), named("C").toBytes()});
        {
            auto key = netKey(temp.store());
            c.spoil(*key);
            key->close();
        }
        RecordingMessageBoxes boxes;
        NetClients clients(&temp.store(), &boxes);
        EXPECT_EQ(clients.load(), "Invalid data type for 'UserData1'");
        EXPECT_EQ(boxes.errors, QStringList({"Invalid data type for 'UserData1'"}));
        EXPECT_EQ(clients.names(), QStringList({"A"}));
    }
}

TEST(NetClients, ADamagedCountLoadsABoundedList) {
    TempStore temp;
    placeRecords(temp.store(), std::numeric_limits<qint32>::max(), {named("A").toBytes()});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    EXPECT_EQ(clients.count(), NetClients::MaxClients);
    EXPECT_EQ(clients.names().first(), "A");
}

TEST(NetClients, AddIgnoresEmptyAndDuplicateNamesWhateverTheirCase) {
    TempStore temp;
    placeRecords(temp.store(), 2,
                 {named("Client_1").toBytes(), named("\xC8\xE2\xE0\xED").toBytes()});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    for (const QString& ignored : {QString(), QStringLiteral("client_1"), QStringLiteral("ИВАН")}) {
        EXPECT_EQ(clients.add(ignored), QString());
        EXPECT_EQ(clients.count(), 2) << ignored.toStdString();
    }
    EXPECT_EQ(netKey(temp.store())->readInteger(NetClients::CountValue), 2);

    clients.select(1);
    EXPECT_EQ(clients.add("Client_4"), QString());
    EXPECT_EQ(clients.names(), QStringList({"Client_1", "Иван", "Client_4"}));
    EXPECT_EQ(clients.selected(), 0);
    EXPECT_EQ(clients.shown().caption, "Клиент: \"Client_1\"");
    EXPECT_EQ(netKey(temp.store())->readInteger(NetClients::CountValue), 3);
    EXPECT_EQ(storedRecord(temp.store(), 2), named("Client_4").toBytes());
}

TEST(NetClients, AddStoresTheNameAsWindows1251CutTo255Bytes) {
    TempStore temp;
    placeRecords(temp.store(), 0, {});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    const QString longCyrillic = QString(300, QChar(u'ж'));
    EXPECT_EQ(clients.add(longCyrillic), QString());
    const QByteArray stored = storedRecord(temp.store(), 0);
    EXPECT_EQ(quint8(stored[0]), 255);
    EXPECT_EQ(stored.mid(1, 255), QByteArray(255, '\xE6'));
    // The cut name still counts as the same name.
    EXPECT_EQ(clients.add(longCyrillic.left(255).toUpper()), QString());
    EXPECT_EQ(clients.count(), 1);
}

TEST(NetClients, TextsOutsideTheCodePageAreRefused) {
    TempStore temp;
    placeRecords(temp.store(), 1, {named("A", "old").toBytes()});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    EXPECT_TRUE(NetClients::isEncodable(QStringLiteral("Пароль 1")));
    EXPECT_FALSE(NetClients::isEncodable(QStringLiteral("名字")));

    EXPECT_EQ(clients.add(QStringLiteral("名字")), NetClients::NotEncodableMessage);
    EXPECT_EQ(clients.count(), 1);
    clients.select(0);
    EXPECT_EQ(clients.apply(QStringLiteral("€✓"), {true, true, true, true}),
              NetClients::NotEncodableMessage);
    EXPECT_EQ(storedRecord(temp.store(), 0), named("A", "old").toBytes());
}

TEST(NetClients, ApplyChangesTheSelectedClientOnly) {
    TempStore temp;
    placeRecords(temp.store(), 2, {named("A", "a").toBytes(), named("B", "b").toBytes()});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    clients.select(1);
    EXPECT_EQ(clients.apply(QStringLiteral("пароль"), {false, true, false, true}), QString());

    NetUserData expected = named("B", Windows1251::encode(u"пароль").value());
    expected.setRight(2, true);
    expected.setRight(4, true);
    EXPECT_EQ(storedRecord(temp.store(), 1), expected.toBytes());
    EXPECT_EQ(storedRecord(temp.store(), 0), named("A", "a").toBytes());
    const ShownNetClient shown = clients.shown();
    EXPECT_EQ(shown.password, "пароль");
    EXPECT_EQ(shown.rights, (std::array<bool, 4>{false, true, false, true}));
    EXPECT_EQ(shown.caption, "Клиент: \"B\"");
}

TEST(NetClients, DeletingTheLastClientLeavesAnEmptyListAndCaption) {
    TempStore temp;
    placeRecords(temp.store(), 2, {named("A").toBytes(), named("B").toBytes()});
    NetClients clients(&temp.store(), nullptr);
    clients.load();
    clients.select(1);
    clients.removeAt(1);
    EXPECT_EQ(clients.names(), QStringList({"A"}));
    EXPECT_EQ(clients.selected(), 0);
    clients.removeAt(0);
    EXPECT_TRUE(clients.isEmpty());
    EXPECT_EQ(clients.selected(), -1);
    EXPECT_EQ(clients.shown().caption, QString());
    EXPECT_EQ(netKey(temp.store())->readInteger(NetClients::CountValue), 0);

    NetClients reloaded(&temp.reopen(), nullptr);
    reloaded.load();
    EXPECT_TRUE(reloaded.isEmpty());
}

} // namespace
