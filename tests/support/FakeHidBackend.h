// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackendFactory.h"

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// Boards in memory: each read takes the next queued report at once, an empty queue is a timeout.
// Where the boards are read on a thread of their own, a test sets a board up before the thread
// starts and looks at it after the thread has ended.
struct FakeBoard {
    HidDeviceInfo info;
    std::deque<std::vector<quint8>> reports; // data bytes, without the report id
    std::vector<std::vector<quint8>> written;
    std::vector<int> readTimeouts;
    bool openFails = false;
    bool writeFails = false;
    // The next this many reads throw.
    int throwingReads = 0;
    // Runs at the start of each read, on the reading thread.
    std::function<void()> whileReading;
    int opens = 0;
    int openConnections = 0;
};

class FakeHidBackend : public HidBackend {
public:
    std::shared_ptr<FakeBoard> add(quint16 vendorId, quint16 productId, int inputLength = 9) {
        auto board = std::make_shared<FakeBoard>();
        board->info = {QByteArray("/fake/hidraw") + QByteArray::number(m_nextNode++), vendorId,
                       productId, inputLength, 9};
        m_boards.push_back(board);
        return board;
    }
    void plug(const std::shared_ptr<FakeBoard>& board) {
        m_boards.push_back(board);
        emit devicesChanged();
    }
    void unplug(const std::shared_ptr<FakeBoard>& board) {
        std::erase(m_boards, board);
        emit devicesChanged();
    }

    QList<HidDeviceInfo> enumerate() override {
        QList<HidDeviceInfo> present;
        for (const auto& board : m_boards)
            present.append(board->info);
        return present;
    }

    std::unique_ptr<HidConnection> open(const QByteArray& path, QString* whyNot) override {
        for (const auto& board : m_boards) {
            if (board->info.path != path)
                continue;
            ++board->opens;
            if (board->openFails) {
                if (whyNot)
                    *whyNot = QStringLiteral("permission denied");
                return nullptr;
            }
            return std::make_unique<Connection>(board);
        }
        if (whyNot)
            *whyNot = QStringLiteral("no such device");
        return nullptr;
    }

private:
    class Connection : public HidConnection {
    public:
        explicit Connection(std::shared_ptr<FakeBoard> board)
            : m_board(std::move(board)) {
            ++m_board->openConnections;
        }
        ~Connection() override { --m_board->openConnections; }

        bool write(const quint8* data, int length) override {
            m_board->written.emplace_back(data, data + length);
            return !m_board->writeFails;
        }
        int read(quint8* data, int capacity, int timeoutMs) override {
            m_board->readTimeouts.push_back(timeoutMs);
            if (m_board->whileReading)
                m_board->whileReading();
            if (m_board->throwingReads > 0) {
                --m_board->throwingReads;
                throw std::runtime_error("device gone mad");
            }
            if (m_board->reports.empty())
                return 0;
            const std::vector<quint8> report = m_board->reports.front();
            m_board->reports.pop_front();
            const int count = std::min(capacity, static_cast<int>(report.size()));
            std::copy_n(report.begin(), count, data);
            return count;
        }

    private:
        std::shared_ptr<FakeBoard> m_board;
    };

    std::vector<std::shared_ptr<FakeBoard>> m_boards;
    int m_nextNode = 0;
};

// Hands the controller a backend the test filled beforehand.
class FakeHidBackendFactory : public HidBackendFactory {
public:
    FakeHidBackend& backend() { return *m_backend; }
    std::unique_ptr<HidBackend> makeBackend() override { return std::move(m_backend); }

private:
    std::unique_ptr<FakeHidBackend> m_backend = std::make_unique<FakeHidBackend>();
};
