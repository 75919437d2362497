// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TfmNastr.h"

#include "core/DesktopAutostart.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "support/CloseButtonCases.h"
#include "support/FakePlatform.h"
#include "support/FakePointer.h"
#include "support/GhostServices.h"
#include "support/PointerClick.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SkinParts.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

const ImageList& yellow() {
    static const ImageList list(QStringLiteral("BitmapList_Yellow"));
    return list;
}

bool shows(const QLabel* picture, int entry) {
    return picture->pixmap().toImage().convertToFormat(QImage::Format_ARGB32) ==
           yellow().image(entry).convertToFormat(QImage::Format_ARGB32);
}

// One run of the program as the dialog sees it: a real store, a main window to open beside, the
// pointer placed by the test.
struct Settings {
    TempStore temp;
    FakePlatform fakes;
    RecordingMessageBoxes messages;
    FakePointer pointer;
    ProgramState state;
    QWidget mainWindow;
    int languageApplied = 0;
    // The attraction owns the options and their store values; the dialog shows them.
    std::unique_ptr<GhostServices> services;
    std::unique_ptr<TfmNastr> dialog;

    // `stored` writes values into the program key before the dialog first loads.
    explicit Settings(const std::function<void(SettingsKey&)>& stored = {}) {
        mainWindow.setGeometry(240, 10, 800, 600);
        if (stored)
            stored(*temp.store().openKey(ProgramKey, true));
        create();
    }
    void create() {
        PlatformServices platform = fakes.services(&temp.store());
        platform.messages = &messages;
        platform.pointer = &pointer;
        services = std::make_unique<GhostServices>(state, platform);
        services->attraction.loadSettings();
        dialog = std::make_unique<TfmNastr>(
            state, platform, services->attraction.options(), yellow(),
            [this] { ++languageApplied; }, &mainWindow);
    }
    // Ends the run (the attraction saves) and starts the next one on the same file.
    void restart() {
        dialog.reset();
        services.reset();
        temp.reopen();
        create();
    }
    template <typename T = QLabel>
    T* control(const char* name) const {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLabel* knob() const { return control("Scroll_Attraction_Time_Btn"); }
    void click(QWidget* target, QPoint local = {5, 5}, bool doubleClick = false) {
        clickWithPointer(pointer, target, local, doubleClick);
    }
    int knobScreenLeft() const { return knob()->mapToGlobal(QPoint(0, 0)).x(); }
};

TEST(TfmNastr, AFirstStartShowsNoLimitAndNothingTicked) {
    Settings s;
    s.dialog->show();
    EXPECT_EQ(s.dialog->options().Attraction_Time, 3);
    EXPECT_EQ(s.knob()->x(), 315);
    EXPECT_TRUE(shows(s.knob(), 44));
    EXPECT_TRUE(shows(s.control("Cb_Attraction_Over_1"), 57));
    EXPECT_TRUE(shows(s.control("Cb_Attraction_Over_2"), 57));
    EXPECT_TRUE(shows(s.control("Img_Fon"), 49));
    EXPECT_TRUE(shows(s.control("Scroll_Attraction_Time_Fon"), 39));
    EXPECT_TRUE(s.messages.errors.isEmpty());
}

TEST(TfmNastr, EachClickOnTheScrollerStepsOnePositionTowardsThePointer) {
    struct Case {
        qint32 from;
        const char* on; // track or knob
        int dx;         // pointer x minus the knob's screen left
        bool doubleClick;
        qint32 to;
        int knobLeft;
        int knobImage;
    };
    const Case cases[] = {
        {3, "Scroll_Attraction_Time_Fon", -290, false, 2, 217, 43}, // far left: one step only
        {3, "Scroll_Attraction_Time_Btn", 5, false, 3, 315, 44},    // on the knob: clamped
        {3, "Scroll_Attraction_Time_Btn", 0, false, 3, 315, 44},    // the knob's left edge
        {0, "Scroll_Attraction_Time_Fon", 280, false, 1, 120, 43},
        {0, "Scroll_Attraction_Time_Btn", 0, false, 0, 23, 42}, // the track starts right of it
        {0, "Scroll_Attraction_Time_Btn", 1, false, 1, 120, 43},
        {1, "Scroll_Attraction_Time_Fon", -1, false, 0, 23, 42},
        {1, "Scroll_Attraction_Time_Btn", 0, false, 1, 120, 43},
        {2, "Scroll_Attraction_Time_Fon", 50, true, 3, 315, 44}, // a double click steps once
        {1, "Scroll_Attraction_Time_Fon", -60, true, 0, 23, 42},
    };
    Settings s;
    s.dialog->show();
    for (const Case& c : cases) {
        s.dialog->options().Attraction_Time = c.from;
        s.dialog->ShowAttractionTime();
        QWidget* target = s.control(c.on);
        const int localX = s.knobScreenLeft() + c.dx - target->mapToGlobal(QPoint(0, 0)).x();
        ASSERT_TRUE(target->rect().contains(localX, 10)) << c.on << " " << c.dx;
        s.click(target, {localX, 10}, c.doubleClick);
        EXPECT_EQ(s.dialog->options().Attraction_Time, c.to) << "from " << c.from << " dx " << c.dx;
        EXPECT_EQ(s.knob()->x(), c.knobLeft) << "from " << c.from << " dx " << c.dx;
        EXPECT_TRUE(shows(s.knob(), c.knobImage)) << "from " << c.from << " dx " << c.dx;
    }
}

TEST(TfmNastr, AStoredDurationOutOfRangeLeavesTheKnobAndTheFirstStepClampsIt) {
    struct Case {
        qint32 stored;
        int dx;
        qint32 afterStep;
    };
    const Case cases[] = {{7, -100, 3},
                          {7, 10, 3},
                          {-2, 10, 0},
                          {-2, -100, 0},
                          {std::numeric_limits<qint32>::max(), 10, 3},
                          {std::numeric_limits<qint32>::min(), -100, 0}};
    for (const Case& c : cases) {
        Settings s([&c](SettingsKey& key) {
            key.writeInteger(QStringLiteral("Attraction_Time"), c.stored);
        });
        EXPECT_EQ(s.dialog->options().Attraction_Time, c.stored) << "taken as stored";
        s.dialog->show();
        EXPECT_EQ(s.knob()->x(), 315) << c.stored;
        QWidget* track = s.control("Scroll_Attraction_Time_Fon");
        s.click(track, {s.knobScreenLeft() + c.dx - track->mapToGlobal(QPoint(0, 0)).x(), 10});
        EXPECT_EQ(s.dialog->options().Attraction_Time, c.afterStep) << c.stored;
    }
}

TEST(TfmNastr, AClickOnADurationLabelSelectsItsPosition) {
    Settings s;
    s.state.InterfaceLanguage = Language::Russian;
    s.dialog->show();
    const int appliedAtShow = s.languageApplied;
    const int lefts[] = {23, 120, 217, 315};
    for (int position : {0, 3, 1, 2, 0}) {
        const QByteArray name = "Lbl_" + QByteArray::number(position + 1);
        s.click(s.control(name.constData()), {3, 3});
        EXPECT_EQ(s.dialog->options().Attraction_Time, position);
        EXPECT_EQ(s.knob()->x(), lefts[position]);
    }
    EXPECT_EQ(s.state.InterfaceLanguage, static_cast<Language>(1))
        << "the labels do not switch the language";
    EXPECT_EQ(s.languageApplied, appliedAtShow);
}

TEST(TfmNastr, OptionsAndDurationSurviveARestart) {
    Settings s;
    s.dialog->show();
    s.click(s.control("Cb_Attraction_Over_2"));                // the checkbox
    s.click(s.control("Lbl_Attraction_Over_1"), {3, 3});       // the label
    s.click(s.control("Lbl_Attraction_Over_1"), {3, 3}, true); // a double click toggles once
    s.click(s.control("Lbl_2"), {3, 3});
    EXPECT_TRUE(shows(s.control("Cb_Attraction_Over_2"), 58));
    EXPECT_TRUE(shows(s.control("Cb_Attraction_Over_1"), 57));
    s.dialog->close();
    s.restart();
    EXPECT_EQ(s.temp.querySingle("SELECT group_concat(name || '=' || type || ':' || data, ' ') "
                                 "FROM (SELECT * FROM settings WHERE name LIKE 'Attraction%' "
                                 "ORDER BY name)"),
              QStringLiteral("Attraction_Autostart=integer:0 Attraction_Over_1=integer:0 "
                             "Attraction_Over_2=integer:1 Attraction_Time=integer:1"));
    EXPECT_EQ(s.dialog->options().Attraction_Time, 1);
    EXPECT_FALSE(s.dialog->options().Attraction_Over_1);
    EXPECT_TRUE(s.dialog->options().Attraction_Over_2);
    s.dialog->show();
    EXPECT_TRUE(shows(s.control("Cb_Attraction_Over_2"), 58));
    EXPECT_EQ(s.knob()->x(), 120);
}

TEST(TfmNastr, AWrongTypedValueIsReportedAndTheOthersStillLoad) {
    Settings s([](SettingsKey& key) {
        key.writeString(QStringLiteral("Attraction_Time"), QStringLiteral("1"));
        key.writeInteger(QStringLiteral("Attraction_Over_1"), 7);
        key.writeInteger(QStringLiteral("Attraction_Over_2"), 1);
    });
    EXPECT_EQ(s.messages.errors,
              QStringList{QStringLiteral("Invalid data type for 'Attraction_Time'")});
    EXPECT_EQ(s.dialog->options().Attraction_Time, 3);
    EXPECT_TRUE(s.dialog->options().Attraction_Over_1) << "true when not 0";
    EXPECT_TRUE(s.dialog->options().Attraction_Over_2);
}

TEST(TfmNastr, ShowingSetsDialogOpenAppliesTheLanguageAndEveryCloseClearsIt) {
    enum class Close { Button, Escape, Window };
    for (Close how : {Close::Button, Close::Escape, Close::Window}) {
        Settings s;
        s.dialog->options().Attraction_Time = 0;
        s.dialog->show();
        EXPECT_TRUE(s.state.DialogOpen);
        EXPECT_EQ(s.languageApplied, 1);
        EXPECT_EQ(s.dialog->pos(), QPoint(246, 65)) << "beside the main window";
        EXPECT_EQ(s.dialog->size(), QSize(790, 520));
        EXPECT_EQ(s.dialog->focusWidget(), s.control<QLineEdit>("Edit_Focus"));
        EXPECT_NEAR(s.dialog->windowOpacity(), 245.0 / 255.0, 0.01);
        EXPECT_EQ(s.knob()->x(), 23) << "the duration is shown at every show";
        switch (how) {
        case Close::Button:
            s.click(s.control("Sb_Close"), {80, 25});
            break;
        case Close::Escape:
            QTest::keyClick(s.dialog.get(), Qt::Key_Escape);
            break;
        case Close::Window:
            s.dialog->close();
            break;
        }
        EXPECT_FALSE(s.dialog->isVisible());
        EXPECT_FALSE(s.state.DialogOpen) << static_cast<int>(how);
    }
}

TEST(TfmNastr, TheLanguageCommandsSetTheLanguageAndApplyIt) {
    Settings s;
    s.state.InterfaceLanguage = Language::Russian;
    s.dialog->show();
    EXPECT_TRUE(s.control<QGroupBox>("GB_Lang")->isVisible());
    EXPECT_TRUE(shows(s.control("Cb_Lang_1"), 57));
    EXPECT_TRUE(shows(s.control("Cb_Lang_2"), 58));
    struct Step {
        const char* control;
        int language;
        int englishImage;
    };
    const Step steps[] = {
        {"Lbl_Lang_1", 0, 58}, {"Cb_Lang_2", 1, 57}, {"Cb_Lang_1", 0, 58}, {"Lbl_Lang_2", 1, 57}};
    int applied = s.languageApplied;
    for (const Step& step : steps) {
        s.click(s.control(step.control), {3, 3});
        EXPECT_EQ(s.state.InterfaceLanguage, static_cast<Language>(step.language)) << step.control;
        EXPECT_EQ(s.languageApplied, ++applied) << step.control;
        EXPECT_TRUE(shows(s.control("Cb_Lang_1"), step.englishImage)) << step.control;
        EXPECT_TRUE(shows(s.control("Cb_Lang_2"), 115 - step.englishImage)) << step.control;
    }
    // Changed elsewhere while the dialog was closed: the next show follows it.
    s.dialog->close();
    s.state.InterfaceLanguage = Language::English;
    s.dialog->show();
    EXPECT_TRUE(shows(s.control("Cb_Lang_1"), 58));
}

// The option's state is the autostart entry on disk: the test's own configuration folder.
struct AutostartPlace {
    QTemporaryDir config;
    DesktopAutostart entry{QStringLiteral("gloamery"), QStringLiteral("/usr/bin/gloamery"),
                           config.path()};
};

TEST(TfmNastr, BuildsNoControlsUntilItIsFirstOpened) {
    AutostartPlace place;
    Settings s;
    s.dialog->setAutostart(&place.entry);
    s.dialog->Cb_Attraction_Over_1Click();
    s.dialog->Cb_Lang_2Click();
    s.dialog->Timer_WorkTimer();
    EXPECT_FALSE(s.dialog->controlsBuilt());
    QStringList labels;
    for (const QLabel* label : s.dialog->findChildren<QLabel*>())
        labels << label->objectName();
    EXPECT_EQ(labels, QStringList{QStringLiteral("Sb_Close")}) << "only the frame's own";
    EXPECT_TRUE(s.dialog->findChildren<QGroupBox*>().isEmpty());
}

// What changed before the controls existed is what they show once built, whether the dialog is
// opened or something asks for its controls.
TEST(TfmNastr, ChangesMadeBeforeTheFirstOpeningShowInTheNewControls) {
    for (bool byOpening : {true, false}) {
        SCOPED_TRACE(byOpening ? "opened" : "asked for");
        AutostartPlace place;
        ASSERT_EQ(place.entry.setEnabled(true), QString());
        Settings s;
        s.dialog->setAutostart(&place.entry);
        s.dialog->options().Attraction_Time = 1;
        s.dialog->Cb_Attraction_Over_2Click();
        s.dialog->Cb_Lang_2Click();
        EXPECT_EQ(s.languageApplied, 1);
        EXPECT_EQ(s.state.InterfaceLanguage, Language::Russian);
        if (byOpening)
            s.dialog->show();
        else
            s.dialog->ensureControls();
        // A picture out of sight is drawn at its first showing: until then its entry tells.
        const auto holds = [&](QLabel* picture, int entry) {
            return byOpening ? shows(picture, entry) : SkinParts::shownEntry(picture) == entry;
        };
        EXPECT_EQ(s.knob()->x(), 120);
        EXPECT_TRUE(holds(s.knob(), 43));
        EXPECT_TRUE(holds(s.control("Cb_Attraction_Over_1"), 57));
        EXPECT_TRUE(holds(s.control("Cb_Attraction_Over_2"), 58));
        EXPECT_TRUE(holds(s.control("Cb_Lang_1"), 57));
        EXPECT_TRUE(holds(s.control("Cb_Lang_2"), 58));
        EXPECT_TRUE(s.control<QGroupBox>("GB_Autostart")->isVisibleTo(s.dialog.get()));
        EXPECT_TRUE(holds(s.control("Cb_Autostart"), 58));
        EXPECT_EQ(s.control("Lbl_Autostart")->text(),
                  QStringLiteral("Запускать вместе с рабочим столом"));
    }
}

TEST(TfmNastr, AStepOfTheScrollerBeforeAnyOpeningBuildsTheControlsFirst) {
    Settings s;
    s.dialog->options().Attraction_Time = 0;
    s.pointer.position = QPoint(5000, 0); // far right of wherever the knob stands
    s.dialog->Scroll_Attraction_Time_BtnClick();
    EXPECT_TRUE(s.dialog->controlsBuilt());
    EXPECT_EQ(s.dialog->options().Attraction_Time, 1);
    EXPECT_EQ(s.knob()->x(), 120);
}

TEST(TfmNastr, SavesItsSettingsWhenNeverOpened) {
    const auto stored = [](SettingsKey& key) {
        key.writeInteger(QStringLiteral("Attraction_Time"), 2);
        key.writeBool(QStringLiteral("Attraction_Over_1"), true);
        key.writeBool(QStringLiteral("Attraction_Over_2"), false);
    };
    const char* attractionValues = "SELECT group_concat(name || '=' || data, ' ') FROM (SELECT * "
                                   "FROM settings WHERE name LIKE 'Attraction%' ORDER BY name)";
    Settings s(stored);
    s.restart();
    EXPECT_EQ(
        s.temp.querySingle(attractionValues),
        QStringLiteral(
            "Attraction_Autostart=0 Attraction_Over_1=1 Attraction_Over_2=0 Attraction_Time=2"))
        << "kept as loaded";
    s.dialog->Cb_Attraction_Over_2Click();
    s.dialog->options().Attraction_Time = 0;
    s.restart();
    EXPECT_FALSE(s.dialog->controlsBuilt());
    EXPECT_EQ(
        s.temp.querySingle(attractionValues),
        QStringLiteral(
            "Attraction_Autostart=0 Attraction_Over_1=1 Attraction_Over_2=1 Attraction_Time=0"))
        << "the changes made while closed";
}

TEST(TfmNastr, WithoutAnAutostartEntryTheDesktopOptionIsHidden) {
    Settings s;
    s.dialog->show();
    EXPECT_FALSE(s.control<QGroupBox>("GB_Autostart")->isVisible());
    // A click that still reaches it changes nothing and does not crash.
    s.dialog->Cb_AutostartClick();
}

TEST(TfmNastr, TheDesktopOptionWritesAndRemovesTheEntryAndShowsWhatIsOnDisk) {
    AutostartPlace place;
    Settings s;
    s.dialog->setAutostart(&place.entry);
    s.dialog->show();
    ASSERT_TRUE(s.control<QGroupBox>("GB_Autostart")->isVisible());
    EXPECT_TRUE(shows(s.control("Cb_Autostart"), 57));
    const struct {
        const char* control;
        bool doubleClick;
        bool entry;
    } steps[] = {
        {"Cb_Autostart", false, true},
        {"Lbl_Autostart", false, false},
        {"Lbl_Autostart", true, true}, // a double click toggles once
        {"Cb_Autostart", false, false},
    };
    for (const auto& step : steps) {
        s.click(s.control(step.control), {3, 3}, step.doubleClick);
        EXPECT_EQ(QFile::exists(place.entry.entryPath()), step.entry) << step.control;
        EXPECT_TRUE(shows(s.control("Cb_Autostart"), step.entry ? 58 : 57)) << step.control;
    }
    // Made or removed elsewhere while the dialog was closed: the next show follows the disk.
    s.dialog->close();
    ASSERT_EQ(place.entry.setEnabled(true), QString());
    s.dialog->show();
    EXPECT_TRUE(shows(s.control("Cb_Autostart"), 58));
    s.dialog->close();
    ASSERT_EQ(place.entry.setEnabled(false), QString());
    s.dialog->show();
    EXPECT_TRUE(shows(s.control("Cb_Autostart"), 57));
    EXPECT_TRUE(s.messages.errors.isEmpty());
}

TEST(TfmNastr, TheDesktopOptionSpeaksTheInterfaceLanguage) {
    AutostartPlace place;
    Settings s;
    s.dialog->setAutostart(&place.entry);
    const struct {
        const char* how;
        Language language;
        const char16_t* caption;
    } steps[] = {
        {"shown in English", Language::English, u"Start with the desktop"},
        {"switched to Russian", Language::Russian, u"Запускать вместе с рабочим столом"},
        {"switched back", Language::English, u"Start with the desktop"},
    };
    s.state.InterfaceLanguage = steps[0].language;
    s.dialog->show();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.how);
        if (s.state.InterfaceLanguage != step.language)
            s.click(s.control(step.language == Language::Russian ? "Cb_Lang_2" : "Cb_Lang_1"));
        QLabel* label = s.control("Lbl_Autostart");
        EXPECT_EQ(label->text(), QString::fromUtf16(step.caption));
        EXPECT_GE(label->width(), label->sizeHint().width()) << "the caption is not cut";
    }
}

TEST(TfmNastr, TheAttractionStartOptionTogglesSpeaksTheLanguageAndIsStored) {
    Settings s;
    s.dialog->show();
    const struct {
        const char* language; // the language command clicked first
        const char* control;
        bool ticked;
        const char16_t* caption;
    } steps[] = {
        {"Cb_Lang_2", "Lbl_Attraction_Autostart", true,
         u"Запускать аттракцион при запуске программы"},
        {"Cb_Lang_1", "Cb_Attraction_Autostart", false,
         u"Start the attraction when the program starts"},
        {"Cb_Lang_1", "Lbl_Attraction_Autostart", true,
         u"Start the attraction when the program starts"},
    };
    for (const auto& step : steps) {
        s.click(s.control(step.language), {3, 3});
        s.click(s.control(step.control), {3, 3}, true); // a double click toggles once
        EXPECT_TRUE(shows(s.control("Cb_Attraction_Autostart"), step.ticked ? 58 : 57))
            << step.control;
        QLabel* label = s.control("Lbl_Attraction_Autostart");
        EXPECT_EQ(label->text(), QString::fromUtf16(step.caption));
        EXPECT_GE(label->width(), label->sizeHint().width()) << "the caption is not cut";
    }
    s.restart();
    EXPECT_EQ(s.temp.querySingle("SELECT data FROM settings WHERE name = 'Attraction_Autostart'"),
              QStringLiteral("1"));
}

TEST(TfmNastr, TheCloseButtonShowsHoverAndPressByLanguage) {
    for (const CloseButtonCase& c : CloseButtonCases) {
        Settings s;
        s.state.InterfaceLanguage = c.language;
        s.dialog->show();
        QLabel* close = s.control("Sb_Close");
        if (c.pressed)
            QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
        s.pointer.position = close->mapToGlobal(c.at);
        s.dialog->Timer_WorkTimer();
        EXPECT_TRUE(shows(close, c.image)) << static_cast<int>(c.language) << " at " << c.at.x()
                                           << "," << c.at.y() << " pressed " << c.pressed;
    }
}

// The dialog as the user sees it: the generated pictures really drawn where they belong, in both
// languages. With GLOAMERY_SCREENSHOTS set to a folder, the pictures are also saved there.
TEST(TfmNastr, DrawsItsArtworkInBothLanguages) {
    for (int language : {0, 1}) {
        Settings s;
        s.state.InterfaceLanguage = static_cast<Language>(language);
        s.dialog->options().Attraction_Time = 1;
        s.dialog->options().Attraction_Over_2 = true;
        s.dialog->show();
        const QImage shot = s.dialog->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shot.size(), QSize(790, 520));
        const QString folder = qEnvironmentVariable("GLOAMERY_SCREENSHOTS");
        if (!folder.isEmpty())
            shot.save(folder +
                      QStringLiteral("/settings-dialog-%1.png").arg(language ? "ru" : "en"));

        const auto drawnAt = [&](int entry, QPoint topLeft) {
            QImage picture = yellow().image(entry).convertToFormat(QImage::Format_ARGB32);
            int opaque = 0;
            int matching = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb pixel = picture.pixel(x, y);
                    if (qAlpha(pixel) != 255)
                        continue;
                    ++opaque;
                    matching +=
                        (shot.pixel(topLeft + QPoint(x, y)) & 0xFFFFFF) == (pixel & 0xFFFFFF);
                }
            return opaque > 0 && matching * 10 >= opaque * 9;
        };
        EXPECT_TRUE(drawnAt(language ? 21 : 6, {608, 460})) << "close button, " << language;
        EXPECT_TRUE(drawnAt(43, {28 + 120, 64 + 62})) << "knob at 30 minutes";
        EXPECT_TRUE(drawnAt(58, {402 + 8, 64 + 62})) << "final sound ticked";
        EXPECT_TRUE(drawnAt(57, {402 + 8, 64 + 38}));
        EXPECT_TRUE(drawnAt(language ? 58 : 57, {28 + 158, 360 + 22})) << "Russian";
    }
}

} // namespace
