// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerSettings.h"

#include "core/SettingsStore.h"
#include "net/ClientListPaging.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

TEST(ServerSettings, AMissingPortIsWrittenAtLoadAndTheOptionsTakeTheirDefaults) {
    TempStore temp;
    RecordingMessageBoxes messages;
    const ServerSettings loaded = ServerSettingsStore(&temp.store(), &messages).load();
    EXPECT_FALSE(loaded.AutoSocket);
    EXPECT_TRUE(loaded.SocketJurnal);
    EXPECT_FALSE(loaded.SocketError);
    EXPECT_EQ(loaded.ServerSocket, 25963);
    const auto key = temp.reopen().openKey(ServerSettingsStore::KeyPath, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->readInteger(QStringLiteral("ServerSocket")), 25963);
    // Only the port is written at once; the options wait for the end of the run.
    EXPECT_FALSE(key->valueExists(QStringLiteral("AutoSocket")));
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST(ServerSettings, StoredValuesAreReadBackAndAStoredPortIsNotOverwritten) {
    TempStore temp;
    {
        auto key = temp.store().openKey(ServerSettingsStore::KeyPath, true);
        key->writeBool(QStringLiteral("AutoSocket"), true);
        key->writeBool(QStringLiteral("SocketJurnal"), false);
        key->writeBool(QStringLiteral("SocketError"), true);
        key->writeInteger(QStringLiteral("ServerSocket"), 4100);
    }
    const ServerSettings loaded = ServerSettingsStore(&temp.store(), nullptr).load();
    EXPECT_TRUE(loaded.AutoSocket);
    EXPECT_FALSE(loaded.SocketJurnal);
    EXPECT_TRUE(loaded.SocketError);
    EXPECT_EQ(loaded.ServerSocket, 4100);
    EXPECT_EQ(temp.store()
                  .openKey(ServerSettingsStore::KeyPath, false)
                  ->readInteger(QStringLiteral("ServerSocket")),
              4100);
}

TEST(ServerSettings, APortOfTheWrongTypeIsReportedAndTakesItsDefault) {
    TempStore temp;
    temp.store()
        .openKey(ServerSettingsStore::KeyPath, true)
        ->writeString(QStringLiteral("ServerSocket"), QStringLiteral("4100"));
    RecordingMessageBoxes messages;
    EXPECT_EQ(ServerSettingsStore(&temp.store(), &messages).load().ServerSocket, 25963);
    EXPECT_EQ(messages.errors, QStringList{"Invalid data type for 'ServerSocket'"});
}

TEST(ServerSettings, ThePortFieldsTextIsSavedAsItsIntegerOrAsTheDefault) {
    const struct {
        const char* text;
        qint32 saved;
    } cases[] = {
        {"4100", 4100}, {"$1F40", 8000}, {" 999", 999},    {"70000", 70000},
        {"abc", 25963}, {"", 25963},     {"4100 ", 25963}, {"12x", 25963},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TempStore temp;
        ServerSettings settings;
        settings.AutoSocket = true;
        settings.SocketJurnal = false;
        ServerSettingsStore(&temp.store(), nullptr).save(settings, QString::fromUtf8(c.text));
        const auto key = temp.reopen().openKey(ServerSettingsStore::KeyPath, false);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->readInteger(QStringLiteral("ServerSocket")), c.saved);
        EXPECT_TRUE(key->readBool(QStringLiteral("AutoSocket")));
        EXPECT_FALSE(key->readBool(QStringLiteral("SocketJurnal")));
        EXPECT_FALSE(key->readBool(QStringLiteral("SocketError")));
    }
}

TEST(ServerSettings, OnlyPortsFrom1000To65535AreInTheAdvisedRange) {
    const struct {
        const char* text;
        bool advised;
    } cases[] = {
        {"999", false},  {"1000", true},   {"65535", true},   {"65536", false}, {"25963", true},
        {"0", false},    {"-1000", false}, {"abc", false},    {"", false},      {"$3E8", true},
        {" 1000", true}, {"1000 ", false}, {"$10000", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(portInAdvisedRange(QString::fromUtf8(c.text)), c.advised);
    }
}

// Each press of a page button and what the list then shows: nothing (the press changed
// nothing), or the entry selected and whether the list's end is scrolled into view.
struct PageStep {
    bool down;
    std::optional<ClientListPaging::View> view;
    int pageAfter;
};

TEST(ClientListPaging, StepsThroughTheListsPagesAsTheFormAlwaysHas) {
    using View = ClientListPaging::View;
    const struct {
        const char* name;
        int count;
        std::vector<PageStep> steps;
    } cases[] = {
        {"five clients: one page, paging changes nothing",
         5,
         {{true, std::nullopt, 0}, {false, std::nullopt, 0}, {true, std::nullopt, 0}}},
        {"twelve clients: entry 5 at the top, then the end, then nothing",
         12,
         {{true, View{5, false}, 1},
          {true, View{11, true}, 2},
          {true, std::nullopt, 2},
          {false, View{5, false}, 1},
          {false, View{0, false}, 0},
          {false, std::nullopt, 0}}},
        {"six clients: the second page is the last",
         6,
         {{true, View{5, true}, 1}, {true, std::nullopt, 1}, {false, View{0, false}, 0}}},
        {"no clients", 0, {{true, std::nullopt, 0}, {false, std::nullopt, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClientListPaging paging;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const PageStep& step = c.steps[i];
            const auto view = step.down ? paging.pageDown(c.count) : paging.pageUp(c.count);
            ASSERT_EQ(view.has_value(), step.view.has_value());
            if (view) {
                EXPECT_EQ(view->selected, step.view->selected);
                EXPECT_EQ(view->scrollToEnd, step.view->scrollToEnd);
            }
            EXPECT_EQ(paging.page(), step.pageAfter);
        }
    }
}

TEST(ClientListPaging, LastPageIsTheEntriesHeightOverTheListsHeight) {
    const std::pair<int, int> cases[] = {{0, 0}, {5, 0}, {6, 1}, {11, 1}, {12, 2}, {600, 100}};
    for (const auto& [count, last] : cases) {
        SCOPED_TRACE(count);
        EXPECT_EQ(ClientListPaging::lastPage(count), last);
        EXPECT_EQ(ClientListPaging::pagesDimmed(count), count < 6);
    }
}

} // namespace
