// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/SkinParts.h"

#include "widgetkit/ImageList.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Pictures of the generated Res folder beside the test binary.
struct Window {
    ImageList buttons{QStringLiteral("BitmapList_Btn")};
    // The same pictures, read by the test itself.
    ImageList reference{QStringLiteral("BitmapList_Btn")};
    QWidget window;
    QLabel* label = SkinParts::button(&window, QStringLiteral("Sb_Sample"), {10, 10, 22, 23});

    bool showsEntry(int entry) const {
        return !label->pixmap().isNull() &&
               label->pixmap().toImage() == reference.pixmap(entry).toImage();
    }
};

TEST(SkinParts, APictureIsReadWhenItsLabelIsFirstOnScreen) {
    Window w;
    ASSERT_GT(w.buttons.count(), 7);
    struct Step {
        const char* what;
        std::function<void()> act;
        int entry;        // shownEntry afterwards
        int decoded;      // entries read from their files so far
        bool pixmapShown; // the label holds that entry's picture
    };
    const Step steps[] = {
        {"set on a window not shown", [&] { SkinParts::showEntry(w.label, w.buttons, 6); }, 6, 0,
         false},
        {"changed before it shows", [&] { SkinParts::showEntry(w.label, w.buttons, 7); }, 7, 0,
         false},
        {"the window shows", [&] { w.window.show(); }, 7, 1, true},
        {"changed on screen", [&] { SkinParts::showEntry(w.label, w.buttons, 6); }, 6, 2, true},
        {"the label is hidden", [&] { w.label->hide(); }, 6, 2, true},
        {"changed while hidden", [&] { SkinParts::showEntry(w.label, w.buttons, 1); }, 1, 2, false},
        {"asked again while hidden", [&] { SkinParts::showEntry(w.label, w.buttons, 1); }, 1, 2,
         false},
        {"the label shows again", [&] { w.label->show(); }, 1, 3, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(SkinParts::shownEntry(w.label), step.entry);
        EXPECT_EQ(w.buttons.decodedCount(), step.decoded);
        EXPECT_EQ(w.showsEntry(step.entry), step.pixmapShown);
    }
}

} // namespace
