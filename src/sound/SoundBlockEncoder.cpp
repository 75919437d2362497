// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundBlockEncoder.h"

#include "sound/SoundLibraryFormat.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace F = SoundLibraryFormat;

namespace {

constexpr int hashBits = 13;
// Enough candidates for good matches on PCM while the generator stays quick at build time.
constexpr int maxChainSteps = 48;

class ItemWriter {
public:
    explicit ItemWriter(QByteArray& out)
        : m_out(out) {}

    void literal(std::uint8_t v) {
        bit(false);
        m_out.append(char(v));
    }
    void copy(int distance, int length) {
        bit(true);
        m_out.append(char(distance >> 4));
        m_out.append(char((distance & 15) << 4 | (length - F::minCopy)));
    }
    void repeat(std::uint8_t v, int count) {
        bit(true);
        const int n = count - F::minRepeat;
        m_out.append('\0');
        m_out.append(char(n >> 8));
        m_out.append(char(n & 0xFF));
        m_out.append(char(v));
    }
    // The reader takes the top bit first, so a part-filled last word is moved up.
    void finish() {
        if (m_used == 0)
            return;
        flushControl(m_control << (F::itemsPerControlWord - m_used));
    }

private:
    void bit(bool set) {
        if (m_used == F::itemsPerControlWord) {
            flushControl(m_control);
            m_used = 0;
            m_control = 0;
        }
        if (m_used == 0) {
            m_controlAt = m_out.size();
            m_out.append(2, '\0');
        }
        m_control = (m_control << 1 | unsigned(set)) & 0xFFFF;
        ++m_used;
    }
    void flushControl(unsigned word) {
        m_out[m_controlAt] = char(word >> 8);
        m_out[m_controlAt + 1] = char(word & 0xFF);
    }

    QByteArray& m_out;
    qsizetype m_controlAt = 0;
    unsigned m_control = 0;
    int m_used = 0;
};

unsigned hash3(const std::uint8_t* p) {
    const unsigned v = unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16;
    return (v * 2654435761u) >> (32 - hashBits);
}

} // namespace

QByteArray SoundBlockEncoder::encode(QByteArrayView piece) {
    const auto* src = reinterpret_cast<const std::uint8_t*>(piece.data());
    const int n = int(piece.size());
    Q_ASSERT(n > 0 && n <= F::pieceSize);

    QByteArray out;
    out.reserve(n + n / 8 + 8);
    out.append(char(F::methodCompressed));
    ItemWriter items(out);

    std::array<int, 1 << hashBits> head;
    head.fill(-1);
    std::vector<int> previous(std::size_t(n), -1);
    auto insert = [&](int at) {
        if (at + F::minCopy > n)
            return;
        const unsigned h = hash3(src + at);
        previous[std::size_t(at)] = head[h];
        head[h] = at;
    };

    int pos = 0;
    while (pos < n) {
        int run = 1;
        while (pos + run < n && run < F::maxWrittenRepeat && src[pos + run] == src[pos])
            ++run;
        int advance = 1;
        if (run >= F::minRepeat) {
            items.repeat(src[pos], run);
            advance = run;
        } else {
            int bestLength = 0;
            int bestDistance = 0;
            const int limit = std::min(F::maxCopy, n - pos);
            if (limit >= F::minCopy) {
                int candidate = head[hash3(src + pos)];
                for (int step = 0; candidate >= 0 && step < maxChainSteps; ++step) {
                    const int distance = pos - candidate;
                    if (distance > F::maxDistance)
                        break;
                    int length = 0;
                    while (length < limit && src[candidate + length] == src[pos + length])
                        ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestDistance = distance;
                        if (length == limit)
                            break;
                    }
                    candidate = previous[std::size_t(candidate)];
                }
            }
            if (bestLength >= F::minWrittenCopy) {
                items.copy(bestDistance, bestLength);
                advance = bestLength;
            } else {
                items.literal(src[pos]);
            }
        }
        for (int k = 0; k < advance; ++k)
            insert(pos + k);
        pos += advance;
    }
    items.finish();

    if (out.size() > n) {
        out.clear();
        out.append(char(F::methodStored));
        out.append(piece.data(), n);
    }
    return out;
}
