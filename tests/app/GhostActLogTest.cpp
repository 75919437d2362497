// SPDX-License-Identifier: GPL-3.0-or-later
// Every act of a ghost told in the gloamery.ghosts log, whatever made it act, so a person can see
// why a sound played or why none did.
#include "app/ProgramWindows.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "device/BoardReport.h"
#include "device/TMyDataFrame.h"
#include "ghosts/AttractionScheduler.h"
#include "ghosts/TfmGhost.h"
#include "mainwindow/TfmMain.h"
#include "net/NetCommands.h"
#include "sound/TfmSound.h"
#include "support/FakeHidBackend.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"

#include <QLoggingCategory>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The info lines of gloamery.ghosts while it lives; the category is quiet otherwise.
class GhostLog {
public:
    GhostLog() {
        s_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("gloamery.ghosts.info=true"));
        m_previous = qInstallMessageHandler(&GhostLog::record);
    }
    ~GhostLog() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules({});
    }
    GhostLog(const GhostLog&) = delete;
    GhostLog& operator=(const GhostLog&) = delete;

    static const QStringList& lines() { return s_lines; }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtInfoMsg && context.category &&
            qstrcmp(context.category, "gloamery.ghosts") == 0)
            s_lines.append(text);
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

constexpr int BoardId = 3;
constexpr int Doorbell = 6; // the postman's first sensor, "board input 7"

// The program's windows with one board; ghost 1 alone is switched on, a postman listening to
// the doorbell.
struct Home {
    TempStore temp;
    FakePlatform fakes;
    FakeHidBackendFactory boards;
    std::shared_ptr<FakeBoard> board = boards.backend().add(0xABCC, BoardId);
    ProgramState state;
    std::unique_ptr<ProgramWindows> windows;

    Home() {
        PlatformServices services = fakes.services(&temp.store());
        services.boards = &boards;
        windows = std::make_unique<ProgramWindows>(state, services, Language::English);
        for (int n = 1; n <= GhostTable::GhostCount; ++n)
            ghost(n).ON = false;
        GhostSettings& postman = ghost(1);
        postman = GhostSettings{};
        postman.Name = QStringLiteral("Anna");
        postman.ON = true;
        postman.Regime = 1;
        postman.Special = 4;
        postman.Special_Dop_1 = 1;
        fakes.clock.setTime(QTime(14, 5));
    }

    GhostSettings& ghost(int n) { return windows->fmGhost->ghostTable()[n]; }
    void startAttraction() { windows->fmMain->Sb_Attraction_ShowClick(); }
    void waitRunsOut() {
        AttractionScheduler& attraction = windows->fmMain->attraction();
        attraction.ActTick = 10;
        attraction.ActWait = 11;
        windows->fmMain->Timer_GhostTimer();
    }
    // The board's page reads the doorbell off, then on.
    void ringDoorbell() {
        auto* frame = windows->fmLogo->devicePages()->widget(0)->findChild<TMyDataFrame*>();
        ASSERT_NE(frame, nullptr);
        for (bool on : {false, true}) {
            BoardReport::BoardInputs inputs;
            inputs.DInputs[Doorbell] = on;
            const BoardReport::Bytes report =
                BoardReport::inputReport(inputs, BoardReport::InputKind::Digital);
            board->reports = {std::vector<quint8>(report.begin() + 1, report.end())};
            frame->Timer_WorkTimer();
        }
    }
    void commandThree() { NetCommands::run(windows->control(), 3); }
    void pressSoundWindowsActButton() {
        auto* button = windows->fmSound->findChild<QPushButton*>(QStringLiteral("Button2"));
        ASSERT_NE(button, nullptr);
        button->click();
    }
};

TEST(GhostActLog, EachActTellsTheGhostItsSoundAndWhatMadeItAct) {
    struct Case {
        const char* name;
        std::function<void(Home&)> arrange;
        std::function<void(Home&)> trigger;
        const char* line;
    };
    const auto running = [](Home& h) {
        h.startAttraction();
    };
    const auto nothing = [](Home&) {
    };
    const Case cases[] = {
        {"the attraction's wait", running, &Home::waitRunsOut,
         "ghost 1 \"Anna\": postman, 4m.gsn #4, on the right, triggered by the attraction"},
        {"the doorbell", running, &Home::ringDoorbell,
         "ghost 1 \"Anna\": postman, 4m.gsn #4, on the right, triggered by sensor input 7 "
         "(board 3)"},
        {"a network command", nothing, &Home::commandThree,
         "ghost 1 \"Anna\": postman, 4m.gsn #4, on the right, triggered by a network command"},
        {"the sound window", nothing, &Home::pressSoundWindowsActButton,
         "ghost 1 \"Anna\": postman, 4m.gsn #4, on the right, triggered by the sound window"},
        {"a night ghost by day",
         [&](Home& h) {
             h.ghost(1).Regime = 2;
             h.startAttraction();
         },
         &Home::waitRunsOut,
         "ghost 1 \"Anna\" skipped: working time Night (20:00 to 8:00), it is 14:05; triggered "
         "by the attraction"},
        {"a timer ghost out of its hours",
         [](Home& h) {
             h.ghost(1).Regime = 4;
             h.ghost(1).Regime_Dop_1 = 22;
             h.ghost(1).Regime_Dop_1a = 6;
         },
         &Home::commandThree,
         "ghost 1 \"Anna\" skipped: working time Timer (22:00 to 6:00), it is 14:05; triggered "
         "by a network command"},
        {"no ghost switched on", [](Home& h) { h.ghost(1).ON = false; }, &Home::commandThree,
         "no ghost acted: none is switched on; triggered by a network command"},
        {"the doorbell while stopped", nothing, &Home::ringDoorbell,
         "no ghost acted: the attraction is stopped; triggered by sensor input 7 (board 3)"},
        {"the doorbell, nobody listening",
         [](Home& h) {
             h.ghost(1).Special_Dop_1 = 2;
             h.startAttraction();
         },
         &Home::ringDoorbell,
         "no ghost acted: none switched on listens to that input, or each answered in the last "
         "10 s; triggered by sensor input 7 (board 3)"},
    };
    for (const Case& c : cases) {
        Home h;
        c.arrange(h);
        // The act's choice among one ghost, then a short sound, number 4, on the right.
        h.fakes.random.script({0, 1, 4, 2});
        const GhostLog log;
        c.trigger(h);
        // One line per act, nothing else.
        EXPECT_EQ(GhostLog::lines().join(QLatin1Char('\n')).toStdString(), std::string(c.line))
            << c.name;
    }
}

} // namespace
