// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/Presentation.h"

#include "core/ProgramState.h"
#include "language/LanguageTexts.h"
#include "mainwindow/PresentationView.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

namespace {

// The main window as the presentation leaves it.
class RecordingView : public PresentationView {
public:
    bool active = true;
    bool timerRunning = false;
    int timerStarts = 0;
    bool startButtonVisible = true;
    std::array<int, 4> pictures{-1, -1, -1, -1};
    std::array<bool, 4> picturesVisible{true, true, true, true};
    std::array<QString, 2> lines;
    std::array<bool, 2> linesVisible{true, true};
    int showGhostImagesCalls = 0;

    bool isWindowActive() const override { return active; }
    void startPresentationTimer() override {
        ++timerStarts;
        timerRunning = true;
    }
    void stopPresentationTimer() override { timerRunning = false; }
    void setStartButtonVisible(bool visible) override { startButtonVisible = visible; }
    void setGhostPicture(int ghost, int entry) override { pictures.at(ghost - 1) = entry; }
    void setGhostPictureVisible(int ghost, bool visible) override {
        picturesVisible.at(ghost - 1) = visible;
    }
    void ShowGhostImages() override {
        ++showGhostImagesCalls;
        picturesVisible = {true, true, true, true};
    }
    void setTextLine(int line, const QString& text) override { lines.at(line - 1) = text; }
    void setTextLineVisible(int line, bool visible) override {
        linesVisible.at(line - 1) = visible;
    }
};

class PresentationTest : public ::testing::Test {
protected:
    void startIn(Language language) {
        state.InterfaceLanguage = language;
        texts.assign(language);
        presentation.Sb_PresentationClick();
    }
    // Delivers timer ticks until the presentation has counted `tick`.
    void runTo(int tick) {
        while (presentation.running() && presentation.PresentationTick() < tick)
            presentation.Timer_PresentationTimer();
    }

    ProgramState state;
    LanguageTexts texts;
    RecordingView view;
    Presentation presentation{view, texts, state};
};

// What the window shows after a given tick: a line's text (nullopt: hidden) and each ghost's
// entry (-1: hidden).
struct Frame {
    int tick;
    std::optional<QString> line1;
    std::optional<QString> line2;
    std::array<int, 4> pictures;
};

void ExpectFrame(const RecordingView& view, const Frame& frame) {
    SCOPED_TRACE(::testing::Message() << "tick " << frame.tick);
    for (int line = 0; line < 2; ++line) {
        const auto& expected = line == 0 ? frame.line1 : frame.line2;
        EXPECT_EQ(view.linesVisible[line], expected.has_value()) << "line " << line + 1;
        if (expected) {
            EXPECT_EQ(view.lines[line], *expected) << "line " << line + 1;
        }
    }
    for (int ghost = 0; ghost < 4; ++ghost) {
        const int expected = frame.pictures[ghost];
        EXPECT_EQ(view.picturesVisible[ghost], expected >= 0) << "ghost " << ghost + 1;
        if (expected >= 0) {
            EXPECT_EQ(view.pictures[ghost], expected) << "ghost " << ghost + 1;
        }
    }
}

const QString Sentence1 = QStringLiteral("Now ghosts live in your house!");
const QString Sentence2 = QStringLiteral("They will wander around the house and interact!");
const QString Sentence3 = QStringLiteral("Every ghost has a hobby!");
const QString Sentence4 = QStringLiteral("Which determines its inclinations!");
const QString Sentence5 = QStringLiteral("Each ghost has its own settings!");
const QString Sentence6 = QStringLiteral("To change them, move the mouse over the ghost!");
const QString Sentence7 = QStringLiteral("Do not forget to turn on the computer speakers!");
const QString Sentence8 = QStringLiteral("And press the Start button!");
const QString Empty;

TEST_F(PresentationTest, ShowsEachSentenceAndPictureAtItsTick) {
    const std::vector<Frame> frames = {
        {0, {}, {}, {-1, -1, -1, -1}},
        {99, {}, {}, {-1, -1, -1, -1}},
        {100, Sentence1, {}, {-1, -1, -1, -1}},
        {209, Sentence1, {}, {-1, -1, -1, -1}},
        {210, Sentence1, {}, {0, -1, -1, -1}},
        {229, Sentence1, {}, {0, 10, -1, -1}},
        {240, Sentence1, {}, {0, 10, 20, 30}},
        {300, Sentence1, Sentence2, {0, 10, 20, 30}},
        {450, Sentence3, Empty, {0, 10, 20, 30}},
        {510, Sentence3, Empty, {1, 10, 20, 30}},
        {535, Sentence3, Empty, {1, 12, 23, 30}},
        {540, Sentence3, Empty, {1, 12, 23, 34}},
        {600, Sentence3, Sentence4, {1, 12, 23, 34}},
        {750, Sentence5, Empty, {1, 12, 23, 34}},
        {840, Sentence5, Empty, {9, 19, 29, 39}},
        {900, Sentence5, Sentence6, {9, 19, 29, 39}},
        {1050, Sentence7, Empty, {9, 19, 29, 39}},
        {1120, Sentence7, Empty, {0, 10, 29, 39}},
        {1140, Sentence7, Empty, {0, 10, 20, 30}},
        {1200, Sentence7, Sentence8, {0, 10, 20, 30}},
        {1399, Sentence7, Sentence8, {0, 10, 20, 30}},
    };
    startIn(Language::English);
    for (const Frame& frame : frames) {
        runTo(frame.tick);
        ExpectFrame(view, frame);
        EXPECT_FALSE(view.startButtonVisible);
        EXPECT_TRUE(view.timerRunning);
    }
}

TEST_F(PresentationTest, EndsAtTick1400WithTheFourSpecialtyPictures) {
    startIn(Language::English);
    runTo(1399);
    EXPECT_EQ(view.showGhostImagesCalls, 0);
    presentation.Timer_PresentationTimer();

    EXPECT_FALSE(presentation.running());
    EXPECT_EQ(presentation.PresentationTick(), 0);
    EXPECT_FALSE(view.timerRunning);
    EXPECT_TRUE(view.startButtonVisible);
    EXPECT_EQ(view.showGhostImagesCalls, 1);
    ExpectFrame(view, {1400, {}, {}, {1, 12, 23, 34}});

    // A tick already queued when the timer stopped changes nothing.
    presentation.Timer_PresentationTimer();
    EXPECT_EQ(presentation.PresentationTick(), 0);
    EXPECT_EQ(view.showGhostImagesCalls, 1);
}

TEST_F(PresentationTest, PresentationPicturesFollowTheLanguage) {
    const struct {
        Language language;
        std::array<int, 4> pictures;
        QString lastSentence;
    } cases[] = {
        {Language::English, {9, 19, 29, 39}, Sentence8},
        {Language::Russian, {8, 18, 28, 38}, QStringLiteral("И нажать кнопку Старт!")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.language));
        startIn(c.language);
        runTo(840);
        EXPECT_EQ(view.pictures, c.pictures);
        runTo(1200);
        EXPECT_EQ(view.lines[1], c.lastSentence);
    }
}

TEST_F(PresentationTest, PausesWhileTheWindowIsNotActive) {
    startIn(Language::English);
    runTo(60);
    view.active = false;
    for (int i = 0; i < 500; ++i)
        presentation.Timer_PresentationTimer();
    EXPECT_EQ(presentation.PresentationTick(), 60);
    EXPECT_FALSE(view.linesVisible[0]);
    EXPECT_TRUE(view.timerRunning);

    view.active = true;
    for (int i = 0; i < 39; ++i)
        presentation.Timer_PresentationTimer();
    EXPECT_FALSE(view.linesVisible[0]);
    presentation.Timer_PresentationTimer();
    EXPECT_EQ(presentation.PresentationTick(), 100);
    EXPECT_EQ(view.lines[0], Sentence1);
}

TEST_F(PresentationTest, ALanguageSwitchReachesOnlyTheSentencesStillToCome) {
    startIn(Language::English);
    runTo(350);
    state.InterfaceLanguage = static_cast<Language>(Language::Russian);
    texts.assign(Language::Russian);
    runTo(449);
    EXPECT_EQ(view.lines[0], Sentence1);
    EXPECT_EQ(view.lines[1], Sentence2);
    runTo(450);
    EXPECT_EQ(view.lines[0], QStringLiteral("У каждого призрака есть свое хобби!"));
    runTo(840);
    EXPECT_EQ(view.pictures, (std::array<int, 4>{8, 18, 28, 38}));
}

TEST_F(PresentationTest, StartingAgainWhilePresentingBeginsFromTheStart) {
    startIn(Language::English);
    runTo(700);
    presentation.Sb_PresentationClick();

    EXPECT_EQ(presentation.PresentationTick(), 0);
    EXPECT_TRUE(presentation.running());
    EXPECT_TRUE(view.timerRunning);
    EXPECT_FALSE(view.startButtonVisible);
    ExpectFrame(view, {0, {}, {}, {-1, -1, -1, -1}});
    runTo(100);
    EXPECT_EQ(view.lines[0], Sentence1);
    EXPECT_FALSE(view.linesVisible[1]);
}

} // namespace
