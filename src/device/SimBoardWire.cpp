// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SimBoardWire.h"

#include <QRegularExpression>

#include <algorithm>

namespace SimBoardWire {

QString socketFileName(const SocketName& name) {
    return QStringLiteral("board-%1-%2-%3.sock")
        .arg(name.vendorId, 4, 16, QLatin1Char('0'))
        .arg(name.productId, 4, 16, QLatin1Char('0'))
        .arg(name.slot);
}

std::optional<SocketName> parseSocketFileName(const QString& fileName) {
    static const QRegularExpression pattern(
        QStringLiteral("^board-([0-9a-f]{4})-([0-9a-f]{4})-([1-9][0-9]{0,3})\\.sock$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    SocketName name;
    name.vendorId = static_cast<quint16>(match.captured(1).toUInt(nullptr, 16));
    name.productId = static_cast<quint16>(match.captured(2).toUInt(nullptr, 16));
    name.slot = match.captured(3).toInt();
    return name;
}

std::span<quint8> FrameReader::space() {
    if (m_invalid)
        return {};
    if (m_complete) {
        m_complete = false;
        m_haveLength = false;
        m_filled = 0;
    }
    if (!m_haveLength)
        return {&m_length, 1};
    return {m_report.data() + m_filled, static_cast<size_t>(m_length - m_filled)};
}

FrameReader::Step FrameReader::advance(int received) {
    if (m_invalid || received <= 0)
        return m_invalid ? Step::Invalid : Step::Incomplete;
    if (!m_haveLength) {
        if (m_length == 0 || m_length > MaxReport) {
            m_invalid = true;
            return Step::Invalid;
        }
        m_haveLength = true;
        return Step::Incomplete;
    }
    m_filled = std::min<int>(m_filled + received, m_length);
    m_complete = m_filled == m_length;
    return m_complete ? Step::Complete : Step::Incomplete;
}

std::span<const quint8> FrameReader::report() const {
    if (!m_complete)
        return {};
    return {m_report.data(), static_cast<size_t>(m_length)};
}

std::optional<std::array<quint8, MaxReport + 1>> frame(std::span<const quint8> report) {
    if (report.empty() || report.size() > MaxReport)
        return std::nullopt;
    std::array<quint8, MaxReport + 1> framed{};
    framed[0] = static_cast<quint8>(report.size());
    std::copy(report.begin(), report.end(), framed.begin() + 1);
    return framed;
}

} // namespace SimBoardWire
