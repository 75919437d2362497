// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/WindowCommands.h"

#include "core/ProgramState.h"
#include "mainwindow/MainWindowHost.h"
#include "mainwindow/TrayArea.h"
#include "mainwindow/TrayIcon.h"
#include "support/FakeDesktopShell.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class RecordingHost : public MainWindowHost {
public:
    using Dialog = MainWindowCommands::Dialog;
    QStringList calls;
    bool visible = true;
    bool minimised = false;

    void closeMainWindow() override { calls << QStringLiteral("close"); }
    void hideMainWindow() override {
        calls << QStringLiteral("hide");
        visible = false;
    }
    void ShowMainWindow() override {
        calls << QStringLiteral("show");
        visible = true;
    }
    void recentreMainWindow() override { calls << QStringLiteral("recentre"); }
    void closeHelpWindow() override { calls << QStringLiteral("closeHelp"); }
    bool isMainWindowMinimised() const override { return minimised; }
    void dialogOpening(Dialog) override { calls << QStringLiteral("opening"); }
    void dialogClosed(Dialog) override { calls << QStringLiteral("closed"); }
};

class FakeTray : public TrayArea {
public:
    bool available = true;
    bool active = false;
    bool isAvailable() const override { return available; }
    bool isActive() const override { return active; }
    void setActive(bool value) override { active = value; }
};

void Touch(const QString& dir, const QString& name) {
    QFile file(QDir(dir).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class WindowCommandsTest : public ::testing::Test {
protected:
    WindowCommands::Places places() {
        return {{programDir.path(), installedDir.path()}, [this] {
                    return currentDir.path();
                }};
    }

    QTemporaryDir programDir;
    QTemporaryDir installedDir;
    QTemporaryDir currentDir;
    RecordingHost host;
    FakeTray tray;
    FakeDesktopShell shell;
    ProgramState state;
    WindowCommands commands{host, tray, shell, state, places()};
};

enum class Found { Nowhere, InCurrent, InProgram, InInstalled };

TEST_F(WindowCommandsTest, HelpIsLookedUpInTheCurrentDirectoryThenBesideTheProgram) {
    const struct {
        const char* name;
        QStringList inCurrent;
        QStringList inProgram;
        QStringList inInstalled;
        int language;
        Found found;
        const char* file;
    } cases[] = {
        {"English beside the program",
         {},
         {"Help_e.txt", "Help_r.txt"},
         {},
         0,
         Found::InProgram,
         "Help_e.txt"},
        {"Russian beside the program",
         {},
         {"Help_e.txt", "Help_r.txt"},
         {},
         1,
         Found::InProgram,
         "Help_r.txt"},
        {"current directory first",
         {"Help_e.txt"},
         {"Help_e.txt"},
         {"Help_e.txt"},
         0,
         Found::InCurrent,
         "Help_e.txt"},
        {"the other language's file does not count",
         {"Help_e.txt"},
         {"Help_r.txt"},
         {},
         1,
         Found::InProgram,
         "Help_r.txt"},
        {"installed only", {}, {}, {"Help_e.txt"}, 0, Found::InInstalled, "Help_e.txt"},
        {"beside the program before the install",
         {},
         {"Help_r.txt"},
         {"Help_r.txt"},
         1,
         Found::InProgram,
         "Help_r.txt"},
        {"nowhere", {"Help_r.txt"}, {"Help_r.txt"}, {"Help_r.txt"}, 0, Found::Nowhere, ""},
        {"a language without help", {"Help_e.txt"}, {"Help_e.txt"}, {}, 2, Found::Nowhere, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir current;
        QTemporaryDir program;
        QTemporaryDir installed;
        for (const QString& name : c.inCurrent)
            Touch(current.path(), name);
        for (const QString& name : c.inProgram)
            Touch(program.path(), name);
        for (const QString& name : c.inInstalled)
            Touch(installed.path(), name);
        const QString found = WindowCommands::HelpFile(
            static_cast<Language>(c.language), current.path(), {program.path(), installed.path()});
        switch (c.found) {
        case Found::Nowhere:
            EXPECT_TRUE(found.isEmpty()) << found.toStdString();
            break;
        case Found::InCurrent:
            EXPECT_EQ(found, QDir(current.path()).filePath(QLatin1String(c.file)));
            break;
        case Found::InProgram:
            EXPECT_EQ(found, QDir(program.path()).filePath(QLatin1String(c.file)));
            break;
        case Found::InInstalled:
            EXPECT_EQ(found, QDir(installed.path()).filePath(QLatin1String(c.file)));
            break;
        }
    }
}

TEST_F(WindowCommandsTest, HelpCommandOpensTheFileOfTheCurrentLanguage) {
    Touch(programDir.path(), QStringLiteral("Help_e.txt"));
    Touch(programDir.path(), QStringLiteral("Help_r.txt"));
    commands.Sb_HelpClick();
    state.InterfaceLanguage = Language::Russian;
    commands.Sb_HelpClick();
    EXPECT_EQ(shell.opened, (QStringList{QDir(programDir.path()).filePath("Help_e.txt"),
                                         QDir(programDir.path()).filePath("Help_r.txt")}));
}

TEST_F(WindowCommandsTest, HelpCommandWithoutAHelpFileDoesNothing) {
    commands.Sb_HelpClick();
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(WindowCommandsTest, WebCommandsOpenThePageOfTheCurrentLanguage) {
    for (const char* page : {"ProgramPage_e.html", "ProgramPage_r.html", "ProductSitePage_e.html",
                             "ProductSitePage_r.html"})
        Touch(programDir.path(), QLatin1String(page));
    const struct {
        int language;
        void (WindowCommands::*command)();
        const char* opened;
    } cases[] = {
        {0, &WindowCommands::Sb_InternetClick, "ProgramPage_e.html"},
        {1, &WindowCommands::Sb_InternetClick, "ProgramPage_r.html"},
        {0, &WindowCommands::openProductSitePage, "ProductSitePage_e.html"},
        {1, &WindowCommands::openProductSitePage, "ProductSitePage_r.html"},
        {2, &WindowCommands::Sb_InternetClick, nullptr},
        {-1, &WindowCommands::openProductSitePage, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        shell.opened.clear();
        state.InterfaceLanguage = static_cast<Language>(c.language);
        (commands.*c.command)();
        if (c.opened) {
            EXPECT_EQ(shell.opened,
                      QStringList{QDir(programDir.path()).filePath(QLatin1String(c.opened))});
        } else {
            EXPECT_TRUE(shell.opened.isEmpty());
        }
    }
}

TEST_F(WindowCommandsTest, PagesComeFromTheFirstFolderThatHasThem) {
    Touch(installedDir.path(), QStringLiteral("ProgramPage_e.html"));
    Touch(installedDir.path(), QStringLiteral("ProductSitePage_e.html"));
    Touch(programDir.path(), QStringLiteral("ProductSitePage_e.html"));
    commands.Sb_InternetClick();
    commands.openProductSitePage();
    EXPECT_EQ(shell.opened,
              (QStringList{QDir(installedDir.path()).filePath("ProgramPage_e.html"),
                           QDir(programDir.path()).filePath("ProductSitePage_e.html")}));
}

TEST_F(WindowCommandsTest, AMissingPageIsNotOpened) {
    commands.Sb_InternetClick();
    commands.openProductSitePage();
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(WindowCommandsTest, MinimiseHidesTheWindowBehindTheTrayIconAndRestoreBringsItBack) {
    commands.Sb_MinClick();
    EXPECT_TRUE(tray.active);
    EXPECT_FALSE(host.visible);

    commands.TrayIconDblClick();
    EXPECT_FALSE(tray.active);
    EXPECT_TRUE(host.visible);
    EXPECT_EQ(host.calls, (QStringList{"hide", "show"}));
}

TEST_F(WindowCommandsTest, MinimiseWithoutATrayLeavesTheWindowShown) {
    tray.available = false;
    commands.Sb_MinClick();
    EXPECT_TRUE(host.visible);
    EXPECT_FALSE(tray.active);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(WindowCommandsTest, MinimiseOnADesktopWithoutANotificationAreaKeepsTheWindow) {
    QMenu trayMenu;
    TrayIcon icon(&trayMenu);
    ASSERT_FALSE(icon.isAvailable()) << "the offscreen platform has no notification area";
    WindowCommands real{host, icon, shell, state, places()};
    real.Sb_MinClick();
    EXPECT_TRUE(host.visible);
    EXPECT_FALSE(icon.isActive());
}

TEST_F(WindowCommandsTest, ExitClosesTheWindowAlsoWhileTheAttractionRuns) {
    state.AttractionRunning = true;
    commands.Sb_CloseClick();
    EXPECT_EQ(host.calls, QStringList{"close"});
}

// A dialog that records what OpenDialog asked of it.
struct FakeDialog {
    bool visible = false;
    QStringList calls;

    DialogHandle handle() {
        DialogHandle h;
        h.isVisible = [this] {
            return visible;
        };
        h.hide = [this] {
            calls << QStringLiteral("hide");
            visible = false;
        };
        h.showModal = [this] {
            calls << QStringLiteral("showModal");
        };
        return h;
    }
};

TEST_F(WindowCommandsTest, OpenDialog) {
    using Dialog = MainWindowCommands::Dialog;
    const struct {
        const char* name;
        bool attractionRunning;
        bool registered;
        bool visible;
        QStringList hostCalls;
        QStringList dialogCalls;
    } cases[] = {
        {"opens modally after re-centring",
         false,
         true,
         false,
         {"recentre", "closeHelp", "opening", "closed"},
         {"showModal"}},
        {"an open dialog is hidden instead", false, true, true, {}, {"hide"}},
        {"nothing while the attraction runs", true, true, false, {}, {}},
        {"nothing while the attraction runs, even when open", true, true, true, {}, {}},
        {"nothing for a window not built yet", false, false, false, {}, {}},
    };
    for (const Dialog dialog : {Dialog::Ghost, Dialog::Nastr, Dialog::WebServer, Dialog::Net,
                                Dialog::Sound, Dialog::Home, Dialog::Sounds, Dialog::Schedule}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.name << ", dialog " << static_cast<int>(dialog));
            FakeDialog window;
            window.visible = c.visible;
            WindowCommands fresh{host, tray, shell, state, places()};
            if (c.registered)
                fresh.setDialog(dialog, window.handle());
            host.calls.clear();
            state.AttractionRunning = c.attractionRunning;
            fresh.OpenDialog(dialog);
            EXPECT_EQ(host.calls, c.hostCalls);
            EXPECT_EQ(window.calls, c.dialogCalls);
        }
    }
}

TEST_F(WindowCommandsTest, EachCommandOpensItsOwnDialog) {
    using Dialog = MainWindowCommands::Dialog;
    FakeDialog ghost;
    FakeDialog nastr;
    commands.setDialog(Dialog::Ghost, ghost.handle());
    commands.setDialog(Dialog::Nastr, nastr.handle());
    commands.OpenDialog(Dialog::Nastr);
    EXPECT_TRUE(ghost.calls.isEmpty());
    EXPECT_EQ(nastr.calls, QStringList{"showModal"});
}

TEST_F(WindowCommandsTest, AMinimiseUnderADialogGoesToTheTrayWhenTheDialogCloses) {
    using Dialog = MainWindowCommands::Dialog;
    const struct {
        const char* name;
        bool minimisedUnderTheDialog;
        bool trayAvailable;
        bool trayActive;
        QStringList hostCalls;
    } cases[] = {
        {"minimised, with a tray", true, true, true, {"opening", "closed", "hide"}},
        {"minimised, no tray: left to the taskbar", true, false, false, {"opening", "closed"}},
        {"not minimised", false, true, false, {"opening", "closed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost window;
        FakeTray area;
        area.available = c.trayAvailable;
        WindowCommands fresh{window, area, shell, state, places()};
        FakeDialog dialog;
        DialogHandle handle = dialog.handle();
        handle.showModal = [&] {
            window.minimised = c.minimisedUnderTheDialog;
        };
        fresh.setDialog(Dialog::Ghost, handle);
        fresh.OpenDialog(Dialog::Ghost);
        window.calls.removeAll(QStringLiteral("recentre"));
        window.calls.removeAll(QStringLiteral("closeHelp"));
        EXPECT_EQ(window.calls, c.hostCalls);
        EXPECT_EQ(area.active, c.trayActive);
    }
}

TEST(DialogHandleTest, ShowModalReturnsWhenTheWindowCloses) {
    QWidget plain;
    QDialog dialog;
    for (QWidget* window : {&plain, static_cast<QWidget*>(&dialog)}) {
        SCOPED_TRACE(window == &plain ? "plain window" : "dialog");
        const DialogHandle handle = DialogHandle::forWidget(window);
        ASSERT_TRUE(handle.exists());
        bool wasVisible = false;
        QTimer::singleShot(50, window, [&] {
            wasVisible = handle.isVisible();
            window->close();
        });
        handle.showModal();
        EXPECT_TRUE(wasVisible);
        EXPECT_FALSE(handle.isVisible());
    }
}

TEST(DialogHandleTest, NoWindowGivesAnEmptyHandle) {
    EXPECT_FALSE(DialogHandle::forWidget(nullptr).exists());
}

} // namespace
