// SPDX-License-Identifier: GPL-3.0-or-later
// The user-interface time one "ClientAction" line costs while the network server window is
// open: a logged-in client on a real socket sends the line, and an iteration ends when the
// window's log has taken it and been painted. Measured with a short text and with a 63 KB one,
// the longest a line may carry.
//
//   build/bin/net_window_log_bench     (offscreen unless QT_QPA_PLATFORM says otherwise)
//
// CPU time per line on the two-core build machine (RelWithDebInfo, offscreen, load about 12):
//                          short text   63 KB text
//   whole line shown         0.155 ms     142 ms
//   1,000 characters shown   0.154 ms     1.08 ms
#include "core/Clock.h"
#include "core/PlatformServices.h"
#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "net/NetClients.h"
#include "net/NetServerService.h"
#include "net/RecordingProgramControl.h"
#include "net/TfmNet.h"
#include "widgetkit/QtPlatform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QByteArray Password = "bench1";

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The window open with its socket listening and Client_1 logged in from 127.0.0.1.
class Rig {
public:
    Rig()
        : m_store(m_dir.filePath(QStringLiteral("settings.db"))) {
        NetClients clients(&m_store, nullptr);
        clients.load();
        clients.select(0);
        clients.apply(QString::fromLatin1(Password), {});

        const PlatformServices platform{
            .store = &m_store, .clock = &m_clock, .pointer = &m_pointer};
        m_service = std::make_unique<NetServerService>(platform, m_control, [] {});
        m_service->loadSettings();
        m_window = std::make_unique<TfmNet>(m_state, platform, *m_service);
        m_window->show();
        const quint16 port = freePort();
        m_window->findChild<QLineEdit*>(QStringLiteral("Edit_ServerPort"))
            ->setText(QString::number(port));
        m_window->Sb_Socket_ReConnectClick();
        m_memo = m_window->findChild<QPlainTextEdit*>(QStringLiteral("ClientActionMemo"));
        QObject::connect(m_memo, &QPlainTextEdit::textChanged, [this] { ++m_changes; });

        // Everything the server sends back is read and dropped, as a client would.
        QObject::connect(&m_client, &QTcpSocket::readyRead, [this] {
            m_received += m_client.readAll();
            if (m_received.size() > 1 << 16)
                m_received = m_received.right(64);
        });
        m_client.connectToHost(QHostAddress::LocalHost, port);
        m_client.waitForConnected(2000);
        m_client.write("login\x01"
                       "Client_1\x01" +
                       Password + '\n');
        while (!m_received.contains("LoggedAs"))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    bool ready() const { return m_service->listeningPort() != 0 && m_memo; }

    // One line sent, then the event loop runs until the log has changed and has been painted.
    void clientAction(const QByteArray& text) {
        const int before = m_changes;
        m_client.write("ClientAction\x01"
                       "1\x01"
                       "2\x01"
                       "3\x01" +
                       text + '\n');
        while (m_changes == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        m_memo->repaint();
    }

private:
    QTemporaryDir m_dir;
    SettingsStore m_store;
    SystemClock m_clock;
    CursorPointerSource m_pointer;
    ProgramState m_state;
    RecordingProgramControl m_control;
    std::unique_ptr<NetServerService> m_service;
    std::unique_ptr<TfmNet> m_window;
    QPlainTextEdit* m_memo = nullptr;
    int m_changes = 0;
    QTcpSocket m_client;
    QByteArray m_received;
};

Rig* rig = nullptr;

void BM_ClientActionShown(benchmark::State& state) {
    if (!rig->ready()) {
        state.SkipWithError("the network server window did not open its socket");
        return;
    }
    QByteArray text(state.range(0), 'x');
    char mark = 'a';
    for (auto _ : state) {
        // A different line each time, as a client's actions would be.
        text[0] = mark = mark == 'z' ? 'a' : char(mark + 1);
        rig->clientAction(text);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ClientActionShown)->Arg(16)->Arg(63 * 1024)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Rig window;
    rig = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
