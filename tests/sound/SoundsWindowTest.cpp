// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkshopFixture.h"
#include "core/ProgramState.h"
#include "sound/SoundStage.h"
#include "sound/TfmSounds.h"
#include "support/FakePlatform.h"
#include "support/WindowSteps.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageList.h"

#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using namespace workshoptest;

struct Window : Workshop {
    FakePlatform fakes;
    ProgramState state;
    SoundStage stage{PlatformServices{}, workshop.places()};
    ImageList yellow{QStringLiteral("BitmapList_Yellow")};
    bool answer = false;
    QStringList asked;
    TfmSounds dialog{state,
                     fakes.services(),
                     yellow,
                     workshop,
                     stage,
                     {},
                     [this](QWidget*, const QString& text) {
                         asked << text;
                         return answer;
                     }};

    template <typename T>
    T* control(const char* name) {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTableWidget* grid() { return control<QTableWidget>("Grid_Sounds"); }
    QString library(int row) { return control<QListWidget>("List_Libraries")->item(row)->text(); }
    bool enabled(const char* button) { return control<QPushButton>(button)->isEnabled(); }
    void drop(const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        // A drop comes only after the window took the drag in.
        QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &enter);
        QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &drop);
    }
    void open() {
        QSignalSpy read(&workshop, &SoundLibraryWorkshop::libraryRead);
        dialog.show();
        while (read.size() < SoundLibraryWorkshop::libraryCount)
            if (!read.wait(30000))
                return;
    }
};

constexpr int PostmanShort = 9;

// Each step runs on the window the steps before it left.
TEST(TfmSounds, ShowsTheLibrariesAndChangesTheChosenOne) {
    Window window;
    walkThrough<Window>(
        window,
        {
            {"opens on the first library, shipped", [](Window& w) { w.open(); },
             [](Window& w) {
                 return w.grid()->rowCount() == 10 && w.library(0).endsWith("(shipped)") &&
                        !w.enabled("Sb_Back") && !w.enabled("Sb_Play") &&
                        w.control<GradientTitle>("Lbl_Title")->text() == "Sounds:";
             }},
            {"a dropped recording goes to the chosen library",
             [](Window& w) {
                 w.control<QListWidget>("List_Libraries")->setCurrentRow(PostmanShort);
                 w.drop({w.recording("knock.wav")});
                 w.waitForWork();
             },
             [](Window& w) {
                 return w.grid()->rowCount() == 11 && w.grid()->item(10, 1)->text() == "knock" &&
                        w.library(PostmanShort) == "Postman, short sounds (own)" &&
                        w.enabled("Sb_Back") &&
                        w.control<QLabel>("Lbl_Note")->text() ==
                            "Sounds added to Postman, short sounds: 1";
             }},
            {"a chosen sound's description is in the field",
             [](Window& w) { w.grid()->selectRow(10); },
             [](Window& w) {
                 return w.control<QLineEdit>("Edit_Description")->text() == "knock" &&
                        w.enabled("Sb_Play") && w.enabled("Sb_Remove");
             }},
            {"a description the library cannot store is refused",
             [](Window& w) {
                 w.control<QLineEdit>("Edit_Description")->setText(QStringLiteral("ノック"));
                 w.control<QPushButton>("Sb_Apply")->click();
             },
             [](Window& w) {
                 return w.control<QLabel>("Lbl_Note")->text().contains("cannot store") &&
                        !w.workshop.busy();
             }},
            {"back to the shipped sounds, not confirmed",
             [](Window& w) { w.control<QPushButton>("Sb_Back")->click(); },
             [](Window& w) {
                 return w.asked.size() == 1 && w.asked[0].contains("Postman, short sounds") &&
                        QFile::exists(w.own(PostmanShort)) && !w.workshop.busy();
             }},
            {"back to the shipped sounds, confirmed",
             [](Window& w) {
                 w.answer = true;
                 w.control<QPushButton>("Sb_Back")->click();
                 w.waitForWork();
             },
             [](Window& w) {
                 return !QFile::exists(w.own(PostmanShort)) && w.grid()->rowCount() == 10 &&
                        w.library(PostmanShort).endsWith("(shipped)") && !w.enabled("Sb_Back");
             }},
            {"the next opening follows the interface language",
             [](Window& w) {
                 w.dialog.hide();
                 w.state.InterfaceLanguage = Language::Russian;
                 w.language = Language::Russian;
                 w.open();
             },
             [](Window& w) {
                 return w.dialog.windowTitle() == "Звуки" &&
                        w.control<QPushButton>("Sb_Play")->text() == "Прослушать" &&
                        w.library(0) == "Не выбрано, длинные (поставляемые)";
             }},
        });
}

} // namespace
