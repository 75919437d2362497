// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramState.h"
#include "ghosts/GhostTableStore.h"
#include "ghosts/TfmGhost.h"
#include "language/TextEntries.h"
#include "language/TfmHelp.h"
#include "support/FakePlatform.h"
#include "support/FakePointer.h"
#include "support/RecordingMessageBoxes.h"
#include "support/TempStore.h"
#include "widgetkit/GradientTitle.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// The program makes the dialog at start-up and builds its controls at the first opening; most
// tests look at the controls before opening and take them built.
enum class Controls { Built, AsAtStartUp };

struct Dialog {
    TempStore temp;
    FakePlatform fakes;
    const SharedImageLists images;
    RecordingMessageBoxes messages;
    FakePointer pointer;
    ProgramState state;
    TfmHelp help{state};
    std::unique_ptr<Ghosts> ghosts;
    std::unique_ptr<TfmGhost> ghost;

    explicit Dialog(int language = 0, Controls controls = Controls::Built) {
        start();
        help.addLanguageTarget(ghost.get());
        setLanguage(language);
        if (controls == Controls::Built)
            ghost->ensureControls();
    }
    // The ghosts as the program loads them, and the dialog over them.
    void start() {
        ghosts = std::make_unique<Ghosts>(state, services(), nullptr);
        ghosts->loadSettings();
        ghost = std::make_unique<TfmGhost>(state, services(), *ghosts, images);
    }
    // The program's end: the dialog goes, then the ghosts save their table.
    void end() {
        ghost.reset();
        ghosts.reset();
    }
    PlatformServices services() {
        PlatformServices platform = fakes.services(&temp.store());
        platform.messages = &messages;
        platform.pointer = &pointer;
        return platform;
    }
    void setLanguage(int language) {
        state.InterfaceLanguage = static_cast<Language>(language);
        help.ApplyLanguage();
    }
    GhostTable& table() { return ghost->ghostTable(); }

    template <typename Widget = QWidget>
    Widget* control(const QString& name) const {
        auto* widget = ghost->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << qPrintable(name);
        return widget;
    }
    QString text(const QString& name) const {
        if (auto* edit = ghost->findChild<QLineEdit*>(name))
            return edit->text();
        return control<QLabel>(name)->text();
    }
    QString hint(const QString& name) const { return control(name)->toolTip(); }
    int entry(const QString& name) const { return control(name)->property("imageEntry").toInt(); }
    bool shown(const QString& name) const { return control(name)->isVisibleTo(ghost.get()); }
    QString title() const { return control<GradientTitle>("Lbl_Ghost_Title")->text(); }

    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    // What the window system delivers for a double click.
    void doubleClick(const QString& name) {
        QWidget* widget = control(name);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(
                type, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &event);
        }
    }
    void open() { ghost->show(); }
    void pointAt(const QString& name, QPoint offset) {
        pointer.position = control(name)->mapToGlobal(offset);
        ghost->Timer_WorkTimer();
    }
};

TEST(GhostDialog, EveryWayOfClosingCommitsTheGhostAndClearsDialogOpen) {
    const std::function<void(Dialog&)> closings[] = {
        [](Dialog& d) { d.click("Sb_Close"); },
        [](Dialog& d) { QTest::keyClick(d.ghost.get(), Qt::Key_Escape); },
        [](Dialog& d) { d.ghost->close(); },
        [](Dialog& d) { d.ghost->hide(); },
    };
    for (const auto& closeIt : closings) {
        Dialog d;
        d.table()[1].ON = false;
        d.open();
        EXPECT_TRUE(d.state.DialogOpen);
        d.click("Sb_Ghost_ON");
        EXPECT_FALSE(d.table()[1].ON) << "the table changes only on commit";
        closeIt(d);
        EXPECT_FALSE(d.ghost->isVisible());
        EXPECT_FALSE(d.state.DialogOpen);
        EXPECT_TRUE(d.table()[1].ON);
    }
}

TEST(GhostDialog, DestroyedWhileOpenItSavesTheGhostShown) {
    Dialog d;
    d.open();
    d.click("Sb_Ghost_ON");
    d.end();
    EXPECT_FALSE(d.state.DialogOpen);
    GhostTable saved;
    GhostTableStore(&d.temp.reopen(), nullptr).load(saved);
    EXPECT_TRUE(saved[1].ON);
}

TEST(GhostDialog, AlwaysOpensOnGhostOneWithItsTabHighlighted) {
    for (int language : {0, 1}) {
        Dialog d(language);
        d.open();
        d.click("Btn_Yellow_6");
        EXPECT_EQ(d.ghost->selectedGhost(), 6);
        EXPECT_EQ(d.entry("Btn_Yellow_6"), language == 0 ? 22 : 30);
        EXPECT_EQ(d.entry("Img_Ghost_Mini"), 6);
        d.ghost->close();
        d.open();
        EXPECT_EQ(d.ghost->selectedGhost(), 1);
        EXPECT_EQ(d.text("Edit_Ghost_Num"), QStringLiteral("1"));
        EXPECT_EQ(d.entry("Img_Ghost_Mini"), 1);
        EXPECT_EQ(d.entry("Btn_Yellow_1"), language == 0 ? 17 : 25);
        EXPECT_EQ(d.entry("Btn_Yellow_6"), language == 0 ? 6 : 14);
    }
}

TEST(GhostDialog, ANameTypedOnOneTabStaysWithThatGhost) {
    Dialog d;
    d.open();
    d.click("Btn_Yellow_3");
    auto* name = d.control<QLineEdit>("Edit_Ghost_Name");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Casper"));
    EXPECT_EQ(d.title(), u8("Настройки призрака: Casper"));
    d.click("Btn_Yellow_5");
    EXPECT_EQ(d.title(), u8("Настройки призрака: Ghost_5"));
    d.click("Sb_Close");
    EXPECT_EQ(d.table()[3].Name, QStringLiteral("Casper"));
    EXPECT_EQ(d.table()[5].Name, QStringLiteral("Ghost_5"));
}

TEST(GhostDialog, TheTitleFollowsOnlyChangesOfTheName) {
    Dialog d;
    EXPECT_EQ(d.title(), QStringLiteral("Settings"));
    d.open();
    EXPECT_EQ(d.title(), u8("Настройки призрака: Ghost_1"));
    d.ghost->close();
    d.setLanguage(1);
    EXPECT_EQ(d.title(), u8("Настройки"));
    d.open();
    EXPECT_EQ(d.title(), u8("Настройки")) << "the same name again is no change";
}

TEST(GhostDialog, TypingStopsAtSixteenButALongerStoredNameStaysWhole) {
    Dialog d;
    const QString longName = QStringLiteral("A name of twenty-two");
    d.table()[2].Name = longName;
    d.open();
    auto* name = d.control<QLineEdit>("Edit_Ghost_Name");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("abcdefghijklmnopqrs"));
    EXPECT_EQ(name->text(), QStringLiteral("abcdefghijklmnop"));

    d.click("Btn_Yellow_2");
    EXPECT_EQ(name->text(), longName);
    name->end(false);
    QTest::keyClick(name, Qt::Key_X);
    EXPECT_EQ(name->text(), longName) << "no typing beyond the limit";
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Y);
    EXPECT_EQ(name->text(), longName.chopped(2));
    d.click("Btn_Yellow_1");
    EXPECT_EQ(d.table()[2].Name, longName.chopped(2));
    EXPECT_EQ(d.table()[1].Name, QStringLiteral("abcdefghijklmnop"));
}

TEST(GhostDialog, AGhostSwitchedOffShowsOnlyItsPassport) {
    Dialog d;
    d.table()[1].ON = false;
    d.table()[1].Regime = 3;
    d.open();
    for (const char* group : {"GB_2", "GB_Regime", "GB_Special"})
        EXPECT_FALSE(d.shown(group)) << group;
    EXPECT_TRUE(d.shown("GB_1"));
    EXPECT_EQ(d.entry("Sb_Ghost_ON"), 56);
    EXPECT_EQ(d.hint("Sb_Ghost_ON"), QStringLiteral("The ghost is inactive"));
    d.click("Sb_Ghost_ON");
    for (const char* group : {"GB_2", "GB_Regime", "GB_Special"})
        EXPECT_TRUE(d.shown(group)) << group;
    EXPECT_EQ(d.entry("Sb_Ghost_ON"), 55);
    EXPECT_EQ(d.hint("Sb_Ghost_ON"), QStringLiteral("The ghost is active"));
    EXPECT_EQ(d.text("Lbl_Regime"), QStringLiteral("Only the daytime"));
}

TEST(GhostDialog, EachRegimeShowsItsPictureTextsAndHours) {
    struct Case {
        qint32 stored;
        int picture;
        const char* label;
        const char* hint;
        const char* from;
        const char* to;
        bool arrows;
        qint32 committed;
    };
    const Case cases[] = {
        {0, 1, "Never", "The ghost is inactive", "--", "--", false, 0},
        {1, 1, "Around the clock", "The ghost appears at any time", "00", "00", false, 1},
        {2, 2, "Only the night", "The ghost appears only at night", "20", "08", false, 2},
        {3, 3, "Only the daytime", "The ghost appears only in the daytime", "08", "20", false, 3},
        {4, 4, "Pre-set time", "The ghost appears only in the pre-set time", "07", "22", true, 4},
        {5, 5, "Randomly", "The ghost appears randomly", "??", "??", false, 5},
        {9, 1, "Never", "The ghost is inactive", "--", "--", false, 0},
        {-1, 5, "Randomly", "The ghost appears randomly", "??", "??", false, 5},
    };
    for (const Case& c : cases) {
        Dialog d;
        d.table()[2] = GhostSettings{};
        d.table()[2].ON = true;
        d.table()[2].Regime = c.stored;
        d.table()[2].Regime_Dop_1 = 7;
        d.table()[2].Regime_Dop_1a = 22;
        d.open();
        d.click("Btn_Yellow_2");
        EXPECT_EQ(d.entry("Img_Regime"), c.picture) << c.stored;
        EXPECT_EQ(d.text("Lbl_Regime"), QLatin1String(c.label));
        EXPECT_EQ(d.hint("Img_Regime"), QLatin1String(c.hint));
        EXPECT_EQ(d.hint("Lbl_Regime"), QLatin1String(c.hint));
        EXPECT_EQ(d.text("Edit_Regime_Dop_1"), QLatin1String(c.from));
        EXPECT_EQ(d.text("Edit_Regime_Dop_1a"), QLatin1String(c.to));
        for (const char* arrow : {"Sb_Regime_Dop_1_Up", "Sb_Regime_Dop_1_Down",
                                  "Sb_Regime_Dop_1a_Up", "Sb_Regime_Dop_1a_Down"})
            EXPECT_EQ(d.shown(arrow), c.arrows) << arrow;
        // The light hour panel shows no empty gap: a field reaches its arrows, or takes their
        // place while they are hidden.
        for (const auto& [field, arrow] :
             {std::pair{"Edit_Regime_Dop_1", "Sb_Regime_Dop_1_Up"},
              std::pair{"Edit_Regime_Dop_1a", "Sb_Regime_Dop_1a_Up"}}) {
            const QRect fieldPlace = d.control(QLatin1String(field))->geometry();
            const QRect arrowPlace = d.control(QLatin1String(arrow))->geometry();
            if (c.arrows)
                EXPECT_LT(fieldPlace.right(), arrowPlace.left()) << field;
            else
                EXPECT_GE(fieldPlace.right(), arrowPlace.right()) << field;
        }
        d.click("Btn_Yellow_1");
        EXPECT_EQ(d.table()[2].Regime, c.committed) << "committed as shown";
    }
}

TEST(GhostDialog, ScrollersStepOnceAndHourArrowsTwiceOnADoubleClick) {
    Dialog d;
    d.table()[1].ON = true;
    d.table()[1].Regime = 4;
    d.table()[1].Regime_Dop_1 = 0;
    d.table()[1].Regime_Dop_1a = 23;
    d.open();
    d.click("Sb_Regime_Dop_1_Down");
    EXPECT_EQ(d.text("Edit_Regime_Dop_1"), QStringLiteral("23"));
    d.click("Sb_Regime_Dop_1a_Up");
    EXPECT_EQ(d.text("Edit_Regime_Dop_1a"), QStringLiteral("00"));
    d.doubleClick("Sb_Regime_Dop_1a_Up");
    EXPECT_EQ(d.text("Edit_Regime_Dop_1a"), QStringLiteral("02"));
    d.doubleClick("Sb_Regime_Dop_1_Down");
    EXPECT_EQ(d.text("Edit_Regime_Dop_1"), QStringLiteral("21"));
    d.doubleClick("Scroll_Regime_Up");
    EXPECT_EQ(d.ghost->editedGhost().Regime, 5);
    d.doubleClick("Scroll_Special_Down");
    EXPECT_EQ(d.ghost->editedGhost().Special, 5);
    d.doubleClick("Btn_Yellow_1");
    d.doubleClick("Sb_Ghost_ON");
    EXPECT_FALSE(d.ghost->editedGhost().ON) << "the switch acts once";
    d.doubleClick("Cb_Nrav_2");
    EXPECT_EQ(d.ghost->editedGhost().Nrav_2, 0) << "the checkbox acts once";
    d.doubleClick("Sb_Special_Dop_1_Up");
    EXPECT_EQ(d.ghost->editedGhost().Special_Dop_1, 0) << "specialty 5 wraps 2 to 0";
    d.ghost->close();
    EXPECT_EQ(d.table()[1].Regime_Dop_1, 21);
    EXPECT_EQ(d.table()[1].Regime_Dop_1a, 2);
}

// The store may hold any 32-bit value. The dialog brings what it shows into range when it
// opens, so every step from there stays in range; the one value it shows as stored, the sensor
// of a ghost without specialty, must step without overflowing (the sanitizer build aborts on it).
TEST(GhostDialog, StepsOfAnyStoredValueStayDefinedAndInRange) {
    constexpr qint32 Max = std::numeric_limits<qint32>::max();
    constexpr qint32 Min = std::numeric_limits<qint32>::min();
    using Stepper = void (TfmGhost::*)(int);
    struct Field {
        const char* what;
        Stepper step;
        qint32 GhostSettings::*field;
        qint32 special;
        qint32 lowest;
        qint32 highest;
    };
    const Field fields[] = {
        {"regime", &TfmGhost::stepRegime, &GhostSettings::Regime, 1, 0, 5},
        {"specialty", &TfmGhost::stepSpecial, &GhostSettings::Special, 0, 0, 5},
        {"from hour", &TfmGhost::stepFromHour, &GhostSettings::Regime_Dop_1, 1, 0, 23},
        {"to hour", &TfmGhost::stepToHour, &GhostSettings::Regime_Dop_1a, 1, 0, 23},
        {"sensor", &TfmGhost::stepSensor, &GhostSettings::Special_Dop_1, 2, 0, 2},
    };
    for (const Field& f : fields) {
        for (const qint32 stored : {Max, Min, qint32{-1}, qint32{100000000}}) {
            for (const int delta : {1, -1}) {
                Dialog d;
                d.table()[1].ON = true;
                d.table()[1].Regime = 4;
                d.table()[1].Special = f.special;
                d.table()[1].*f.field = stored;
                d.open();
                (d.ghost.get()->*f.step)(delta);
                const qint32 stepped = d.ghost->editedGhost().*f.field;
                EXPECT_GE(stepped, f.lowest) << f.what << " " << stored << " stepped by " << delta;
                EXPECT_LE(stepped, f.highest) << f.what << " " << stored << " stepped by " << delta;
            }
        }
    }
    struct Case {
        qint32 stored;
        int delta;
        qint32 expected;
    };
    for (const Case& c : {Case{Max, 1, Max}, Case{Min, -1, Min}, Case{-1, 1, 0}}) {
        Dialog d;
        d.table()[1].ON = true;
        d.table()[1].Special = 0;
        d.table()[1].Special_Dop_1 = c.stored;
        d.open();
        d.ghost->stepSensor(c.delta);
        EXPECT_EQ(d.ghost->editedGhost().Special_Dop_1, c.expected)
            << "sensor without specialty " << c.stored << " stepped by " << c.delta;
    }
}

TEST(GhostDialog, TheSensorArrowsOfAGhostWithoutSpecialtyStopAtTheEndsOfTheStore) {
    struct Case {
        qint32 stored;
        const char* arrow;
        qint32 expected;
    };
    const Case cases[] = {{std::numeric_limits<qint32>::max(), "Sb_Special_Dop_1_Up",
                           std::numeric_limits<qint32>::max()},
                          {std::numeric_limits<qint32>::min(), "Sb_Special_Dop_1_Down",
                           std::numeric_limits<qint32>::min()}};
    for (const Case& c : cases) {
        Dialog d;
        d.table()[1].ON = true;
        d.table()[1].Special = 0;
        d.table()[1].Special_Dop_1 = c.stored;
        d.open();
        d.doubleClick(QLatin1String(c.arrow));
        EXPECT_EQ(d.ghost->editedGhost().Special_Dop_1, c.expected) << c.arrow;
        EXPECT_EQ(d.text("Edit_Special_Dop_1"), u8("Не выбрано")) << c.arrow;
    }
}

TEST(GhostDialog, TheSensorFollowsTheSpecialty) {
    Dialog d;
    d.table()[1].ON = true;
    d.table()[1].Special = 2;
    d.table()[1].Special_Dop_1 = 2;
    d.open();
    struct Step {
        const char* control;
        int times;
        const char* label;
        int picture;
        const char* sensor;
        qint32 sensorValue;
        int boardInput; // named in the sensor's hint; 0: none
    };
    const Step steps[] = {
        {nullptr, 0, "Electrician", 12, "Объемник в комнате", 2, 4},
        {"Scroll_Special_Up", 1, "Plumber", 13, "Объемник в ванной", 2, 6},
        {"Scroll_Special_Up", 2, "Pedestrian", 15, "Not selected", 0, 0},
        {"Sb_Special_Dop_1_Up", 1, "Pedestrian", 15, "Объемник в комнате", 1, 9},
        {"Scroll_Special_Up", 1, "Not selected", 0, "Не выбрано", 1, 0},
        {"Sb_Special_Dop_1_Up", 4, "Not selected", 0, "Не выбрано", 5, 0},
        {"Scroll_Special_Up", 1, "Doorman", 11, "Not selected", 0, 0},
        {"Sb_Special_Dop_1_Down", 1, "Doorman", 11, "Объемник в прихожей", 2, 2},
        {"Scroll_Special_Down", 2, "Pedestrian", 15, "Not selected", 0, 0},
    };
    const QString sensorHint = d.help.texts()[TextEntry::SensorChoiceHint];
    for (const Step& s : steps) {
        for (int i = 0; i < s.times; ++i)
            d.click(QLatin1String(s.control));
        EXPECT_EQ(d.text("Lbl_Special"), QLatin1String(s.label)) << s.label;
        EXPECT_EQ(d.entry("Img_Special"), s.picture) << s.label;
        EXPECT_EQ(d.text("Edit_Special_Dop_1"), u8(s.sensor)) << s.label;
        EXPECT_EQ(d.ghost->editedGhost().Special_Dop_1, s.sensorValue) << s.label;
        const QString wiring =
            s.boardInput ? QStringLiteral("\nboard input %1").arg(s.boardInput) : QString();
        EXPECT_EQ(d.hint("Panel_Special_Dop_1"), sensorHint + wiring) << s.label;
    }
    d.click("Scroll_Special_Down");
    EXPECT_EQ(d.text("Lbl_Special"), QStringLiteral("Postman"));
    EXPECT_EQ(d.hint("Img_Special"), u8("Звонит/стучит в дверь\n\rКак правило неожиданно"));
    for (int i = 0; i < 2; ++i)
        d.click("Scroll_Special_Up");
    EXPECT_EQ(d.text("Lbl_Special"), QStringLiteral("Not selected"));
    EXPECT_EQ(d.hint("Lbl_Special"), QString()) << "the pedestrian's description stayed";
    EXPECT_EQ(d.hint("Img_Special"), QString()) << "the pedestrian's description stayed";
    d.click("Scroll_Special_Up");
    EXPECT_EQ(d.hint("Img_Special"), d.help.texts()[122]) << "the doorman's description";
}

TEST(GhostDialog, TempersShowTickedForAnyValueButZero) {
    Dialog d(1);
    GhostSettings& g = d.table()[1];
    g.ON = true;
    g.Nrav_1 = 3;
    g.Nrav_2 = 0;
    g.Nrav_3 = 1;
    g.Nrav_4 = 0;
    d.open();
    const struct {
        const char* box;
        int image;
        const char* word;
    } shown[] = {{"1", 58, "Злой"}, {"2", 57, "Веселый"}, {"3", 58, "Шумный"}, {"4", 57, "Молчун"}};
    for (const auto& s : shown) {
        EXPECT_EQ(d.entry(QStringLiteral("Cb_Nrav_") + QLatin1String(s.box)), s.image);
        EXPECT_EQ(d.text(QStringLiteral("Lbl_Nrav_") + QLatin1String(s.box)), u8(s.word));
    }
    d.click("Cb_Nrav_1");
    EXPECT_EQ(d.ghost->editedGhost().Nrav_1, 0);
    EXPECT_EQ(d.text("Lbl_Nrav_1"), u8("Добрый"));
    d.click("Lbl_Nrav_4"); // the word label ticks too
    EXPECT_EQ(d.entry("Cb_Nrav_4"), 58);
    EXPECT_EQ(d.text("Lbl_Nrav_4"), u8("Болтун"));
    d.ghost->close();
    EXPECT_EQ(g.Nrav_1, 0);
    EXPECT_EQ(g.Nrav_4, 1);
}

TEST(GhostDialog, HoverImagesFollowThePointerStrictlyInsideAndTheLanguage) {
    struct Case {
        const char* control;
        QPoint at;
        int english;
        int russian;
    };
    const Case cases[] = {
        {"Btn_Yellow_4", {1, 1}, 20, 28},
        {"Btn_Yellow_4", {0, 5}, 4, 12},
        {"Btn_Yellow_4", {81, 41}, 20, 28},
        {"Btn_Yellow_4", {82, 5}, 4, 12},
        {"Sb_Close", {5, 5}, 7, 22},
        {"Sb_Close", {164, 5}, 6, 21},
        {"Scroll_Regime_Up", {5, 5}, 3, 3},
        {"Scroll_Special_Down", {5, 5}, 4, 4},
        {"Scroll_Special_Down", {5, 30}, 2, 2},
        {"Sb_Regime_Dop_1a_Up", {5, 5}, 9, 9},
        {"Sb_Special_Dop_1_Down", {5, 5}, 11, 11},
        {"Sb_Special_Dop_1_Down", {5, 10}, 10, 10},
    };
    for (int language : {0, 1}) {
        Dialog d(language);
        d.table()[1].ON = true;
        d.table()[1].Regime = 4;
        d.open();
        for (const Case& c : cases) {
            d.pointAt(QLatin1String(c.control), c.at);
            EXPECT_EQ(d.entry(QLatin1String(c.control)), language == 0 ? c.english : c.russian)
                << c.control << " at " << c.at.x() << "," << c.at.y();
        }
        d.pointAt("Sb_Close", {5, 5});
        QTest::mousePress(d.control("Sb_Close"), Qt::LeftButton);
        d.ghost->Timer_WorkTimer();
        EXPECT_EQ(d.entry("Sb_Close"), language == 0 ? 8 : 23);
    }
}

TEST(GhostDialog, ApplyLanguageWritesTheDialogsFixedTexts) {
    struct Case {
        int language;
        const char* on;
        const char* onHint;
        const char* name;
        const char* passport;
        const char* regime;
        const char* special;
    };
    const Case cases[] = {
        {0, ":", "", "Name of ghost", " Паспорт призрака ", " Ghost’s working time ",
         " Ghost’s hobbies "},
        {1, "Не использовать:",
         "Не использовать этого призрака, т.е. он не будет участвовать в аттракционе",
         "Имя призрака", " Паспорт призрака ", " Режим работы призрака ",
         " Специальность призрака "},
    };
    Dialog d;
    for (const Case& c : cases) {
        d.setLanguage(c.language);
        EXPECT_EQ(d.text("Lbl_Ghost_ON"), u8(c.on));
        EXPECT_EQ(d.hint("Lbl_Ghost_ON"), u8(c.onHint));
        EXPECT_EQ(d.text("Lbl_Ghost_Name"), u8(c.name) + QLatin1Char(':'));
        EXPECT_EQ(d.hint("Edit_Ghost_Name"), u8(c.name));
        EXPECT_EQ(d.hint("Lbl_Ghost_Num"), d.hint("Edit_Ghost_Num") + QLatin1Char(':'));
        EXPECT_EQ(d.control<QGroupBox>("GB_1")->title(), u8(c.passport));
        EXPECT_EQ(d.control<QGroupBox>("GB_Regime")->title(), u8(c.regime));
        EXPECT_EQ(d.control<QGroupBox>("GB_Special")->title(), u8(c.special));
        EXPECT_EQ(d.hint("Scroll_Regime_Fon"), u8("Выбор режима работы Призрака"));
        EXPECT_EQ(d.hint("Panel_Special_Dop_1"),
                  u8("Выбор датчика на который будет реагировать этот Призрак"));
    }
}

QStringList labelNames(const QWidget* window) {
    QStringList names;
    for (const QLabel* label : window->findChildren<QLabel*>())
        names << label->objectName();
    return names;
}

TEST(GhostDialog, NothingTheProgramDoesWhileItIsClosedBuildsItsControls) {
    Dialog d(0, Controls::AsAtStartUp);
    const QStringList frameOnly = {QStringLiteral("Sb_Close")};
    EXPECT_FALSE(d.ghost->controlsBuilt());
    EXPECT_EQ(labelNames(d.ghost.get()), frameOnly);
    EXPECT_TRUE(d.ghost->findChildren<QGroupBox*>().isEmpty());

    // What the main window's show sequence, the language, the pointer poll and the attraction
    // do to the dialog while nobody opens it.
    d.ghost->hide();
    d.setLanguage(1);
    d.ghost->selectFirstGhost();
    d.ghost->Timer_WorkTimer();
    d.table()[2].ON = true;
    d.table()[2].Special = 1;
    d.table()[2].Special_Dop_1 = 1;
    d.fakes.random.script(std::deque<int>(16, 0));
    d.ghosts->GhostAct({});
    d.state.AttractionRunning = true;
    d.ghosts->SensorAct(1, 1);
    EXPECT_EQ(d.ghosts->currentAct().GhostNumber, 2) << "the ghosts act unopened";
    d.ghost->CommitEditedGhost();
    EXPECT_FALSE(d.ghost->controlsBuilt());
    EXPECT_EQ(labelNames(d.ghost.get()), frameOnly);
    EXPECT_TRUE(d.ghost->findChildren<QLineEdit*>(QStringLiteral("Edit_Ghost_Name")).isEmpty());
}

TEST(GhostDialog, WhatChangedBeforeTheFirstOpeningShowsWhenItOpens) {
    struct Case {
        int language;
        const char* onCaption;
        const char* regimeGroup;
        const char* regimeLabel;
        int firstTab;
    };
    const Case cases[] = {
        {0, ":", " Ghost’s working time ", "Only the night", 17},
        {1, "Не использовать:", " Режим работы призрака ", "Только ночью", 25},
    };
    for (const Case& c : cases) {
        // Made in the other language, then switched as the show sequence does, then edited by
        // the main window's quick panels.
        Dialog d(1 - c.language, Controls::AsAtStartUp);
        d.setLanguage(c.language);
        d.ghost->selectFirstGhost();
        GhostSettings& first = d.table()[1];
        first.Name = QStringLiteral("Casper");
        first.ON = true;
        first.Regime = 2;
        first.Nrav_2 = 0;
        d.open();
        ASSERT_TRUE(d.ghost->controlsBuilt());
        EXPECT_EQ(d.title(), d.help.texts()[39] + QStringLiteral("Casper")) << c.language;
        EXPECT_EQ(d.text("Edit_Ghost_Name"), QStringLiteral("Casper"));
        EXPECT_EQ(d.text("Edit_Ghost_Num"), QStringLiteral("1"));
        EXPECT_EQ(d.text("Lbl_Ghost_ON"), u8(c.onCaption)) << c.language;
        EXPECT_EQ(d.control<QGroupBox>("GB_Regime")->title(), u8(c.regimeGroup)) << c.language;
        EXPECT_EQ(d.text("Lbl_Regime"), u8(c.regimeLabel)) << c.language;
        EXPECT_EQ(d.text("Edit_Regime_Dop_1"), QStringLiteral("20"));
        EXPECT_EQ(d.entry("Cb_Nrav_2"), 57) << "cleared";
        EXPECT_TRUE(d.shown("GB_Regime"));
        EXPECT_EQ(d.entry("Btn_Yellow_1"), c.firstTab) << c.language;
        EXPECT_EQ(d.entry("Scroll_Regime_Up"), 1);
        for (const char* picture :
             {"Img_Yellow_Fon1", "Img_Fon", "Img_0", "Img_1", "Scroll_Regime_Fon", "Img_Regime"})
            EXPECT_FALSE(d.control<QLabel>(QLatin1String(picture))->pixmap().isNull()) << picture;
        EXPECT_EQ(d.ghost->findChildren<QLabel*>(QStringLiteral("Sb_Close")).size(), 1);

        d.click("Sb_Ghost_ON");
        d.click("Sb_Close");
        EXPECT_FALSE(d.table()[1].ON) << "the built controls edit the table";
    }
}

TEST(GhostDialog, NeverOpenedItSavesTheTableAsItWasLoadedOrEdited) {
    Dialog d(0, Controls::AsAtStartUp);
    GhostTable edited;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        edited[n].Name = QStringLiteral("Spook %1").arg(n);
        edited[n].ON = n % 2 == 0;
        edited[n].Nrav_1 = n % 3 == 0 ? 0 : 1;
        edited[n].Regime = n % 6;
        edited[n].Special = (n + 2) % 6;
        edited[n].Regime_Dop_1 = n;
        edited[n].Regime_Dop_1a = 24 - n;
        edited[n].Special_Dop_1 = n % 3;
    }
    d.table() = edited;
    d.setLanguage(1);
    d.end();

    // Made again from what was saved and destroyed again unopened: nothing lost, nothing reset.
    d.temp.reopen();
    d.start();
    EXPECT_EQ(d.table(), edited);
    d.ghost->applyLanguageTexts(d.help.texts());
    d.ghost->selectFirstGhost();
    EXPECT_FALSE(d.ghost->controlsBuilt());
    d.end();

    GhostTable saved;
    GhostTableStore(&d.temp.reopen(), nullptr).load(saved);
    EXPECT_EQ(saved, edited);
    EXPECT_TRUE(d.messages.errors.isEmpty());
}

} // namespace
