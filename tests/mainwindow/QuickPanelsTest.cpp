// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "mainwindow/GhostQuickPanels.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <limits>

namespace {

QString text(MainWindowFixture& f, int ghost, const char* row) {
    return f.label(QStringLiteral("Lbl_Ghost_%1_%2_Nastr").arg(ghost).arg(QLatin1String(row)))
        ->text();
}

void click(MainWindowFixture& f, int ghost, const char* row, const char* direction) {
    QLabel* arrow = f.label(QStringLiteral("Lbl_Ghost_%1_%2_%3")
                                .arg(ghost)
                                .arg(QLatin1String(row), QLatin1String(direction)));
    QTest::mouseClick(arrow, Qt::LeftButton, {}, QPoint(4, 4));
}

TEST(QuickPanels, RefreshersWrapAtTheEndsWithoutModulo) {
    struct Case {
        int ghost;
        qint32 GhostSettings::*field;
        qint32 stored;
        qint32 wrapped;
    };
    const Case cases[] = {
        {1, &GhostSettings::Special, 9, 0}, {1, &GhostSettings::Special, -3, 5},
        {2, &GhostSettings::Regime, 6, 0},  {3, &GhostSettings::Regime, -1, 5},
        {1, &GhostSettings::Nrav_1, 4, 4},  {5, &GhostSettings::Nrav_1, 4, 0},
        {6, &GhostSettings::Nrav_1, -1, 1}, {4, &GhostSettings::Nrav_3, -1, 1},
        {7, &GhostSettings::Nrav_3, 2, 0},  {8, &GhostSettings::Special, 5, 5},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.table[c.ghost].*c.field = c.stored;
        f.main.RefreshQuickPanels();
        EXPECT_EQ(f.table[c.ghost].*c.field, c.wrapped) << c.ghost << " " << c.stored;
    }
}

TEST(QuickPanels, ArrowsStepAnyStoredValueWithoutOverflowAndWrapIt) {
    constexpr qint32 Max = std::numeric_limits<qint32>::max();
    constexpr qint32 Min = std::numeric_limits<qint32>::min();
    struct Case {
        int ghost;
        const char* row;
        qint32 GhostSettings::*field;
        qint32 stored;
        const char* arrow;
        qint32 expected;
    };
    const Case cases[] = {
        {1, "Special", &GhostSettings::Special, Max, "Up", 0},
        {1, "Special", &GhostSettings::Special, Min, "Down", 5},
        {2, "Regime", &GhostSettings::Regime, Max, "Up", 0},
        {2, "Regime", &GhostSettings::Regime, Min, "Down", 5},
        {3, "Nrav", &GhostSettings::Nrav_1, Max, "Up", 0},
        {3, "Nrav", &GhostSettings::Nrav_1, Min, "Down", 5},
        {4, "Volume", &GhostSettings::Nrav_3, Max, "Up", 0},
        {4, "Volume", &GhostSettings::Nrav_3, Min, "Down", 1},
        {4, "Volume", &GhostSettings::Nrav_3, -1, "Up", 0},
        {1, "Regime", &GhostSettings::Regime, 100000000, "Down", 0},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        // As left by an edited store, before any refresher has wrapped it.
        f.table[c.ghost].*c.field = c.stored;
        click(f, c.ghost, c.row, c.arrow);
        EXPECT_EQ(f.table[c.ghost].*c.field, c.expected)
            << c.ghost << " " << c.row << " " << c.stored << " " << c.arrow;
    }
}

TEST(QuickPanels, CaptionsFollowTheValuesAndTheGhostsPlainerPanels) {
    MainWindowFixture f;
    f.table[1].Nrav_1 = 4;
    f.table[4].Nrav_3 = -1;
    f.table[6].Special = 3;
    f.table[2].Special = 3;
    f.main.RefreshQuickPanels();
    EXPECT_EQ(text(f, 1, "Nrav"), QStringLiteral("Taciturn"));
    EXPECT_EQ(text(f, 4, "Volume"), QStringLiteral("Loud"));
    EXPECT_EQ(text(f, 2, "Special"), QStringLiteral("Plumber"));
    EXPECT_EQ(text(f, 6, "Special"), QStringLiteral("Водопров."));
    EXPECT_EQ(text(f, 3, "Regime"), QStringLiteral("Never"));
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Ghost_2_Name_2"))->text(), QStringLiteral("Ghost 2"));
}

TEST(QuickPanels, TheRegimeSwitchesTheGhostOnOrOff) {
    MainWindowFixture f;
    f.table[3].ON = false;
    f.table[3].Regime = 2;
    f.table[5].ON = true;
    f.table[5].Regime = 9;
    f.main.RefreshQuickPanels();
    EXPECT_TRUE(f.table[3].ON) << "on at the next show";
    EXPECT_FALSE(f.table[5].ON);
    EXPECT_EQ(f.table[5].Regime, 0);

    f.table[1].Regime = 1;
    f.main.RefreshQuickPanels();
    click(f, 1, "Regime", "Down");
    EXPECT_EQ(f.table[1].Regime, 0);
    EXPECT_FALSE(f.table[1].ON);
    click(f, 1, "Regime", "Up");
    EXPECT_TRUE(f.table[1].ON);
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Ghost_1_Regime_Nastr"))->toolTip(),
              QStringLiteral("Ghost\u2019s working time:\n\rThe ghost appears at any time"));
}

TEST(QuickPanels, SteppingTheSpecialtyChangesCaptionAndPicture) {
    MainWindowFixture f;
    f.table[2].Special = 5;
    f.main.RefreshQuickPanels();
    click(f, 2, "Special", "Up");
    EXPECT_EQ(f.table[2].Special, 0);
    EXPECT_EQ(text(f, 2, "Special"), QStringLiteral("Occasionally"));
    const QImage shown = f.label(QStringLiteral("Img_Ghost_2"))->pixmap().toImage();
    EXPECT_EQ(shown,
              f.main.imageLists().BitmapList_Ghost.image(10).convertToFormat(shown.format()));
    click(f, 2, "Special", "Down");
    EXPECT_EQ(f.table[2].Special, 5);
    const QImage walking = f.label(QStringLiteral("Img_Ghost_2"))->pixmap().toImage();
    EXPECT_EQ(walking,
              f.main.imageLists().BitmapList_Ghost.image(15).convertToFormat(walking.format()));
}

TEST(QuickPanels, ADoubleClickOnAnArrowStepsOnce) {
    MainWindowFixture f;
    QLabel* up = f.label(QStringLiteral("Lbl_Ghost_1_Nrav_Up"));
    const auto send = [up](QEvent::Type type) {
        QMouseEvent event(type, QPointF(4, 4), up->mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(up, &event);
    };
    const qint32 before = f.table[1].Nrav_1;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        send(type);
    EXPECT_EQ(f.table[1].Nrav_1, before + 1);
}

TEST(QuickPanels, TestLabelsPlayTheirFixedSounds) {
    struct Case {
        int ghost;
        qint32 special;
        qint32 number;
        qint32 effect;
    };
    const Case cases[] = {{1, 5, 0, 3}, {2, 3, 5, 4}, {3, 5, 0, 3}, {4, 3, 5, 4}};
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.act.SoundKind = 1;
        f.table[c.ghost].ON = false; // plays whatever the ghost's settings
        QTest::mouseClick(f.label(QStringLiteral("Lbl_Test_Ghost_%1").arg(c.ghost)), Qt::LeftButton,
                          {}, QPoint(4, 4));
        EXPECT_EQ(f.act.Special, c.special) << c.ghost;
        EXPECT_EQ(f.act.SoundKind, 0);
        EXPECT_EQ(f.act.SoundNumber, c.number);
        EXPECT_EQ(f.act.StereoEffect, c.effect);
        EXPECT_EQ(f.sound.played, (std::vector<SoundChoice>{
                                      {c.special, 0, c.number, c.effect, SoundAmplitude::Full}}));
    }
}

QImage ghostPicture(MainWindowFixture& f, int ghost) {
    return f.label(QStringLiteral("Img_Ghost_%1").arg(ghost))->pixmap().toImage();
}

QImage listPicture(MainWindowFixture& f, int entry, const QImage& like) {
    return f.main.imageLists().BitmapList_Ghost.image(entry).convertToFormat(like.format());
}

TEST(QuickPanels, TheGhostsTheDialogChangedShowWhenItCloses) {
    MainWindowFixture f;
    f.table[2].ON = true;
    f.table[2].Regime = 1;
    f.main.RefreshQuickPanels();
    // Changed behind the panels before the dialog: not the dialog's doing, left as shown.
    f.table[1].Special = 4;
    QDialog dialog;
    TfmMain::Dialogs dialogs;
    dialogs.ghost = &dialog;
    f.main.setDialogs(dialogs);
    QTimer::singleShot(0, &dialog, [&] {
        f.table[2].Special = 3;
        f.table[2].Regime = 0; // the dialog keeps its own on/off switch
        f.table[2].Nrav_1 = 1;
        f.table[4].Nrav_3 = 0;
        f.table[4].ON = false;
        f.table[4].Regime = 2;
        dialog.close();
    });
    f.main.OpenDialog(MainWindowCommands::Dialog::Ghost);

    EXPECT_EQ(text(f, 2, "Special"), QStringLiteral("Plumber"));
    EXPECT_EQ(text(f, 2, "Regime"), QStringLiteral("Never"));
    EXPECT_EQ(text(f, 2, "Nrav"), QStringLiteral("Evil"));
    EXPECT_EQ(text(f, 4, "Volume"), QStringLiteral("Low voice"));
    EXPECT_EQ(text(f, 4, "Regime"), QStringLiteral("Night"));
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Ghost_4_Regime_Nastr"))->toolTip(),
              QStringLiteral("Ghost’s working time:\n\rThe ghost appears only at night"));
    const QImage second = ghostPicture(f, 2);
    EXPECT_EQ(second, listPicture(f, 13, second));
    EXPECT_TRUE(f.table[2].ON) << "on as the dialog left it, though its regime is Never";
    EXPECT_FALSE(f.table[4].ON);
    EXPECT_EQ(text(f, 1, "Special"), QStringLiteral("Occasionally"));
    const QImage first = ghostPicture(f, 1);
    EXPECT_EQ(first, listPicture(f, 0, first));

    // The next arrow steps from the value on show.
    click(f, 2, "Special", "Up");
    EXPECT_EQ(text(f, 2, "Special"), QStringLiteral("Postman"));
}

TEST(QuickPanels, EveryCaptionLeavesRoomBeforeTheArrows) {
    const struct {
        const char* row;
        qint32 GhostSettings::*field;
        int maximum;
    } rows[] = {{"Special", &GhostSettings::Special, 5},
                {"Regime", &GhostSettings::Regime, 5},
                {"Nrav", &GhostSettings::Nrav_1, 5},
                {"Volume", &GhostSettings::Nrav_3, 1}};
    for (int language : {0, 1}) {
        MainWindowFixture f;
        f.state.InterfaceLanguage = static_cast<Language>(language);
        f.help.ApplyLanguage();
        for (const auto& row : rows) {
            for (int value = 0; value <= row.maximum; ++value) {
                for (int ghost = 1; ghost <= 4; ++ghost)
                    f.table[ghost].*row.field = value;
                f.main.RefreshQuickPanels();
                for (int ghost = 1; ghost <= 4; ++ghost) {
                    const QLabel* label =
                        f.label(QStringLiteral("Lbl_Ghost_%1_%2_Nastr").arg(ghost).arg(row.row));
                    SCOPED_TRACE(label->text().toStdString());
                    ASSERT_FALSE(label->text().isEmpty());
                    // Centred, so the same room before "<" and after ">".
                    const int room = label->width() -
                                     QFontMetrics(label->font()).horizontalAdvance(label->text());
                    EXPECT_GE(room, 2 * 6);
                    EXPECT_GE(label->font().pixelSize(), 9) << "still readable";
                }
            }
        }
    }
}

TEST(QuickPanels, HintsShowEachLineFeedCarriageReturnAsOneLineBreak) {
    MainWindowFixture f;
    f.table[1].Regime = 2;
    f.main.RefreshQuickPanels();
    f.pointAt(60, 170);
    const struct {
        const char* label;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Lbl_Ghost_1_Regime_Nastr", "Ghost’s working time:\n\rThe ghost appears only at night",
         "Ghost’s working time:\nThe ghost appears only at night"},
        {"Lbl_Ghost_1_Special_Nastr", "Ghost’s hobbies", "Ghost’s hobbies"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QLabel* label = f.label(QLatin1String(c.label));
        ASSERT_TRUE(label->isVisible());
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(label, &event);
        EXPECT_EQ(QToolTip::text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(label->toolTip(), QString::fromUtf8(c.stored)) << "the text keeps its LF CR";
        QToolTip::hideText();
    }
}

TEST(QuickPanels, ALanguageSwitchKeepsValueCaptionsUntilTheNextRefresh) {
    MainWindowFixture f;
    f.table[1].Regime = 3;
    f.main.RefreshQuickPanels();
    f.state.InterfaceLanguage = Language::Russian;
    f.help.ApplyLanguage();
    EXPECT_EQ(text(f, 1, "Regime"), QStringLiteral("Daytime"));
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Ghost_1_Regime_Nastr"))->toolTip(),
              QStringLiteral("Режим работы призрака"));
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Ghost_1_Name_2"))->text(), QStringLiteral("Призрак 1"));
    EXPECT_EQ(f.label(QStringLiteral("Lbl_Test_Ghost_3"))->text(), QStringLiteral("Тест"));
    f.main.RefreshQuickPanels();
    EXPECT_EQ(text(f, 1, "Regime"), QStringLiteral("Днем"));
}

} // namespace
