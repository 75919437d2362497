// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ProgramState.h"
#include "home/TfmHomeAutomation.h"
#include "support/FakeHomeLink.h"
#include "support/FakePlatform.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/IndicatorLamp.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

struct Window {
    FakePlatform fakes;
    ProgramState state;
    FakeHomeLink link;
    ImageList yellow{QStringLiteral("BitmapList_Yellow")};
    TfmHomeAutomation dialog{state, fakes.services(), yellow, link,
                             [](QWidget*, const QString&, const QString&) {
                                 return QStringLiteral("/nonexistent/ca.pem");
                             }};

    template <typename T>
    T* control(const char* name) {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void type(const char* field, const char* text) {
        control<QLineEdit>(field)->setText(QString::fromUtf8(text));
        emit control<QLineEdit>(field)->editingFinished();
    }
    QString note() { return control<QLabel>("Lbl_Note")->text(); }
};

// Each step runs on the window the steps before it left.
TEST(TfmHomeAutomation, AppliesLeftFieldsAndShowsTheLink) {
    const struct {
        const char* what;
        std::function<void(Window&)> act;
        std::function<bool(Window&)> shown;
    } steps[] = {
        {"host applied when left", [](Window& w) { w.type("Edit_Host", "broker.lan"); },
         [](Window& w) {
             return w.link.applied.size() == 1 && w.link.stored.host == "broker.lan";
         }},
        {"bad port kept, not applied", [](Window& w) { w.type("Edit_Port", "x"); },
         [](Window& w) {
             return w.link.applied.size() == 1 && w.note().contains("'x' is not a valid port") &&
                    w.control<QLineEdit>("Edit_Port")->text() == "x";
         }},
        {"file picked", [](Window& w) { w.control<QPushButton>("Sb_CaFile")->click(); },
         [](Window& w) {
             return w.link.stored.caFile == "/nonexistent/ca.pem";
         }},
        {"TLS refused, box back", [](Window& w) { w.control<QCheckBox>("Cb_Tls")->click(); },
         [](Window& w) {
             return !w.link.stored.tls && !w.control<QCheckBox>("Cb_Tls")->isChecked() &&
                    w.note().contains("cannot be read");
         }},
        {"node id sets the base default", [](Window& w) { w.type("Edit_NodeId", "attic"); },
         [](Window& w) {
             return w.control<QLineEdit>("Edit_BaseTopic")->placeholderText() == "gloamery/attic";
         }},
        {"lamp lit",
         [](Window& w) {
             w.link.enter({MqttLinkState::Phase::Connected, {}, 0});
         },
         [](Window& w) {
             return w.control<IndicatorLamp>("Indicator_Link")->fill() ==
                        TfmHomeAutomation::LampLit &&
                    w.control<QLabel>("Lbl_State")->text() == "Connected to broker.lan:1883";
         }},
        {"test runs", [](Window& w) { w.control<QPushButton>("Sb_Test")->click(); },
         [](Window& w) {
             return w.link.tried.size() == 0 && w.note().contains("'x' is not a valid port");
         }},
        {"Russian on the next opening",
         [](Window& w) {
             w.dialog.hide();
             w.state.InterfaceLanguage = Language::Russian;
             w.dialog.show();
         },
         [](Window& w) {
             return w.dialog.windowTitle() == QStringLiteral("Умный дом") &&
                    w.control<QPushButton>("Sb_Test")->text() == QStringLiteral("Проверить") &&
                    w.control<QLineEdit>("Edit_Port")->text() == "1883";
         }},
    };
    Window w;
    w.dialog.show();
    for (const auto& step : steps) {
        step.act(w);
        EXPECT_TRUE(step.shown(w)) << step.what << "; note: " << w.note().toStdString();
    }
}

} // namespace
