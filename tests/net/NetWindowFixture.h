// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "net/NetClients.h"
#include "net/NetServerService.h"
#include "net/RecordingProgramControl.h"
#include "net/ServerSettings.h"
#include "net/TfmNet.h"
#include "support/FakePlatform.h"
#include "support/LocalPorts.h"
#include "support/PointerClick.h"
#include "support/TempStore.h"
#include "widgetkit/SkinParts.h"

#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Stores `count` registered clients "Client_1" ... with passwords "pw1" ..., as a user would
// have set them up in an earlier run.
inline void storeClients(SettingsStore& store, int count) {
    NetClients clients(&store, nullptr);
    clients.load();
    while (clients.count() < count)
        clients.add(QStringLiteral("Client_%1").arg(clients.count() + 1));
    while (clients.count() > count)
        clients.removeAt(clients.count() - 1);
    for (int i = 0; i < count; ++i) {
        clients.select(i);
        clients.apply(QStringLiteral("pw%1").arg(i + 1), {});
    }
}

// A network client on a socket of its own, from its own loopback address: the server lets one
// address log in only once.
struct NetClient {
    QTcpSocket socket;
    QByteArray received;

    NetClient(quint16 port, int addressSuffix) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(addressSuffix)));
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(2000);
    }
    void send(const QByteArray& line) {
        socket.write(line);
        socket.flush();
    }
    void login(const QString& name, const QString& password) {
        send("login\x01" + name.toLatin1() + '\x01' + password.toLatin1() + '\n');
    }
    bool connected() const { return socket.state() == QAbstractSocket::ConnectedState; }
    bool waitFor(const QByteArray& text) {
        return QTest::qWaitFor([&] { return received.contains(text); }, 3000);
    }
};

// One run of the program as the server window sees it: a real store file, the pointer placed
// by the test, real sockets.
struct NetWindow {
    TempStore temp;
    FakePlatform fakes;
    ProgramState state;
    RecordingProgramControl program;
    std::unique_ptr<NetServerService> service;
    std::unique_ptr<TfmNet> window;
    // Most tests reach the controls before any opening; some need the window as the program
    // makes it, without them.
    bool withControls = true;

    explicit NetWindow(const std::function<void(SettingsStore&)>& stored = {},
                       bool controlsAtOnce = true)
        : withControls(controlsAtOnce) {
        if (stored)
            stored(temp.store());
        create();
    }
    void create() {
        service = std::make_unique<NetServerService>(fakes.services(&temp.store()), program, [] {});
        service->loadSettings();
        window = std::make_unique<TfmNet>(state, fakes.services(&temp.store()), *service);
        if (withControls)
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
    QLabel* label(const QString& name) const { return control<QLabel>(name); }
    QLineEdit* edit(const QString& name) const { return control<QLineEdit>(name); }
    QCheckBox* box(const QString& name) const { return control<QCheckBox>(name); }
    QListWidget* list(const QString& name) const { return control<QListWidget>(name); }
    int entry(const QString& name) const { return SkinParts::shownEntry(label(name)); }

    void tick() { window->Timer_WorkTimer(); }
    // The pointer at `local` within `name`'s rectangle, then one tick.
    void pointAt(const QString& name, QPoint local) {
        fakes.pointer.position = window->screenRect(control(name)).topLeft() + local;
        tick();
    }
    void pointAway() {
        fakes.pointer.position = {-10000, -10000};
        tick();
    }

    void click(QWidget* target, bool doubleClick = false) {
        clickWithPointer(fakes.pointer, target, doubleClick);
    }
    void click(const QString& name, bool doubleClick = false) { click(control(name), doubleClick); }

    void setPort(quint16 port) {
        edit(QStringLiteral("Edit_ServerPort"))->setText(QString::number(port));
    }
    // Opens the socket on `port` through the reconnect button.
    void listenOn(quint16 port) {
        setPort(port);
        click(QStringLiteral("Sb_Socket_ReConnect"));
    }

    std::unique_ptr<SettingsKey> serverKey() {
        return temp.store().openKey(ServerSettingsStore::KeyPath, true);
    }
    // The registered clients as the store holds them now.
    NetClients storedClients() {
        NetClients clients(&temp.store(), nullptr);
        clients.load();
        return clients;
    }
};
