// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TfmSound.h"

#include "FakeMixerDevice.h"
#include "core/ProgramState.h"
#include "sound/SoundStage.h"
#include "support/TempStore.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");
const QString BuiltLibraries = QStringLiteral(GLOAMERY_SOUND_DIR);

struct SoundWindow {
    TempStore temp;
    FakeMixerDevice mixer;
    ProgramState state;
    std::unique_ptr<SoundStage> stage;
    std::unique_ptr<TfmSound> window;

    explicit SoundWindow(const QString& libraries = BuiltLibraries) {
        stage = std::make_unique<SoundStage>(
            PlatformServices{.store = &temp.store(), .mixer = &mixer}, libraries);
        stage->loadSettings();
        window = std::make_unique<TfmSound>(state, *stage);
    }
    QString label(const char* name) const {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }
    QStringList statusLabels() const {
        QStringList texts;
        for (const char* name : {"Lbl1", "Lbl2", "Lbl3", "Lbl4", "Lbl5", "Lbl6", "Lbl9"})
            texts << label(name);
        return texts;
    }
    void play(const SoundChoice& choice) {
        QSignalSpy reported(stage.get(), &SoundStage::reported);
        stage->play(choice);
        ASSERT_TRUE(reported.wait(10000));
    }
};

TEST(TfmSound, StatusLabelsShowTheStagesLastReport) {
    struct Case {
        SoundChoice choice;
        const char* folder; // empty: the built libraries; "broken": 1b.gsn is no library
        QStringList labels; // after the path
    };
    const Case cases[] = {
        {{7, 0, 12, 0},
         "",
         {"Звуков в Библе: 10", "Тип звука: Длинный", "Номер звука: 0", "Специальность: 0",
          "Эффект: 0: L:50   R:50", "Библа: ОК"}},
        {{2, 5, 1, 1},
         "/nowhere",
         {"Звуков в Библе: 0", "Тип звука: Короткий", "Номер звука: 1", "Специальность: 2",
          "Эффект: 1: L:50   R:0", "Ошибка: Библы нет"}},
        {{1, 0, 1, 3},
         "broken",
         {"Звуков в Библе: 0", "Тип звука: Длинный", "Номер звука: 1", "Специальность: 1",
          "Эффект звука: 0 (Нет)", "Ошибка: Библа кривая"}},
    };
    QTemporaryDir broken;
    QFile garbage(broken.filePath(QStringLiteral("1b.gsn")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("definitely not a sound library");
    garbage.close();
    for (const Case& c : cases) {
        QString folder = *c.folder ? QString::fromUtf8(c.folder) : BuiltLibraries;
        if (folder == QLatin1String("broken"))
            folder = broken.path();
        SCOPED_TRACE(c.choice.Special);
        SoundWindow w(folder);
        w.play(c.choice);
        const QString path = w.stage->libraryPath(SoundStage::inRange(c.choice));
        EXPECT_EQ(w.statusLabels(),
                  QStringList{QStringLiteral("Путь к Библе: ") + path} + c.labels);
    }
}

TEST(TfmSound, TheLoadButtonReadsTheLastChoicesLibraryAgain) {
    SoundWindow w;
    w.play({4, 1, 2, 1});
    w.window->findChild<QLabel*>(QStringLiteral("Lbl9"))->clear();
    QSignalSpy reported(w.stage.get(), &SoundStage::reported);
    w.window->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    ASSERT_TRUE(reported.wait(10000));
    EXPECT_TRUE(w.label("Lbl1").endsWith(QStringLiteral("/4m.gsn")));
    EXPECT_EQ(w.label("Lbl9"), QStringLiteral("Библа: ОК"));
}

TEST(TfmSound, LevelLabelsShowTheMixerValuesAsComputed) {
    SoundWindow w;
    w.stage->Value_Max = 40;
    w.stage->SetStereoLevels(50, 25);
    EXPECT_EQ(w.label("Label1"), QStringLiteral("L: 81919 (max: 65535)"));
    EXPECT_EQ(w.label("Label2"), QStringLiteral("R: 40959 (max: 65535)"));
}

TEST(TfmSound, TheMaximumVolumeIsShownAsTheMatchingChoiceAndSetFromIt) {
    SoundWindow w;
    w.stage->Value_Max = 80;
    TfmSound& sound = *w.window;
    sound.show();
    const auto radio = [&](int n) {
        return sound.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(n));
    };
    EXPECT_TRUE(radio(2)->isChecked());
    EXPECT_FALSE(radio(1)->isChecked());
    radio(3)->click();
    EXPECT_EQ(w.stage->Value_Max, 60);
    EXPECT_TRUE(radio(3)->isChecked());
    sound.close();
}

TEST(TfmSound, ShowingTheWindowFreezesASweepAndMarksADialogOpen) {
    SoundWindow w;
    w.play({0, 0, 0, 4});
    for (int tick = 1; tick <= 60; ++tick)
        w.stage->Timer_EffectTimer();
    const QString left = w.label("Label1");
    TfmSound& sound = *w.window;
    sound.show();
    EXPECT_FALSE(w.stage->effectTimer().isActive());
    EXPECT_EQ(w.stage->Effect.SweepTick, 0);
    EXPECT_EQ(w.label("Label1"), left);
    EXPECT_EQ(sound.pos(), QPoint(0, 0));
    EXPECT_TRUE(w.state.DialogOpen);
    sound.close();
    EXPECT_FALSE(w.state.DialogOpen);
}

TEST(TfmSound, CountsItselfOpenOnceAndClosedByEveryWayItGoes) {
    struct Case {
        const char* name;
        bool otherDialogOpen; // a settings dialog under it
        std::function<void(TfmSound&)> leave;
    };
    const Case cases[] = {
        {"closed", false,
         [](TfmSound& sound) {
             sound.close();
         }},
        {"hidden by the program", false,
         [](TfmSound& sound) {
             sound.hide();
         }},
        {"closed over another dialog", true,
         [](TfmSound& sound) {
             sound.close();
         }},
        {"hidden over another dialog", true,
         [](TfmSound& sound) {
             sound.hide();
         }},
    };
    for (const Case& c : cases) {
        SoundWindow w;
        if (c.otherDialogOpen)
            w.state.DialogOpen.opened();
        w.window->show();
        w.window->show();
        EXPECT_TRUE(w.state.DialogOpen) << c.name;
        c.leave(*w.window);
        EXPECT_EQ(bool(w.state.DialogOpen), c.otherDialogOpen) << c.name;
    }
}

} // namespace
