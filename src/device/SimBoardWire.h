// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>
#include <span>

// The pieces a simulated board and SimBoardBackend share: the socket file names and the report
// framing. The protocol itself is described in SimBoardBackend.h.
namespace SimBoardWire {

// A report on the wire, report id included; HID full-speed reports are never longer.
constexpr int MaxReport = 64;

struct SocketName {
    quint16 vendorId = 0;
    quint16 productId = 0;
    // Tells apart boards with the same ids in one folder; 1 for the first.
    int slot = 1;

    bool operator==(const SocketName&) const = default;
};

// "board-VVVV-PPPP-S.sock": ids as four lowercase hex digits, the slot in decimal.
QString socketFileName(const SocketName& name);
// Anything but a name socketFileName gives (for slot 1 to 9999) is not a board.
std::optional<SocketName> parseSocketFileName(const QString& fileName);

// Takes in a byte stream and cuts it into reports: one length byte (1 to MaxReport), then that
// many bytes. It asks for exactly the bytes the current report still lacks, so it never holds
// more than one report.
class FrameReader {
public:
    enum class Step { Incomplete, Complete, Invalid };

    // Where the next bytes received go; never empty unless the stream was found invalid.
    std::span<quint8> space();
    // `received` bytes were put into space(). After Complete, report() is valid until the next
    // call; after Invalid the stream is out of step for good.
    Step advance(int received);
    std::span<const quint8> report() const;
    bool invalid() const { return m_invalid; }

private:
    std::array<quint8, MaxReport> m_report{};
    quint8 m_length = 0;
    int m_filled = 0;
    bool m_haveLength = false;
    bool m_complete = false;
    bool m_invalid = false;
};

// The report framed for the wire; nullopt when its length is outside 1 to MaxReport.
std::optional<std::array<quint8, MaxReport + 1>> frame(std::span<const quint8> report);

} // namespace SimBoardWire
