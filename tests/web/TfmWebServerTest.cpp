// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/TfmWebServer.h"

#include "FakeWebServerControl.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "language/TfmHelp.h"
#include "support/CloseButtonCases.h"
#include "support/FakePlatform.h"
#include "support/FakeProgramControl.h"
#include "support/PointerClick.h"
#include "support/TempStore.h"
#include "web/WebAccessService.h"
#include "widgetkit/SharedImageLists.h"
#include "widgetkit/SkinParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

const QStringList UserFields = {"Lbl_User_Login", "Lbl_User_Pass",   "Lbl_User_URL",
                                "Edit_User_URL",  "Edit_User_Login", "Edit_User_Pass"};
const QStringList AdminFields = {"Lbl_Admin_Login", "Lbl_Admin_Pass",   "Lbl_Admin_URL",
                                 "Edit_Admin_URL",  "Edit_Admin_Login", "Edit_Admin_Pass"};
const QStringList ServerFields = {"Edit_Port",      "Edit_Page",        "Edit_User_Login",
                                  "Edit_User_Pass", "Edit_Admin_Login", "Edit_Admin_Pass"};

QStringList addressesUpTo(int count) {
    QStringList addresses;
    for (int n = 1; n <= count; ++n)
        addresses.append(QStringLiteral("10.0.0.%1").arg(n));
    return addresses;
}

// Whether a test looks at the controls at once, or at what the window holds before its first
// opening.
enum class Controls { Built, NotYetBuilt };

// One run of the program as the window sees it: a real store file, a main window to open
// beside, the pointer placed by the test, a server that records what it was asked.
struct WebWindow {
    TempStore temp;
    FakePlatform fakes;
    const SharedImageLists images;
    ProgramState state;
    QWidget mainWindow;
    FakeProgramControl program;
    FakeWebServerControl* server = nullptr; // the service's
    QStringList hostAddresses = {QStringLiteral("192.168.1.20")};
    int listings = 0;       // how often the window asked for the computer's addresses
    std::vector<bool> lamp; // each colouring of the main window's web lamp: running or not
    std::unique_ptr<TfmHelp> help;
    std::unique_ptr<WebAccessService> service;
    std::unique_ptr<TfmWebServer> window;
    Controls controls;

    explicit WebWindow(const std::function<void(SettingsKey&)>& stored = {},
                       Language language = Language::English, Controls built = Controls::Built)
        : controls(built) {
        mainWindow.setGeometry(240, 10, 800, 600);
        state.InterfaceLanguage = language;
        if (stored)
            stored(*temp.store().openKey(WebAccessStore::KeyPath, true));
        create();
    }
    // Starts on a store that holds `stored`.
    WebWindow(const WebAccessSettings& stored, Controls built)
        : controls(built) {
        mainWindow.setGeometry(240, 10, 800, 600);
        WebAccessStore(&temp.store()).save(stored);
        create();
    }
    void create() {
        auto recording = std::make_unique<FakeWebServerControl>();
        server = recording.get();
        service =
            std::make_unique<WebAccessService>(state, &temp.store(), program, std::move(recording));
        service->loadSettings();
        QObject::connect(service.get(), &WebAccessService::runningChanged,
                         [this](bool running) { lamp.push_back(running); });
        window = std::make_unique<TfmWebServer>(state, fakes.services(&temp.store()), images,
                                                *service, [this] {
                                                    ++listings;
                                                    return hostAddresses;
                                                });
        window->setMainWindow(&mainWindow);
        help = std::make_unique<TfmHelp>(state);
        help->addLanguageTarget(window.get());
        help->ApplyLanguage();
        if (controls == Controls::Built)
            window->ensureControls();
    }
    // Ends the run (the window saves) and starts the next one on the same file.
    void restart() {
        window.reset();
        service.reset();
        temp.reopen();
        create();
    }
    QStringList errors() const { return fakes.messages.errors; }

    template <typename T = QWidget>
    T* control(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* edit(const QString& name) const { return control<QLineEdit>(name); }
    QString text(const QString& name) const { return edit(name)->text(); }
    QCheckBox* box(const QString& name) const { return control<QCheckBox>(name); }
    QLabel* label(const QString& name) const { return control<QLabel>(name); }
    int entry(const QString& name) const { return SkinParts::shownEntry(label(name)); }

    void click(QWidget* target, bool doubleClick = false) {
        clickWithPointer(fakes.pointer, target, doubleClick);
    }
    void click(const QString& name, bool doubleClick = false) { click(control(name), doubleClick); }
    void pointAt(const QString& name, QPoint local = {5, 5}) {
        fakes.pointer.position = control(name)->mapToGlobal(local);
        window->Timer_WorkTimer();
    }

    // Everything that tells the user whether the server runs.
    void expectStopped(const std::string& why) const {
        EXPECT_FALSE(state.WebServerRunning) << why;
        EXPECT_TRUE(lamp.empty() || !lamp.back()) << why;
        EXPECT_EQ(label("Lbl_Web_Connect")->text(), QStringLiteral("Start")) << why;
        EXPECT_EQ(label("Sb_Web_Connect")->toolTip(), QStringLiteral("Run a Web Server")) << why;
        for (const QString& field : ServerFields)
            EXPECT_TRUE(edit(field)->isEnabled()) << field.toStdString() << ", " << why;
        EXPECT_FALSE(label("Sb_IP_Up")->isHidden()) << why;
        EXPECT_FALSE(label("Sb_IP_Down")->isHidden()) << why;
    }
    void expectRunning(const std::string& why) const {
        EXPECT_TRUE(state.WebServerRunning) << why;
        ASSERT_FALSE(lamp.empty()) << why;
        EXPECT_TRUE(lamp.back()) << why;
        EXPECT_EQ(label("Lbl_Web_Connect")->text(), QStringLiteral("Stop")) << why;
        EXPECT_EQ(label("Sb_Web_Connect")->toolTip(), QStringLiteral("Stop the Web Server")) << why;
        for (const QString& field : ServerFields)
            EXPECT_FALSE(edit(field)->isEnabled()) << field.toStdString() << ", " << why;
        EXPECT_TRUE(label("Sb_IP_Up")->isHidden()) << why;
        EXPECT_TRUE(label("Sb_IP_Down")->isHidden()) << why;
    }
};

TEST(TfmWebServer, WithoutAWebKeyTheWindowShowsTheDefaults) {
    WebWindow w;
    w.window->show();
    EXPECT_EQ(w.text("Edit_Port"), QStringLiteral("8012"));
    EXPECT_EQ(w.text("Edit_Page"), QStringLiteral("manage"));
    EXPECT_EQ(w.text("Edit_User_Login"), QStringLiteral("user"));
    EXPECT_EQ(w.text("Edit_Admin_Login"), QStringLiteral("admin"));
    EXPECT_EQ(w.text("Edit_User_Pass").size(), 1);
    EXPECT_EQ(w.text("Edit_Admin_Pass").size(), 1);
    EXPECT_NE(w.text("Edit_User_Pass"), w.text("Edit_Admin_Pass"));
    const QList<QCheckBox*> permissions = w.window->findChildren<QCheckBox*>(
        QRegularExpression(QStringLiteral("^Cb_Web_(User|Admin)_\\d\\d$")));
    EXPECT_EQ(permissions.size(), 18);
    for (const QCheckBox* permission : permissions)
        EXPECT_TRUE(permission->isChecked()) << permission->objectName().toStdString();
    EXPECT_FALSE(w.box("Cb_Web_Autoconnect")->isChecked());
    for (const QString& field : UserFields + AdminFields)
        EXPECT_FALSE(w.control(field)->isVisible()) << field.toStdString();
    EXPECT_EQ(w.entry("Cb_User"), 57);
    EXPECT_EQ(w.entry("Cb_Admin"), 57);
    EXPECT_EQ(w.text("Edit_IP"), QStringLiteral("192.168.1.20"));
    EXPECT_EQ(w.text("Edit_User_URL"), QStringLiteral("http://user:") + w.text("Edit_User_Pass") +
                                           QStringLiteral("@192.168.1.20:8012/manage"));
    EXPECT_EQ(w.text("Edit_Admin_URL"), QStringLiteral("http://admin:") +
                                            w.text("Edit_Admin_Pass") +
                                            QStringLiteral("@192.168.1.20:8012/manage"));
    EXPECT_FALSE(w.state.WebServerRunning);
    EXPECT_TRUE(w.server->starts.empty());
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmWebServer, EachEditRebuildsOnlyTheAddressesItIsPartOf) {
    struct Case {
        const char* field;
        const char* typed;
        const char* user;
        const char* admin;
    };
    const Case cases[] = {
        {"Edit_User_Login", "a:b@c", "http://a:b@c:1@10.0.0.1:8012/manage",
         "http://admin:2@10.0.0.1:8012/manage"},
        {"Edit_User_Pass", "p@ss:", "http://user:p@ss:@10.0.0.1:8012/manage",
         "http://admin:2@10.0.0.1:8012/manage"},
        {"Edit_Admin_Login", "b:oss", "http://user:1@10.0.0.1:8012/manage",
         "http://b:oss:2@10.0.0.1:8012/manage"},
        {"Edit_Admin_Pass", "", "http://user:1@10.0.0.1:8012/manage",
         "http://admin:@10.0.0.1:8012/manage"},
        {"Edit_Port", " 80", "http://user:1@10.0.0.1: 80/manage",
         "http://admin:2@10.0.0.1: 80/manage"},
        {"Edit_Page", "дом", "http://user:1@10.0.0.1:8012/дом", "http://admin:2@10.0.0.1:8012/дом"},
    };
    for (const Case& c : cases) {
        WebWindow w([](SettingsKey& key) {
            key.writeString(QStringLiteral("User_Pass"), QStringLiteral("1"));
            key.writeString(QStringLiteral("Admin_Pass"), QStringLiteral("2"));
        });
        w.hostAddresses = addressesUpTo(1);
        w.restart();
        w.window->show();
        QLineEdit* field = w.edit(QLatin1String(c.field));
        // Typed, key by key: the addresses follow every change.
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        // Key by key, Cyrillic too (QTest::keyClicks knows only ASCII).
        for (QChar typed : u8(c.typed)) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(field, &press);
        }
        EXPECT_EQ(field->text(), u8(c.typed)) << c.field;
        EXPECT_EQ(w.text("Edit_User_URL"), u8(c.user)) << c.field;
        EXPECT_EQ(w.text("Edit_Admin_URL"), u8(c.admin)) << c.field;
    }
}

TEST(TfmWebServer, TheIpArrowsFollowTheNumberOfAddresses) {
    struct Case {
        int addresses;
        const char* atStart;
        std::vector<const char*> afterEachClick; // alternating up and down arrow
    };
    const Case cases[] = {
        {0, "", {"", ""}},
        {1, "10.0.0.1", {"10.0.0.1", "10.0.0.1"}},
        {2, "10.0.0.2", {"10.0.0.1", "10.0.0.2", "10.0.0.1"}},
        {3, "10.0.0.3", {"10.0.0.3", "10.0.0.3"}},
        {4, "10.0.0.4", {"10.0.0.4", "10.0.0.4"}},
        {5, "", {"", ""}},
        {9, "", {"", ""}},
    };
    for (const Case& c : cases) {
        WebWindow w;
        w.hostAddresses = addressesUpTo(c.addresses);
        w.restart();
        w.window->show();
        EXPECT_EQ(w.window->addresses(), w.hostAddresses);
        EXPECT_EQ(w.control<QListWidget>("ListBox_IP")->count(), c.addresses);
        EXPECT_EQ(w.text("Edit_IP"), QLatin1String(c.atStart)) << c.addresses;
        bool up = true;
        for (const char* expected : c.afterEachClick) {
            w.click(up ? "Sb_IP_Up" : "Sb_IP_Down");
            up = !up;
            EXPECT_EQ(w.text("Edit_IP"), QLatin1String(expected)) << c.addresses;
            EXPECT_EQ(w.text("Edit_Admin_URL"),
                      QStringLiteral("http://admin:%1@%2:8012/manage")
                          .arg(w.text("Edit_Admin_Pass"), QLatin1String(expected)));
        }
    }
}

TEST(TfmWebServer, ADoubleClickOnAnArrowStepsOnce) {
    WebWindow w;
    w.hostAddresses = addressesUpTo(2);
    w.restart();
    w.window->show();
    w.click("Sb_IP_Up", true);
    EXPECT_EQ(w.text("Edit_IP"), QStringLiteral("10.0.0.1"));
}

TEST(TfmWebServer, ADoubleClickOnTheListPicksOneOfTheFirstFive) {
    WebWindow w;
    w.hostAddresses = addressesUpTo(7);
    w.restart();
    auto* list = w.control<QListWidget>("ListBox_IP");
    const struct {
        int row;
        const char* shown;
    } steps[] = {
        {2, "10.0.0.3"}, {4, "10.0.0.5"}, {5, "10.0.0.5"}, {6, "10.0.0.5"}, {0, "10.0.0.1"}};
    for (const auto& step : steps) {
        const QPoint at = list->visualItemRect(list->item(step.row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(
                type, QPointF(at), QPointF(list->viewport()->mapToGlobal(at)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &event);
        }
        ASSERT_EQ(list->currentRow(), step.row);
        EXPECT_EQ(w.text("Edit_IP"), QLatin1String(step.shown)) << step.row;
        EXPECT_TRUE(w.text("Edit_User_URL").contains(QLatin1String(step.shown))) << step.row;
    }
}

TEST(TfmWebServer, StartAndStopChangeEverythingThatShowsTheState) {
    WebWindow w;
    w.window->show();
    w.expectStopped("at start");
    w.click("Sb_Web_Connect");
    EXPECT_EQ(w.server->starts, std::vector<quint16>{8012});
    w.expectRunning("after the start");
    w.window->close();
    EXPECT_TRUE(w.state.WebServerRunning) << "closing the window leaves the server running";
    EXPECT_EQ(w.server->stops, 0);
    w.window->show();
    w.click("Sb_Web_Connect");
    EXPECT_EQ(w.server->stops, 1);
    w.expectStopped("after the stop");
    EXPECT_EQ(w.lamp, (std::vector<bool>{true, false}));
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmWebServer, AFailedStartLeavesEverythingStoppedAndTheNextClickTriesAgain) {
    struct Case {
        const char* port;
        QString serverAnswer;
        bool serverAsked;
        const char* message;
    };
    const QString bind = WebServerControl::BindFailedMessage;
    const Case cases[] = {
        {"abc", {}, false, "'abc' is not a valid integer value"},
        {"8012 ", {}, false, "'8012 ' is not a valid integer value"},
        {"", {}, false, "'' is not a valid integer value"},
        {"99999999999", {}, false, "'99999999999' is not a valid integer value"},
        {"0", {}, false, "'0' is not a valid port number"},
        {"-80", {}, false, "'-80' is not a valid port number"},
        {"65536", {}, false, "'65536' is not a valid port number"},
        {"$10000", {}, false, "'$10000' is not a valid port number"},
        {"8012", bind, true, "Could not bind socket. Address and port are already in use."},
    };
    for (const Case& c : cases) {
        WebWindow w;
        w.window->show();
        w.edit("Edit_Port")->setText(QLatin1String(c.port));
        w.server->startFailure = c.serverAnswer;
        for (int attempt = 1; attempt <= 2; ++attempt) {
            w.click("Sb_Web_Connect");
            EXPECT_EQ(w.errors().size(), attempt) << c.port;
            EXPECT_EQ(w.errors().value(attempt - 1), u8(c.message)) << c.port;
            EXPECT_EQ(w.server->starts.size(), c.serverAsked ? size_t(attempt) : 0u) << c.port;
            w.expectStopped(std::string("port '") + c.port + "'");
            EXPECT_TRUE(w.lamp.empty()) << c.port;
        }
        // Mended, the next click starts the server.
        w.server->startFailure.clear();
        w.edit("Edit_Port")->setText(QStringLiteral("8013"));
        w.click("Sb_Web_Connect");
        EXPECT_EQ(w.server->starts.back(), 8013) << c.port;
        w.expectRunning(std::string("mended after '") + c.port + "'");
    }
}

TEST(TfmWebServer, EveryStartListensOnThePortThenInTheField) {
    struct Case {
        const char* port;
        quint16 listened;
    };
    const Case cases[] = {{"8013", 8013}, {"  8014", 8014}, {"+8015", 8015}, {"$1F40", 8000},
                          {"1", 1},       {"65535", 65535}, {"00080", 80}};
    WebWindow w;
    w.window->show();
    for (const Case& c : cases) {
        w.edit("Edit_Port")->setText(QLatin1String(c.port));
        w.click("Sb_Web_Connect");
        ASSERT_FALSE(w.server->starts.empty());
        EXPECT_EQ(w.server->starts.back(), c.listened) << c.port;
        w.expectRunning(c.port);
        w.click("Sb_Web_Connect");
        w.expectStopped(c.port);
    }
    EXPECT_EQ(w.server->stops, static_cast<int>(std::size(cases)));
    EXPECT_TRUE(w.errors().isEmpty());
}

TEST(TfmWebServer, AStopThatTimesOutIsReportedWithTheWindowAlreadyStopped) {
    WebWindow w;
    w.window->show();
    w.click("Sb_Web_Connect");
    w.server->stopFailure = WebServerControl::StopTimeoutMessage;
    w.click("Sb_Web_Connect");
    EXPECT_EQ(w.errors(), QStringList{QStringLiteral("Terminate Thread Timeout")});
    w.expectStopped("after a stop that timed out");
    w.server->stopFailure.clear();
    w.click("Sb_Web_Connect");
    w.expectRunning("started again");
}

TEST(TfmWebServer, AccountTogglesShowAndHideTheirSixControls) {
    WebWindow w;
    w.window->show();
    struct Step {
        const char* clicked;
        bool doubleClick;
        bool user;
        bool admin;
    };
    const Step steps[] = {
        {"Cb_User", false, true, false},  {"Lbl_Admin", false, true, true},
        {"Lbl_User", false, false, true}, {"Cb_Admin", true, false, false}, // a double click
        {"Cb_Admin", false, false, true},
    };
    for (const Step& step : steps) {
        w.click(QLatin1String(step.clicked), step.doubleClick);
        EXPECT_EQ(w.window->userOk(), step.user) << step.clicked;
        EXPECT_EQ(w.window->adminOk(), step.admin) << step.clicked;
        EXPECT_EQ(w.entry("Cb_User"), step.user ? 58 : 57) << step.clicked;
        EXPECT_EQ(w.entry("Cb_Admin"), step.admin ? 58 : 57) << step.clicked;
        for (const QString& field : UserFields)
            EXPECT_EQ(w.control(field)->isVisible(), step.user) << field.toStdString();
        for (const QString& field : AdminFields)
            EXPECT_EQ(w.control(field)->isVisible(), step.admin) << field.toStdString();
    }
}

TEST(TfmWebServer, PermissionsTogglesAndTextsSurviveARestart) {
    WebWindow w;
    w.window->show();
    w.click("Cb_User");
    w.box("Cb_Web_User_50")->setChecked(false);
    w.box("Cb_Web_Admin_03")->setChecked(false);
    w.box("Cb_Web_Admin_50")->click();
    w.box("Cb_Web_Autoconnect")->setChecked(true);
    w.edit("Edit_Port")->setText(QStringLiteral(" 9000 "));
    w.edit("Edit_Admin_Login")->setText(QStringLiteral("бос:с@"));
    w.window->close();
    w.restart();
    EXPECT_EQ(w.temp.querySingle("SELECT data FROM settings WHERE name = 'Web_User_50'"),
              QStringLiteral("0"));
    w.window->show();
    EXPECT_FALSE(w.box("Cb_Web_User_50")->isChecked());
    EXPECT_FALSE(w.box("Cb_Web_Admin_50")->isChecked());
    EXPECT_FALSE(w.box("Cb_Web_Admin_03")->isChecked());
    EXPECT_TRUE(w.box("Cb_Web_Admin_04")->isChecked());
    EXPECT_TRUE(w.box("Cb_Web_User_03")->isChecked());
    EXPECT_TRUE(w.box("Cb_Web_Autoconnect")->isChecked());
    EXPECT_EQ(w.text("Edit_Port"), QStringLiteral(" 9000 "));
    EXPECT_EQ(w.text("Edit_Admin_Login"), u8("бос:с@"));
    EXPECT_TRUE(w.window->userOk());
    EXPECT_FALSE(w.window->adminOk());
    EXPECT_EQ(w.entry("Cb_User"), 58);
    for (const QString& field : UserFields)
        EXPECT_TRUE(w.control(field)->isVisible()) << field.toStdString();
    for (const QString& field : AdminFields)
        EXPECT_FALSE(w.control(field)->isVisible()) << field.toStdString();
    EXPECT_FALSE(w.state.WebServerRunning) << "the autorun option is no start by itself";
}

TEST(TfmWebServer, AStoreErrorAbandonsTheRestOfTheLoadWithoutAMessage) {
    WebWindow w([](SettingsKey& key) {
        key.writeString(QStringLiteral("Port"), QStringLiteral("7000"));
        key.writeInteger(QStringLiteral("User_Login"), 5);
        key.writeBool(QStringLiteral("User_OK"), true);
    });
    w.window->show();
    EXPECT_TRUE(w.errors().isEmpty());
    EXPECT_EQ(w.text("Edit_Port"), QStringLiteral("7000"));
    EXPECT_EQ(w.text("Edit_Page"), QStringLiteral("manage"));
    for (const char* empty :
         {"Edit_User_Login", "Edit_User_Pass", "Edit_Admin_Login", "Edit_Admin_Pass"})
        EXPECT_EQ(w.text(QLatin1String(empty)), QString()) << empty;
    EXPECT_FALSE(w.window->userOk());
    for (const QCheckBox* box : w.window->findChildren<QCheckBox*>())
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(w.text("Edit_User_URL"), QStringLiteral("http://:@192.168.1.20:7000/manage"));
}

TEST(TfmWebServer, ShowingSetsDialogOpenBesideTheMainWindowAndClosingClearsIt) {
    WebWindow w;
    EXPECT_FALSE(w.state.DialogOpen);
    w.window->show();
    EXPECT_TRUE(w.state.DialogOpen);
    EXPECT_EQ(w.window->pos(), QPoint(246, 65));
    EXPECT_EQ(w.window->size(), QSize(790, 520));
    EXPECT_NEAR(w.window->windowOpacity(), 245.0 / 255.0, 0.01);
    w.click("Sb_Close");
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_FALSE(w.state.DialogOpen);
    w.window->show();
    EXPECT_TRUE(w.state.DialogOpen);
    QTest::keyClick(w.window.get(), Qt::Key_Escape);
    EXPECT_FALSE(w.state.DialogOpen);
}

TEST(TfmWebServer, TheCloseButtonShowsHoverAndPressByLanguage) {
    for (const CloseButtonCase& c : CloseButtonCases) {
        WebWindow w({}, c.language);
        w.window->show();
        QLabel* close = w.label("Sb_Close");
        if (c.pressed)
            QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
        w.fakes.pointer.position = close->mapToGlobal(c.at);
        w.window->Timer_WorkTimer();
        EXPECT_EQ(SkinParts::shownEntry(close), c.image)
            << static_cast<int>(c.language) << " at " << c.at.x() << "," << c.at.y();
    }
}

TEST(TfmWebServer, TheArrowsAndTheStartButtonLightUnderThePointer) {
    WebWindow w;
    w.window->show();
    struct Case {
        const char* over;
        QPoint at;
        int up;
        int down;
        int start;
    };
    const Case cases[] = {
        {"Sb_IP_Up", {5, 5}, 9, 10, 22},         {"Sb_IP_Up", {0, 5}, 8, 10, 22},
        {"Sb_IP_Down", {5, 5}, 8, 11, 22},       {"Sb_IP_Down", {18, 9}, 8, 11, 22},
        {"Sb_IP_Down", {19, 5}, 8, 10, 22},      {"Sb_Web_Connect", {20, 20}, 8, 10, 21},
        {"Sb_Web_Connect", {40, 20}, 8, 10, 22},
    };
    for (const Case& c : cases) {
        w.pointAt(QLatin1String(c.over), c.at);
        EXPECT_EQ(w.entry("Sb_IP_Up"), c.up) << c.over << " " << c.at.x();
        EXPECT_EQ(w.entry("Sb_IP_Down"), c.down) << c.over << " " << c.at.x();
        EXPECT_EQ(w.entry("Sb_Web_Connect"), c.start) << c.over << " " << c.at.x();
    }
    // Held down: the pressed picture until the button comes up.
    QLabel* start = w.label("Sb_Web_Connect");
    QTest::mousePress(start, Qt::LeftButton, {}, QPoint(20, 20));
    w.pointAt("Sb_Web_Connect", {20, 20});
    EXPECT_EQ(w.entry("Sb_Web_Connect"), 20);
    w.pointAt("Sb_Close");
    EXPECT_EQ(w.entry("Sb_Web_Connect"), 22);
    QTest::mouseRelease(start, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(w.state.WebServerRunning);
    // While the server runs, the picture the pointer left behind stays.
    w.pointAt("Sb_Web_Connect", {20, 20});
    EXPECT_EQ(w.entry("Sb_Web_Connect"), 21);
    w.pointAt("Sb_Close");
    EXPECT_EQ(w.entry("Sb_Web_Connect"), 21);
    // Hidden, nothing is hovered.
    w.window->hide();
    w.click("Sb_Web_Connect");
    w.fakes.pointer.position = w.label("Sb_IP_Up")->mapToGlobal(QPoint(5, 5));
    w.window->Timer_WorkTimer();
    EXPECT_EQ(w.entry("Sb_IP_Up"), 8);
    EXPECT_EQ(w.entry("Sb_Web_Connect"), 22);
}

TEST(TfmWebServer, ApplyLanguageWritesTheTextsOfBothLanguages) {
    struct Case {
        Language language;
        bool running;
        std::vector<std::pair<const char*, const char*>> captions;
        std::vector<std::pair<const char*, const char*>> hints;
    };
    const Case cases[] = {
        {Language::English,
         false,
         {{"Cb_Web_Autoconnect", "Autorun web server"},
          {"Lbl_Port", "Port:"},
          {"Lbl_Page", "The page:"},
          {"Lbl_IP", "Your IP"},
          {"Lbl_User", "User"},
          {"Lbl_User_Login", "Login:"},
          {"Lbl_User_Pass", "Password:"},
          {"Lbl_User_URL", "User URL:"},
          {"Lbl_Admin", "Admin"},
          {"Lbl_Admin_Login", "Login:"},
          {"Lbl_Admin_Pass", "Password:"},
          {"Lbl_Admin_URL", "Admin URL:"},
          {"Lbl_User_Dostup_1", "Ghosts:"},
          {"Lbl_Admin_Dostup_1", "Ghosts:"},
          {"Lbl_User_Dostup_2", "User:"},
          {"Lbl_Admin_Dostup_2", "Admin:"},
          {"Lbl_User_Dostup_3", "Attraction:"},
          {"Lbl_Admin_Dostup_3", "Attraction:"},
          {"Cb_Web_User_01", "Ghost  1 [ON/OFF]"},
          {"Cb_Web_Admin_08", "Ghost  8 [ON/OFF]"},
          {"Cb_Web_User_50", "Attraction [ON/OFF]"},
          {"Cb_Web_Admin_50", "Attraction [ON/OFF]"},
          {"Lbl_Web_Connect", "Start"},
          {"Lbl_12", "Ваши IP:"}},
         {{"Edit_Port", "Socket number of the web server"},
          {"Edit_Page", "Name of the web management page"},
          {"Edit_IP", "All the IP of your computer"},
          {"Edit_User_Login", "User login"},
          {"Edit_User_Pass", "User password"},
          {"Edit_Admin_Login", "Admin login"},
          {"Edit_Admin_Pass", "Admin password"},
          {"Edit_User_URL", "User URL:\n\r Который вы должны ввести в мобильный браузер для "
                            "получения Веб доступа"},
          {"Edit_Admin_URL", "Admin URL:\n\r Который вы должны ввести в мобильный браузер для "
                             "получения Веб доступа"},
          {"Sb_Web_Connect", "Run a Web Server"}}},
        {Language::Russian,
         true,
         {{"Cb_Web_Autoconnect", "Автозапуск Web сервера"},
          {"Lbl_Page", "Cтраница:"},
          {"Lbl_IP", "Ваши IP"},
          {"Lbl_User", "Пользователь"},
          {"Lbl_Admin_URL", "URL администратора:"},
          {"Lbl_Admin_Dostup_2", "Администратор:"},
          {"Cb_Web_User_03", "Призрак  3 [ON/OFF]"},
          {"Cb_Web_Admin_50", "Аттракцион [ON/OFF]"},
          {"Lbl_Web_Connect", "Стоп"}},
         {{"Edit_Admin_Pass", "Пароль администратора"},
          {"Edit_User_URL", "URL пользователя:\n\r Который вы должны ввести в мобильный браузер "
                            "для получения Веб доступа"},
          {"Sb_Web_Connect", "Остановить Web Сервер"}}},
    };
    for (const Case& c : cases) {
        WebWindow w;
        if (c.running)
            w.click("Sb_Web_Connect");
        w.state.InterfaceLanguage = c.language;
        w.help->ApplyLanguage();
        for (const auto& [name, caption] : c.captions) {
            const QString expected = u8(caption);
            if (auto* box = w.window->findChild<QCheckBox*>(QLatin1String(name)))
                EXPECT_EQ(box->text(), expected) << name;
            else
                EXPECT_EQ(w.label(QLatin1String(name))->text(), expected) << name;
        }
        for (const auto& [name, hint] : c.hints)
            EXPECT_EQ(w.control(QLatin1String(name))->toolTip(), u8(hint)) << name;
        EXPECT_EQ(w.window->windowTitle(), u8("Доступ через Интернет:"));
    }
}

TEST(TfmWebServer, AutorunStartsOnlyWhenTickedAndAFailureIsOnlyLogged) {
    struct Case {
        bool ticked;
        const char* port;
        QString serverAnswer;
        bool running;
    };
    const Case cases[] = {
        {false, "8012", {}, false},
        {true, "8012", {}, true},
        {true, "x", {}, false},
        {true, "70000", {}, false},
        {true, "8012", WebServerControl::BindFailedMessage, false},
    };
    for (const Case& c : cases) {
        WebWindow w([&c](SettingsKey& key) {
            key.writeBool(QStringLiteral("Web_Autoconnect"), c.ticked);
            key.writeString(QStringLiteral("Port"), QLatin1String(c.port));
        });
        w.server->startFailure = c.serverAnswer;
        w.service->autorunIfWanted();
        EXPECT_TRUE(w.errors().isEmpty()) << c.port;
        if (c.running)
            w.expectRunning(c.port);
        else
            w.expectStopped(c.port);
        if (c.running) {
            w.service->autorunIfWanted();
            EXPECT_EQ(w.server->starts.size(), 1u) << "a running server is not started again";
        }
    }
}

} // namespace

namespace {

TEST(TfmWebServer, AShownAccountWhosePasswordIsTooShortToSignInSaysSoBesideItsAddress) {
    struct Case {
        const char* name;
        bool userShown;
        QString userPassword;
        bool adminShown;
        QString adminPassword;
        bool userWarned;
        bool adminWarned;
    };
    const Case cases[] = {
        {"default_one_character", true, "1", true, "2", true, true},
        {"seven_characters", true, "1234567", false, "2", true, false},
        {"eight_characters", true, "12345678", true, "abcdefgh", false, false},
        {"empty", true, "", true, "longenough", true, false},
        {"cyrillic_eight", true, QStringLiteral("пароль12"), true, "x", false, true},
        {"hidden_accounts", false, "1", false, "2", false, false},
    };
    for (const Case& c : cases) {
        WebWindow w;
        w.window->show();
        w.edit("Edit_User_Pass")->setText(c.userPassword);
        w.edit("Edit_Admin_Pass")->setText(c.adminPassword);
        if (c.userShown)
            w.click("Cb_User");
        if (c.adminShown)
            w.click("Cb_Admin");
        EXPECT_EQ(w.label("Lbl_User_NoSignIn")->isVisible(), c.userWarned) << c.name;
        EXPECT_EQ(w.label("Lbl_Admin_NoSignIn")->isVisible(), c.adminWarned) << c.name;
    }
}

TEST(TfmWebServer, TheShortPasswordNoticeFollowsTypingAndTheLanguage) {
    WebWindow w;
    w.window->show();
    w.click("Cb_User");
    QLabel* warning = w.label("Lbl_User_NoSignIn");
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(
        warning->text(),
        QStringLiteral("cannot sign in to the page: the password needs 8 characters or more"));
    QTest::keyClicks(w.edit("Edit_User_Pass"), QStringLiteral("2345678"));
    EXPECT_FALSE(warning->isVisible()) << "eight characters now";
    QTest::keyClick(w.edit("Edit_User_Pass"), Qt::Key_Backspace);
    EXPECT_TRUE(warning->isVisible());
    w.state.InterfaceLanguage = Language::Russian;
    w.help->ApplyLanguage();
    EXPECT_EQ(warning->text(),
              u8("не может войти на страницу: в пароле нужно не меньше 8 символов"));
    w.click("Cb_User");
    EXPECT_FALSE(warning->isVisible()) << "the account's fields are hidden";
}

} // namespace

namespace {

QStringList labelNames(const QWidget& window) {
    QStringList names;
    for (const QLabel* label : window.findChildren<QLabel*>())
        names.append(label->objectName());
    return names;
}

TEST(TfmWebServer, UntilItsFirstOpeningTheWindowHoldsNoControlsOfItsOwn) {
    WebWindow w([](SettingsKey& key) { key.writeBool(QStringLiteral("Web_Autoconnect"), true); },
                Language::English, Controls::NotYetBuilt);
    // Everything the program does with the window before anyone opens it: the start-up's
    // language, hiding and autorun, the management page's reading, the pointer's ticks.
    w.window->hide();
    w.help->ApplyLanguage();
    w.service->autorunIfWanted();
    EXPECT_EQ(w.service->settings().Port, QStringLiteral("8012"));
    w.window->Timer_WorkTimer();
    w.window->Sb_Web_ConnectClick();
    w.window->Cb_UserClick();
    EXPECT_FALSE(w.window->controlsBuilt());
    EXPECT_EQ(labelNames(*w.window), QStringList{QStringLiteral("Sb_Close")});
    EXPECT_EQ(w.window->findChildren<QLineEdit*>().size(), 1) << "only the focus field";
    EXPECT_TRUE(w.window->findChildren<QCheckBox*>().isEmpty());
    EXPECT_EQ(w.listings, 0) << "the addresses are listed for the controls only";
    EXPECT_EQ(w.window->windowTitle(), u8("Доступ через Интернет:"));

    w.window->show();
    EXPECT_TRUE(w.window->controlsBuilt());
    EXPECT_TRUE(labelNames(*w.window).contains(QStringLiteral("Lbl_Web_Connect")));
    EXPECT_EQ(w.listings, 1);
    w.window->close();
    w.window->show();
    EXPECT_EQ(w.listings, 1) << "listed once, not at every opening";
}

TEST(TfmWebServer, WhatChangedBeforeTheFirstOpeningShowsWhenItOpens) {
    struct Case {
        const char* name;
        Language language;
        std::function<void(SettingsKey&)> stored;
        std::function<void(WebWindow&)> beforeOpening;
        std::function<void(WebWindow&)> opened;
    };
    const auto autorun = [](SettingsKey& key) {
        key.writeBool(QStringLiteral("Web_Autoconnect"), true);
    };
    const Case cases[] = {
        {"russian_texts",
         Language::Russian,
         {},
         [](WebWindow& w) { w.window->Cb_UserClick(); },
         [](WebWindow& w) {
             EXPECT_EQ(w.box("Cb_Web_Autoconnect")->text(), u8("Автозапуск Web сервера"));
             EXPECT_EQ(w.label("Lbl_Page")->text(), u8("Cтраница:"));
             EXPECT_EQ(w.box("Cb_Web_Admin_50")->text(), u8("Аттракцион [ON/OFF]"));
             EXPECT_EQ(w.edit("Edit_Admin_Pass")->toolTip(), u8("Пароль администратора"));
             EXPECT_EQ(w.label("Sb_Web_Connect")->toolTip(), u8("Запустить Web Сервер"));
             QLabel* warning = w.label("Lbl_User_NoSignIn");
             EXPECT_TRUE(warning->isVisible());
             EXPECT_EQ(warning->text(),
                       u8("не может войти на страницу: в пароле нужно не меньше 8 символов"));
         }},
        {"autorun_started_the_server", Language::English, autorun,
         [](WebWindow& w) { w.service->autorunIfWanted(); },
         [](WebWindow& w) {
             EXPECT_EQ(w.server->starts, std::vector<quint16>{8012});
             w.expectRunning("started before the first opening");
             EXPECT_EQ(w.entry("Sb_Web_Connect"), 22);
             EXPECT_EQ(w.entry("Sb_IP_Down"), 10);
             w.click("Sb_Web_Connect");
             w.expectStopped("stopped by the button");
             EXPECT_EQ(w.server->stops, 1);
         }},
        {"account_toggles",
         Language::English,
         {},
         [](WebWindow& w) {
             w.window->Cb_UserClick();
             w.window->Cb_AdminClick();
             w.window->Cb_AdminClick();
         },
         [](WebWindow& w) {
             EXPECT_EQ(w.entry("Cb_User"), 58);
             EXPECT_EQ(w.entry("Cb_Admin"), 57);
             for (const QString& field : UserFields)
                 EXPECT_TRUE(w.control(field)->isVisible()) << field.toStdString();
             for (const QString& field : AdminFields)
                 EXPECT_FALSE(w.control(field)->isVisible()) << field.toStdString();
             EXPECT_TRUE(w.label("Lbl_User_NoSignIn")->isVisible());
             EXPECT_FALSE(w.label("Lbl_Admin_NoSignIn")->isVisible());
         }},
        {"started_and_stopped",
         Language::English,
         {},
         [](WebWindow& w) {
             w.window->Sb_Web_ConnectClick();
             w.window->Sb_Web_ConnectClick();
         },
         [](WebWindow& w) {
             EXPECT_EQ(w.lamp, (std::vector<bool>{true, false}));
             w.expectStopped("started and stopped before the first opening");
         }},
        {"a_start_that_failed", Language::English,
         [](SettingsKey& key) { key.writeString(QStringLiteral("Port"), QStringLiteral("x")); },
         [](WebWindow& w) { w.window->Sb_Web_ConnectClick(); },
         [](WebWindow& w) {
             EXPECT_EQ(w.errors(), QStringList{QStringLiteral("'x' is not a valid integer value")});
             w.expectStopped("after a failed start");
             EXPECT_EQ(w.text("Edit_Port"), QStringLiteral("x"));
             EXPECT_EQ(w.text("Edit_User_URL"),
                       QStringLiteral("http://user:1@192.168.1.20:x/manage"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WebWindow w(c.stored, c.language, Controls::NotYetBuilt);
        c.beforeOpening(w);
        ASSERT_FALSE(w.window->controlsBuilt());
        w.window->show();
        c.opened(w);
    }
}

TEST(TfmWebServer, AWindowNeverOpenedSavesWhatItLoadedAndWhatItWasToldSince) {
    WebAccessSettings defaults;
    defaults.Port = QStringLiteral("8012");
    defaults.Page = QStringLiteral("manage");
    defaults.User_Login = QStringLiteral("user");
    defaults.User_Pass = QStringLiteral("1");
    defaults.Admin_Login = QStringLiteral("admin");
    defaults.Admin_Pass = QStringLiteral("2");
    defaults.Web_User.ghost.fill(true);
    defaults.Web_User.attraction = true;
    defaults.Web_Admin = defaults.Web_User;

    WebAccessSettings unusual;
    unusual.Port = QStringLiteral(" 9000 ");
    unusual.Page = u8("дом");
    unusual.User_Login = u8("гость:@");
    unusual.User_Pass = QStringLiteral("long enough");
    unusual.Admin_Login = QString();
    unusual.Admin_Pass = QStringLiteral("x");
    unusual.Web_Autoconnect = true;
    unusual.Admin_OK = true;
    unusual.Web_User.ghost = {true, false, false, true, false, true, false, true};
    unusual.Web_Admin.attraction = true;

    WebAccessSettings userToggled = unusual;
    userToggled.User_OK = true;
    userToggled.Admin_OK = false;

    struct Case {
        const char* name;
        std::optional<WebAccessSettings> stored; // none: no Web key
        std::function<void(TfmWebServer&)> told;
        WebAccessSettings saved;
    };
    const Case cases[] = {
        {"no_web_key", std::nullopt, {}, defaults},
        {"every_value_unusual", unusual, {}, unusual},
        {"both_accounts_toggled", unusual,
         [](TfmWebServer& window) {
             window.Cb_UserClick();
             window.Cb_AdminClick();
         },
         userToggled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<WebWindow> w =
            c.stored ? std::make_unique<WebWindow>(*c.stored, Controls::NotYetBuilt)
                     : std::make_unique<WebWindow>(std::function<void(SettingsKey&)>{},
                                                   Language::English, Controls::NotYetBuilt);
        if (c.told)
            c.told(*w->window);
        EXPECT_EQ(w->service->settings(), c.saved) << "what the management page reads";
        // Whatever stands in the store now, the window's end writes its own record over it.
        WebAccessStore(&w->temp.store()).save(WebAccessSettings{});
        EXPECT_FALSE(w->window->controlsBuilt());
        w->window.reset();
        w->service.reset();
        WebAccessSettings saved;
        WebAccessStore(&w->temp.reopen()).load(saved);
        EXPECT_EQ(saved, c.saved);
    }
}

} // namespace
