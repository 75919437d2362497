// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FirstRun.h"
#include "app/SplashStandIn.h"
#include "app/TfmLogo.h"
#include "core/ProgramState.h"
#include "device/HouseBoards.h"
#include "support/FakePlatform.h"
#include "support/TempStore.h"
#include "widgetkit/KeyToggleTracker.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

const QString Key = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");
// One 1280 by 1024 screen at the desktop's origin.
constexpr QRect Screen{0, 0, 1280, 1024};

struct SplashFixture {
    TempStore temp;
    FakePlatform platform;
    RecordingMessageBoxes& messages = platform.messages;
    KeyToggleTracker& deleteKey = platform.deleteKey;
    ProgramState state;
    HouseBoards boards{nullptr};
    // As the program reads it before any window; written when it goes, after the splash.
    std::unique_ptr<FirstRun> firstRun;

    std::unique_ptr<TfmLogo> makeSplash(int editionLanguage = 0) {
        firstRun = std::make_unique<FirstRun>(&temp.store(), &messages);
        firstRun->loadSettings();
        return std::make_unique<TfmLogo>(state, platform.services(&temp.store()), *firstRun,
                                         static_cast<Language>(editionLanguage), boards);
    }
};

template <typename T>
T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QLatin1String(name));
}

TEST(Splash, ProgressImagesAndCloseFollowTheTickSchedule) {
    SplashFixture f;
    auto splash = f.makeSplash();
    splash->prepareSplash(Screen);
    splash->show();
    auto* bar = child<QProgressBar>(splash.get(), "ProgressBar");
    auto* loading = child<QLabel>(splash.get(), "Img_Loading");
    auto* ready = child<QLabel>(splash.get(), "Img_Ready");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(splash->workTimer().isActive());

    struct Step {
        int tick;
        int value;
        bool finishedShown;
    };
    const Step steps[] = {{1, 5, false},   {5, 25, false},  {6, 28, false}, {12, 58, false},
                          {13, 61, false}, {19, 91, false}, {20, 96, true}, {21, 99, true},
                          {25, 99, true},  {30, 99, true}};
    for (const Step& step : steps) {
        while (splash->splashTick() < step.tick)
            splash->Timer_WorkTimer();
        EXPECT_EQ(bar->value(), step.value) << "tick " << step.tick;
        EXPECT_EQ(ready->isVisible(), step.finishedShown) << "tick " << step.tick;
        EXPECT_EQ(loading->isVisible(), !step.finishedShown) << "tick " << step.tick;
        EXPECT_TRUE(splash->isVisible()) << "tick " << step.tick;
    }
    EXPECT_FALSE(f.state.SplashShown);
    splash->Timer_WorkTimer();
    EXPECT_EQ(splash->splashTick(), 31);
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->workTimer().isActive());
    EXPECT_TRUE(f.state.SplashShown);
}

TEST(Splash, HoldsItsPicturesAndWindowOnlyWhileItIsUp) {
    SplashFixture f;
    auto splash = f.makeSplash();
    const char* const pictures[] = {"Img_Logo", "Img_Loading", "Img_Ready"};
    const auto holding = [&] {
        int held = 0;
        for (const char* name : pictures)
            held += child<QLabel>(splash.get(), name)->pixmap().isNull() ? 0 : 1;
        return held;
    };
    EXPECT_EQ(holding(), 0) << "nothing drawn before the splash is shown";

    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        QTimer::singleShot(0, splash.get(), [&] {
            EXPECT_TRUE(splash->isVisible());
            EXPECT_EQ(holding(), 3);
            EXPECT_EQ(child<QLabel>(splash.get(), "Img_Logo")->pixmap().size(), QSize(400, 300));
            splash->close();
        });
        splash->ShowSplash(Screen);
        EXPECT_EQ(holding(), 0);
        EXPECT_EQ(splash->windowHandle(), nullptr) << "its window is given back";
    }
}

TEST(Splash, IsCentredWithTheHalvingTruncatedTowardZero) {
    const std::pair<int, int> cases[] = {{1280, 440}, {799, 199}, {401, 0}, {399, 0}, {300, -50}};
    for (const auto& [desktop, left] : cases) {
        SplashFixture f;
        auto splash = f.makeSplash();
        splash->prepareSplash(QRect(0, 0, desktop, 768));
        EXPECT_EQ(splash->geometry(), QRect(left, 100, 400, 300)) << desktop;
    }
}

TEST(Splash, ItsCloseButtonClosesIt) {
    SplashFixture f;
    auto splash = f.makeSplash();
    splash->prepareSplash(Screen);
    splash->show();
    child<QPushButton>(splash.get(), "Btn_Close")->click();
    EXPECT_FALSE(splash->isVisible());
    EXPECT_TRUE(f.state.SplashShown);
    EXPECT_FALSE(splash->workTimer().isActive());
}

TEST(Splash, KeysNeverCloseIt) {
    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Return, "Return"},
                                                    {Qt::Key_Enter, "Enter"},
                                                    {Qt::Key_Space, "Space"},
                                                    {Qt::Key_Escape, "Escape"}};
    for (const auto& [key, name] : keys) {
        SplashFixture f;
        auto splash = f.makeSplash();
        splash->prepareSplash(Screen);
        splash->show();
        splash->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(splash.get())) << name;
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : splash.get();
        QTest::keyClick(target, key);
        EXPECT_TRUE(splash->isVisible()) << name;
        EXPECT_TRUE(splash->workTimer().isActive()) << name;
        EXPECT_FALSE(f.state.SplashShown) << name;
    }
}

TEST(Splash, DeviceViewOpensOnlyWithDeleteToggledOnAndReleased) {
    struct Case {
        int presses;
        bool held;
        bool opens;
    };
    const Case cases[] = {
        {0, false, false}, {1, false, true}, {1, true, false}, {2, false, false}, {3, false, true}};
    for (const Case& c : cases) {
        SplashFixture f;
        for (int i = 0; i < c.presses; ++i) {
            f.deleteKey.keyPressed(false);
            f.deleteKey.keyPressed(true); // auto-repeat changes nothing
            if (!(c.held && i == c.presses - 1))
                f.deleteKey.keyReleased(false);
        }
        auto splash = f.makeSplash();
        splash->prepareSplash(Screen);
        splash->show();
        QTest::mousePress(child<QLabel>(splash.get(), "Img_Loading"), Qt::LeftButton);
        auto* pages = child<QTabWidget>(splash.get(), "PageControl_USB");
        EXPECT_EQ(pages->isVisible(), c.opens) << c.presses << " held " << c.held;
        EXPECT_EQ(splash->workTimer().isActive(), !c.opens);
        if (c.opens) {
            EXPECT_EQ(splash->size(), QSize(400, 550));
            EXPECT_EQ(pages->geometry(), QRect(0, 0, 400, 500));
            EXPECT_EQ(child<QPushButton>(splash.get(), "Btn_Close")->pos(), QPoint(8, 512));
            EXPECT_TRUE(splash->isVisible());
            EXPECT_FALSE(f.state.SplashShown);
        }
    }
}

TEST(Splash, FirstRunFlagComesFromPremier) {
    struct Case {
        const char* what;
        std::function<void(SettingsKey&)> store;
        bool firstRun;
        const char* error;
    };
    const Case cases[] = {
        {"missing", [](SettingsKey&) {}, true, nullptr},
        {"0", [](SettingsKey& k) { k.writeInteger(QStringLiteral("Premier"), 0); }, false, nullptr},
        {"1", [](SettingsKey& k) { k.writeInteger(QStringLiteral("Premier"), 1); }, true, nullptr},
        {"7", [](SettingsKey& k) { k.writeInteger(QStringLiteral("Premier"), 7); }, true, nullptr},
        {"a string",
         [](SettingsKey& k) { k.writeString(QStringLiteral("Premier"), QStringLiteral("1")); },
         false, "Invalid data type for 'Premier'"},
    };
    for (const Case& c : cases) {
        SplashFixture f;
        c.store(*f.temp.store().openKey(Key, true));
        f.state.InterfaceLanguage = static_cast<Language>(-1);
        auto splash = f.makeSplash(1);
        EXPECT_EQ(splash->firstRun(), c.firstRun) << c.what;
        EXPECT_EQ(f.state.InterfaceLanguage, static_cast<Language>(1)) << c.what;
        if (c.error)
            EXPECT_EQ(f.messages.errors, QStringList{QLatin1String(c.error)}) << c.what;
        else
            EXPECT_TRUE(f.messages.errors.isEmpty()) << c.what;
    }
}

TEST(Splash, WritesTheFirstRunFlagWhenDestroyed) {
    for (bool firstRun : {false, true}) {
        SplashFixture f;
        auto splash = f.makeSplash();
        if (!firstRun)
            splash->presentationUsedUp();
        splash.reset();
        f.firstRun.reset();
        auto key = f.temp.reopen().openKey(Key, false);
        EXPECT_EQ(key->readInteger(QStringLiteral("Premier")), firstRun ? 1 : 0);
    }
}

TEST(Splash, WithoutAUsableStoreEveryStartIsAFirstStartAndNothingIsReported) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.db"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a database");
    }
    SettingsStore store(path);
    RecordingMessageBoxes messages;
    ProgramState state;
    HouseBoards boards(nullptr);
    {
        FirstRun firstRun(&store, &messages);
        firstRun.loadSettings();
        TfmLogo splash(state, {&store, &messages, nullptr, nullptr}, firstRun, Language::English,
                       boards);
        EXPECT_TRUE(splash.firstRun());
        splash.presentationUsedUp();
    }
    EXPECT_TRUE(messages.errors.isEmpty());
}

} // namespace

namespace {

// How many pixels of two pictures of one size differ by more than a rounding step.
int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                std::abs(qBlue(p) - qBlue(q)) > 2)
                ++count;
        }
    return count;
}

} // namespace

TEST(SplashStandIn, LooksLikeTheSplashAtItsFirstTickAndStandsInItsPlace) {
    SplashFixture f;
    auto splash = f.makeSplash();
    splash->prepareSplash(Screen);
    const QImage splashLook = splash->grab().toImage().convertToFormat(QImage::Format_RGB32);

    SplashStandIn standIn;
    standIn.showAt(Screen);
    EXPECT_TRUE(standIn.painted()) << "showAt returns once the picture is on the screen";
    EXPECT_EQ(standIn.geometry(), QRect(440, 100, 400, 300));
    const QImage standInLook = standIn.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(standInLook.size(), splashLook.size());
    EXPECT_EQ(differingPixels(standInLook, splashLook), 0);
}

TEST(SplashStandIn, GoesOnceTheSplashHasPaintedAndNotBefore) {
    SplashFixture f;
    auto splash = f.makeSplash();
    auto standIn = std::make_unique<SplashStandIn>();
    standIn->showAt(Screen);
    const QPointer<SplashStandIn> watched = standIn.get();
    splash->setStandIn(std::move(standIn));
    QCoreApplication::processEvents();
    EXPECT_TRUE(watched) << "kept while the windows are made";

    splash->prepareSplash(Screen);
    splash->show();
    for (int i = 0; i < 50 && watched; ++i)
        QTest::qWait(10);
    EXPECT_FALSE(watched) << "the splash took its place";
    EXPECT_TRUE(splash->isVisible());
}

TEST(SplashStandIn, GoesWithTheSplashWhenTheSplashNeverShows) {
    SplashFixture f;
    auto splash = f.makeSplash();
    auto standIn = std::make_unique<SplashStandIn>();
    const QPointer<SplashStandIn> watched = standIn.get();
    splash->setStandIn(std::move(standIn));
    splash.reset();
    EXPECT_FALSE(watched);
}
