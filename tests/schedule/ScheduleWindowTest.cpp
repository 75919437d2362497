// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramState.h"
#include "schedule/TfmSchedule.h"
#include "support/FakePlatform.h"
#include "support/WindowSteps.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

const ScheduleLocation Berlin{52.52, 13.4};

struct Window {
    FakePlatform fakes;
    ProgramState state;
    ImageList yellow{QStringLiteral("BitmapList_Yellow")};
    ScheduleSettings stored{true, QStringLiteral("fri sunset-15..22:00 final-sound"), Berlin};
    QList<ScheduleSettings> applied;
    TfmSchedule dialog{state,
                       fakes.services(),
                       yellow,
                       [this] { return stored; },
                       [this](const ScheduleSettings& settings) {
                           applied << settings;
                           return QString();
                       },
                       QTimeZone("Europe/Berlin")};

    template <typename T>
    T* control(const char* name) {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString row(const char* list, int index) {
        const QListWidgetItem* item = control<QListWidget>(list)->item(index);
        return item ? item->text() : QString();
    }
    QString text(const char* label) { return control<QLabel>(label)->text(); }
    void type(const char* edit, const char* text) {
        auto* field = control<QLineEdit>(edit);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
};

// Each step runs on the window the steps before it left.
TEST(TfmSchedule, EditsTheEveningsAndHandsThemOver) {
    Window window;
    walkThrough<Window>(
        window,
        {
            {"opens on the settings in force", [](Window& w) { w.dialog.show(); },
             [](Window& w) {
                 const QString week = w.text("Text_Week");
                 return w.control<GradientTitle>("Lbl_Title")->text() == "Schedule:" &&
                        w.control<QCheckBox>("Cb_Enabled")->isChecked() &&
                        w.control<QListWidget>("List_Plans")->currentRow() == 0 &&
                        w.control<QComboBox>("Combo_Start")->currentIndex() == 1 &&
                        w.control<QSpinBox>("Spin_StartOffset")->value() == -15 &&
                        w.control<QTimeEdit>("Time_Start")->isHidden() &&
                        w.control<QCheckBox>("Cb_FinalSound")->isChecked() &&
                        w.control<QCheckBox>("Cb_Day5")->isChecked() &&
                        !w.control<QCheckBox>("Cb_Day4")->isChecked() &&
                        w.control<QComboBox>("Combo_City")->currentText() == "Berlin" &&
                        week.startsWith("Fri 11 Dec 15:") && week.endsWith("–22:00");
             }},
            {"a new evening on a stretch of dates, ending after a duration",
             [](Window& w) {
                 w.control<QPushButton>("Sb_AddPlan")->click();
                 w.control<QRadioButton>("Rb_Dates")->setChecked(true);
                 w.control<QDateEdit>("Date_From")->setDate(QDate(2024, 10, 24));
                 w.control<QDateEdit>("Date_To")->setDate(QDate(2024, 10, 31));
                 w.control<QComboBox>("Combo_Start")->setCurrentIndex(2);
                 w.control<QComboBox>("Combo_End")->setCurrentIndex(2);
                 w.control<QCheckBox>("Cb_OpenDoor")->setChecked(true);
             },
             [](Window& w) {
                 return w.dialog.form().text() == "fri sunset-15..22:00 final-sound; 10-24..10-31 "
                                                  "dusk..+120 open-door" &&
                        w.row("List_Plans", 1) == "24 Oct–31 Oct: dusk..120 min, open the door" &&
                        !w.control<QCheckBox>("Cb_Day1")->isEnabled() &&
                        w.control<QDateEdit>("Date_From")->isEnabled() &&
                        w.control<QSpinBox>("Spin_EndMinutes")->value() == 120 &&
                        w.control<QTimeEdit>("Time_End")->isHidden();
             }},
            {"quiet hours added and set",
             [](Window& w) {
                 w.control<QPushButton>("Sb_AddQuiet")->click();
                 w.control<QTimeEdit>("Time_QuietFrom")->setTime(QTime(12, 30));
                 w.control<QTimeEdit>("Time_QuietTo")->setTime(QTime(13, 30));
             },
             [](Window& w) {
                 return w.row("List_Quiet", 0) == "12:30–13:30" &&
                        w.dialog.form().text().endsWith("; quiet 12:30..13:30");
             }},
            {"a latitude that is no number holds OK back",
             [](Window& w) { w.type("Edit_Latitude", "north"); },
             [](Window& w) {
                 return w.text("Lbl_Note") == "\"north\" is not a number of degrees" &&
                        !w.control<QPushButton>("Sb_Ok")->isEnabled() &&
                        w.control<QComboBox>("Combo_City")->currentText() == "Other place";
             }},
            {"a city chosen puts its coordinates in",
             [](Window& w) { emit w.control<QComboBox>("Combo_City")->activated(6); },
             [](Window& w) {
                 return w.control<QLineEdit>("Edit_Latitude")->text() == "52.52" &&
                        w.text("Lbl_Note").isEmpty() &&
                        w.control<QPushButton>("Sb_Ok")->isEnabled();
             }},
            {"Enter in a field neither adds an evening nor closes the window",
             [](Window& w) {
                 QTest::keyClick(w.control<QLineEdit>("Edit_Latitude"), Qt::Key_Return);
             },
             [](Window& w) {
                 return w.control<QListWidget>("List_Plans")->count() == 2 &&
                        w.dialog.isVisible() && w.applied.isEmpty();
             }},
            {"Apply hands them over; looking at another evening is no edit of it",
             [](Window& w) {
                 w.control<QPushButton>("Sb_Apply")->click();
                 w.control<QListWidget>("List_Plans")->setCurrentRow(0);
             },
             [](Window& w) {
                 return w.applied.size() == 1 && w.text("Lbl_Note") == "Schedule applied" &&
                        w.control<QComboBox>("Combo_Start")->currentIndex() == 1 &&
                        w.control<QRadioButton>("Rb_Weekdays")->isChecked();
             }},
            {"OK hands the settings over and closes",
             [](Window& w) {
                 w.control<QCheckBox>("Cb_Enabled")->click();
                 w.control<QPushButton>("Sb_Ok")->click();
             },
             [](Window& w) {
                 return w.applied.size() == 2 &&
                        w.applied[1] == ScheduleSettings{false, w.dialog.form().text(), Berlin} &&
                        !w.dialog.isVisible();
             }},
            {"the next opening shows them in the interface language",
             [](Window& w) {
                 w.stored = w.applied.value(1);
                 w.state.InterfaceLanguage = Language::Russian;
                 w.dialog.show();
             },
             [](Window& w) {
                 return w.dialog.windowTitle() == "Расписание" &&
                        w.control<QCheckBox>("Cb_Enabled")->text() == "Следовать расписанию" &&
                        !w.control<QCheckBox>("Cb_Enabled")->isChecked() &&
                        w.row("List_Plans", 0) == "пт: закат−15..22:00, финальный звук" &&
                        w.control<QListWidget>("List_Plans")->count() == 2 &&
                        w.control<QComboBox>("Combo_City")->currentText() == "Берлин";
             }},
        });
}

} // namespace
