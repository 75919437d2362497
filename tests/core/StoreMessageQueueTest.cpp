// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoreMessageQueue.h"

#include "core/StoreAccess.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

namespace {

const QString Key = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

// Records each box and how many keys the store held while it was up.
class KeyCountingBoxes : public RecordingMessageBoxes {
public:
    explicit KeyCountingBoxes(SettingsStore& store)
        : m_store(store) {}
    void showError(const QString& text) override {
        RecordingMessageBoxes::showError(text);
        heldKeys.push_back(m_store.holdsKeys());
    }
    std::vector<bool> heldKeys;

private:
    SettingsStore& m_store;
};

TEST(StoreMessageQueue, MessagesOfOneOpeningWaitForItToCloseAndShareOneBox) {
    TempStore temp;
    {
        auto key = temp.store().openKey(Key, true);
        for (const char* name : {"A", "B", "C"})
            key->writeString(QLatin1String(name), QStringLiteral("text"));
    }
    KeyCountingBoxes boxes(temp.store());
    StoreMessageQueue queue(&temp.store(), &boxes);
    {
        auto key = temp.store().openKey(Key, true);
        const StoreReader read(key.get(), &queue);
        for (const char* name : {"C", "A", "Missing", "B"})
            read.integer(QLatin1String(name), 0);
        EXPECT_TRUE(boxes.errors.isEmpty()) << "nothing shown while the key is open";
    }
    EXPECT_EQ(boxes.errors, QStringList{QStringLiteral("Invalid data type for 'C'\n"
                                                       "Invalid data type for 'A'\n"
                                                       "Invalid data type for 'B'")});

    queue.showError(QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(boxes.errors.size(), 2) << "without an open key a message shows at once";
    EXPECT_EQ(boxes.heldKeys, std::vector<bool>({false, false}));
}

} // namespace
