// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackend.h"

#include <QString>

class QFileSystemWatcher;

// HID devices played by simulated boards (the gloamery-board program) instead of USB boards.
//
// The socket protocol. Each board listens on a Unix stream socket in one folder, the file named
// "board-VVVV-PPPP-S.sock" (vendor and product id as four lowercase hex digits, S a slot number
// from 1 telling apart boards with the same ids). One connection is one open handle. Both ways
// the stream carries whole reports, each framed as one length byte (1 to 64) followed by that
// many bytes, the report id (0) first. The host sends 9-byte output reports whenever it likes;
// the board sends a 9-byte input report to every connected host each interval, kinds alternating,
// and drops a report for a host that is not reading rather than queue without end. A length byte
// of 0 or above 64 is a broken stream: the reader closes it. Unplugging removes the socket file
// and closes every connection: an open handle then reads end-of-stream, which is an error; a
// file left by a board that died refuses connections.
class SimBoardBackend : public HidBackend {
    Q_OBJECT
public:
    // Watches `directory`, making it if it is missing.
    explicit SimBoardBackend(const QString& directory, QObject* parent = nullptr);
    ~SimBoardBackend() override;

    // The board sockets in the folder, by vendor id, product id and slot; path is the socket
    // file's absolute path.
    QList<HidDeviceInfo> enumerate() override;
    std::unique_ptr<HidConnection> open(const QByteArray& path, QString* whyNot) override;

private:
    void directoryChanged();

    QString m_directory;
    QFileSystemWatcher* m_watcher = nullptr;
    QList<HidDeviceInfo> m_lastSeen;
};
