// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoardCommand.h"
#include "BoardOptions.h"
#include "device/BoardReport.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <memory>
#include <set>
#include <span>
#include <vector>

class BoardHost;
class QSocketNotifier;

// One simulated USB I/O board: its pins, and the socket through which hosts reach it (protocol
// in device/SimBoardBackend.h).
class SimulatedBoard : public QObject {
    Q_OBJECT
public:
    explicit SimulatedBoard(const BoardOptions& options, QObject* parent = nullptr);
    // Unplugs: the socket file goes with the board.
    ~SimulatedBoard() override;

    // Listens under the first free name for the board's ids; the reason when it cannot.
    QString plug();
    void unplug();
    // Carries out a command other than status; the reason when it cannot.
    QString execute(const BoardCommand& command);
    // A few lines, the first "reports received: R sent: S", the last with the hosts seen.
    QString status() const;

    QString socketPath() const { return m_socketPath; }

signals:
    // Output 1 to 8 was switched by an output report.
    void outputChanged(int output, bool on);
    // Something went wrong with a host; the board goes on.
    void problem(const QString& text);

private:
    void acceptHosts();
    void hostReadable(BoardHost* host);
    void takeOutputReport(std::span<const quint8> report);
    void sendInputReport();
    void closeHost(BoardHost* host);
    void setDigitalInput(int input, bool on);

    BoardOptions m_options;
    BoardReport::BoardInputs m_inputs;
    BoardReport::Outputs m_outputs{};
    // A press ends only if no later command touched its input meanwhile.
    std::array<quint64, BoardReport::DigitalInputs> m_inputChanges{};
    BoardReport::InputKind m_nextKind = BoardReport::InputKind::Digital;
    bool m_silent = false;
    quint64 m_received = 0;
    quint64 m_sent = 0;

    int m_listener = -1;
    QSocketNotifier* m_listenerNotifier = nullptr;
    QString m_socketPath;
    // Identifies our socket file, so unplugging never removes another board's.
    quint64 m_socketInode = 0;
    std::vector<std::unique_ptr<BoardHost>> m_hosts;
    // Processes that have connected, by pid. Gloamery opens the board anew for each exchange, so
    // the hosts connected at any one moment are mostly none, while it exchanges all the time.
    std::set<qint64> m_hostsSeen;
    QElapsedTimer m_sinceLastReport;
    QTimer m_sendTimer;
};
