// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"
#include "device/SimBoardWire.h"

// An open handle on a simulated board: one connection to its socket (protocol in
// SimBoardBackend.h).
class SimBoardConnection : public HidConnection {
public:
    // Connects to the board's socket; on failure nullptr and, when whyNot is given, the reason.
    static std::unique_ptr<SimBoardConnection> connectTo(const QByteArray& socketPath,
                                                         QString* whyNot);
    ~SimBoardConnection() override;

    SimBoardConnection(const SimBoardConnection&) = delete;
    SimBoardConnection& operator=(const SimBoardConnection&) = delete;

    bool write(const quint8* data, int length) override;
    // A negative timeout waits without end, like a hidraw read.
    int read(quint8* data, int capacity, int timeoutMs) override;

private:
    explicit SimBoardConnection(int socket)
        : m_socket(socket) {}
    void drop();

    int m_socket = -1;
    SimBoardWire::FrameReader m_reader;
};
