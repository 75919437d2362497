// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundsForm.h"

#include "WorkshopFixture.h"
#include "language/LanguagePhrases.h"

#include <gtest/gtest.h>

namespace {

using namespace workshoptest;

struct Played {
    int special, kind, number, effect;
    bool operator==(const Played&) const = default;
};

struct FormFixture : Workshop {
    std::vector<Played> played;
    SoundsForm form{workshop, language, [this](int special, int kind, int number, int effect) {
                        played.push_back({special, kind, number, effect});
                    }};
};

TEST(SoundsForm, ShowsTheChosenLibrarysSoundsAndPlaysOnlyTheOnesItHas) {
    FormFixture f;
    f.waitForLibraries();
    f.form.chooseLibrary(3);
    const std::vector<SoundsForm::Row> rows = f.form.rows();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[7].number, QStringLiteral("7"));
    EXPECT_EQ(rows[7].description, f.workshop.library(3).sounds[7].description);
    EXPECT_TRUE(rows[7].length.endsWith(QLatin1String(" s")));
    EXPECT_TRUE(rows[7].loudness.endsWith(QLatin1String(" LUFS")));

    const struct {
        int number;
        int effect;
        std::vector<Played> played;
    } cases[] = {
        {0, 0, {{1, 1, 0, 0}}}, {9, 4, {{1, 1, 9, 4}}}, {10, 0, {}}, {-1, 0, {}},
        {2, 7, {{1, 1, 2, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        f.played.clear();
        f.form.play(c.number, c.effect);
        EXPECT_EQ(f.played, c.played);
    }
}

TEST(SoundsForm, ShowsTheImportsProgressAndEndsWithWhatItDid) {
    FormFixture f;
    f.waitForLibraries();
    f.form.chooseLibrary(1);
    QSignalSpy progress(&f.form, &SoundsForm::progressShown);
    f.form.add({f.recording("one.wav"), f.recording("two.wav")}, false);
    EXPECT_EQ(f.form.progressText(), QStringLiteral("Importing file 1 of 2: one.wav"));
    EXPECT_TRUE(f.form.importing());
    std::vector<QString> texts;
    std::vector<int> percents;
    QObject::connect(&f.form, &SoundsForm::progressShown, [&] {
        texts.push_back(f.form.progressText());
        percents.push_back(f.form.progressPercent());
    });
    f.waitForWork();
    QCoreApplication::processEvents();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_TRUE(std::find(texts.begin(), texts.end(),
                          QStringLiteral("Importing file 2 of 2: two.wav")) != texts.end());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end() - 1));
    EXPECT_GT(*(percents.end() - 2), 50);
    EXPECT_EQ(f.form.progressText(), QString());
    EXPECT_FALSE(f.form.importing());
    EXPECT_EQ(f.form.note(), QStringLiteral("Sounds added to Not selected, short sounds: 2"));
    EXPECT_EQ(f.form.rows().size(), 12u);
    EXPECT_TRUE(f.form.ownLibrary());
}

} // namespace
