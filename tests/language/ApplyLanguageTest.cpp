// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramState.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "support/FakePlatform.h"
#include "support/GhostServices.h"
#include "widgetkit/IndicatorLamp.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

struct Windows {
    ProgramState state;
    FakePlatform fakes;
    GhostServices services{state, fakes.services()};
    TfmMain main{state, fakes.services(), services.attraction, services.ghosts};
    TfmHelp help{state};
    Windows() { help.addLanguageTarget(&main); }

    QString hint(const char* control) const {
        return main.findChild<QWidget*>(QLatin1String(control))->toolTip();
    }
    const IndicatorLamp* lamp(const char* name) const {
        return main.findChild<IndicatorLamp*>(QLatin1String(name));
    }
};

const QColor Stopped(0x00, 0x80, 0xC0);

TEST(ApplyLanguage, WritesTheMainWindowHintsInTheCurrentLanguage) {
    struct Case {
        int language;
        const char* help;
        const char* internet;
        const char* minimise;
        const char* close;
    };
    const Case cases[] = {
        {0, "Show a help file", "Go to our website", "Minimize the program to Tray", "Exit"},
        {1, "Показать файл помощи", "Перейти на наш сайт", "Свернуть программу в Tray",
         "Выйти из программы"},
    };
    Windows w;
    for (const Case& c : cases) {
        w.state.InterfaceLanguage = static_cast<Language>(c.language);
        w.help.ApplyLanguage();
        EXPECT_EQ(w.hint("Sb_Help"), QString::fromUtf8(c.help));
        EXPECT_EQ(w.hint("Sb_Internet"), QString::fromUtf8(c.internet));
        EXPECT_EQ(w.hint("Sb_Min"), QString::fromUtf8(c.minimise));
        EXPECT_EQ(w.hint("Sb_Close"), QString::fromUtf8(c.close));
        EXPECT_EQ(w.help.texts()[4],
                  c.language == 0 ? QStringLiteral("English") : QStringLiteral("Русский"));
    }
}

TEST(ApplyLanguage, TheLampsFollowTheRunningStatesAcrossASwitch) {
    struct Case {
        bool attraction;
        bool web;
        QColor attractionFill;
        QColor webFill;
        const char* hints[2][4]; // per language: attraction lamp, start button, web lamp
    };
    const Case cases[] = {
        {false,
         false,
         Stopped,
         Stopped,
         {{"Attraction is stopped", "Run a Attraction", "Web Server is stopped"},
          {"Аттракцион остановлен", "Запустить Аттракцион", "Web Сервер остановлен"}}},
        {true,
         true,
         QColor(0x00, 0xFF, 0xFF),
         QColor(0xFF, 0x00, 0x00),
         {{"Attraction is running", "Stop the Attraction", "Web Server is running"},
          {"Аттракцион запущен", "Остановить Аттракцион", "Web Сервер запущен"}}},
    };
    for (const Case& c : cases) {
        Windows w;
        w.state.AttractionRunning = c.attraction;
        w.state.WebServerRunning = c.web;
        for (int language : {0, 1}) {
            w.state.InterfaceLanguage = static_cast<Language>(language);
            w.help.ApplyLanguage();
            EXPECT_EQ(w.lamp("Indicator_Attraction_Show")->fill(), c.attractionFill);
            EXPECT_EQ(w.lamp("Indicator_Web")->fill(), c.webFill);
            EXPECT_EQ(w.hint("Indicator_Attraction_Show"), QString::fromUtf8(c.hints[language][0]));
            EXPECT_EQ(w.hint("Sb_Attraction_Show"), QString::fromUtf8(c.hints[language][1]));
            EXPECT_EQ(w.hint("Indicator_Web"), QString::fromUtf8(c.hints[language][2]));
        }
    }
}

TEST(ApplyLanguage, TheShowSequenceSetsTheAttractionLampToStopped) {
    Windows w;
    w.state.AttractionRunning = true;
    w.help.ApplyLanguage();
    w.main.setAttractionIndicator(false);
    EXPECT_EQ(w.lamp("Indicator_Attraction_Show")->fill(), Stopped);
    EXPECT_EQ(w.hint("Indicator_Attraction_Show"), QStringLiteral("Attraction is stopped"));
}

} // namespace
