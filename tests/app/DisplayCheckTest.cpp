// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Env = QHash<QString, QString>;

DisplayCheck::Environment from(const Env& env) {
    return [env](const char* name) {
        return env.value(QLatin1String(name));
    };
}

// Plugin folders laid out as Qt's: "platforms" below, holding `plugin` if one is given.
struct PluginFolders {
    QTemporaryDir root;
    QString make(const QString& name, const char* plugin = nullptr) const {
        const QString folder = root.filePath(name);
        QDir().mkpath(folder + QStringLiteral("/platforms"));
        if (plugin)
            QFile(folder + QStringLiteral("/platforms/") + QLatin1String(plugin))
                .open(QIODevice::WriteOnly);
        return folder;
    }
};

TEST(DisplayCheck, WaylandSessionsAskForXWaylandUnlessThePlatformWasChosen) {
    struct Case {
        Env env;
        const char* expected;
    };
    const Case cases[] = {
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
        {{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":1"}}, "xcb"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, ""}, // no XWayland to go to
        {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, ""},
        {{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayCheck::preferredPlatform(from(c.env)), QLatin1String(c.expected));
}

TEST(DisplayCheck, SaysClearlyWhenThereIsNoDisplay) {
    PluginFolders folders;
    const QString qtPlugins = folders.make(QStringLiteral("qt"), "libqwayland-generic.so");
    struct Case {
        Env env;
        bool reachable;
        const char* problemContains; // empty: no problem
        int asked;                   // the display number tried; -1: none
    };
    const Case cases[] = {
        {{}, true, "no display was found", -1},
        {{{"DISPLAY", ":99"}}, false, "display :99 is not running", 99},
        {{{"DISPLAY", ":99.0"}}, false, "display :99.0 is not running", 99},
        {{{"DISPLAY", "unix:7"}}, false, "display unix:7 is not running", 7},
        {{{"DISPLAY", ":0"}}, true, "", 0},
        // Remote or not of the local form: left to Qt.
        {{{"DISPLAY", "remote-host:10"}}, false, "", -1},
        {{{"DISPLAY", ":"}}, false, "", -1},
        {{{"DISPLAY", ":1."}}, false, "", -1},
        {{{"DISPLAY", ":1.x"}}, false, "", -1},
        {{{"DISPLAY", ":12a"}}, false, "", -1},
        {{{"DISPLAY", "unix"}}, false, "", -1},
        {{{"DISPLAY", ":99999999999"}}, false, "", -1},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, false, "", -1},
        {{{"QT_QPA_PLATFORM", "xcb"}}, true, "no display was found", -1},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.env.value(QStringLiteral("DISPLAY"))));
        int asked = -1;
        const QString problem = DisplayCheck::problem(
            from(c.env),
            [&](int number) {
                asked = number;
                return c.reachable;
            },
            qtPlugins);
        if (*c.problemContains == '\0')
            EXPECT_TRUE(problem.isEmpty()) << qPrintable(problem);
        else
            EXPECT_TRUE(problem.contains(QLatin1String(c.problemContains))) << qPrintable(problem);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(DisplayCheck, AWaylandSessionWithoutXNeedsQtsWaylandPlugin) {
    PluginFolders folders;
    const QString bare = folders.make(QStringLiteral("bare"), "libqxcb.so");
    const QString qt = folders.make(QStringLiteral("qt"), "libqwayland-egl.so");
    const QString extra = folders.make(QStringLiteral("extra"), "libqwayland-generic.so");
    const QString direct = folders.make(QStringLiteral("direct"), "libqwayland-generic.so") +
                           QStringLiteral("/platforms");
    const QString pluginPath = bare + QLatin1Char(':') + extra;
    struct Case {
        const char* label;
        Env env;
        QString qtPlugins;
        bool problem;
    };
    const QString wayland = QStringLiteral("wayland-0");
    const Case cases[] = {
        {"no plugin anywhere", {{"WAYLAND_DISPLAY", wayland}}, bare, true},
        {"chosen, no plugin", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, bare, true},
        {"chosen with a fallback", {{"QT_QPA_PLATFORM", "wayland;xcb"}}, bare, false},
        {"in Qt's folder", {{"WAYLAND_DISPLAY", wayland}}, qt, false},
        {"in QT_PLUGIN_PATH",
         {{"WAYLAND_DISPLAY", wayland}, {"QT_PLUGIN_PATH", pluginPath}},
         bare,
         false},
        {"QT_PLUGIN_PATH without it",
         {{"WAYLAND_DISPLAY", wayland}, {"QT_PLUGIN_PATH", bare}},
         bare,
         true},
        {"in QT_QPA_PLATFORM_PLUGIN_PATH",
         {{"WAYLAND_DISPLAY", wayland}, {"QT_QPA_PLATFORM_PLUGIN_PATH", direct}},
         bare,
         false},
        {"XWayland there: not needed",
         {{"WAYLAND_DISPLAY", wayland}, {"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":0"}},
         bare,
         false},
    };
    for (const Case& c : cases) {
        const QString problem = DisplayCheck::problem(
            from(c.env), [](int) { return true; }, c.qtPlugins);
        EXPECT_EQ(problem.contains(QLatin1String("qt6-wayland")), c.problem)
            << c.label << ": " << qPrintable(problem);
    }
}

} // namespace
