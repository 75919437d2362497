#include "app/DisplayCheck.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

using Env = QHash<QString, QString>;

DisplayCheck::Environment from(const Env& env) {
    return [env](const char* name) {
        return env.value(QLatin1String(name));
    };
}

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
    struct Case {
        Env env;
        bool reachable;
        const char* problemContains; // empty: no problem
    };
    const Case cases[] = {
        {{}, true, "no display was found"},
        {{{"DISPLAY", ":99"}}, false, "display :99 is not running"},
        {{{"DISPLAY", ":99.0"}}, false, "display :99.0 is not running"},
        {{{"DISPLAY", ":0"}}, true, ""},
        {{{"DISPLAY", "remote-host:10"}}, false, ""}, // left to Qt
        {{{"QT_QPA_PLATFORM", "offscreen"}}, false, ""},
        {{{"QT_QPA_PLATFORM", "xcb"}}, true, "no display was found"},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""},
    };
    for (const Case& c : cases) {
        int asked = -1;
        const QString problem = DisplayCheck::problem(from(c.env), [&](int number) {
            asked = number;
            return c.reachable;
        });
        if (*c.problemContains == '\0')
            EXPECT_TRUE(problem.isEmpty()) << qPrintable(problem);
        else
            EXPECT_TRUE(problem.contains(QLatin1String(c.problemContains))) << qPrintable(problem);
        if (c.env.value(QStringLiteral("DISPLAY")) == QLatin1String(":99.0")) {
            EXPECT_EQ(asked, 99);
        }
    }
}

} // namespace
