// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: LoadSoundLibrary on arbitrary bytes, through a random-access and through a
// sequential device. Both must agree, neither may crash, hang or read out of bounds.
#include "sound/SoundLibraryError.h"
#include "sound/TLMDWaveList.h"

#include <QBuffer>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// A pipe-like device: the reader must not rely on size() or seek() with it.
class SequentialDevice : public QIODevice {
public:
    explicit SequentialDevice(const QByteArray& bytes)
        : m_bytes(bytes) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        // Odd short reads, as a pipe would give.
        const qint64 n = std::min({maxSize, qint64(m_bytes.size()) - m_at, qint64(4093)});
        std::memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray& m_bytes;
    qint64 m_at = 0;
};

struct Outcome {
    std::optional<SoundLibraryError::Kind> error;
    std::vector<QByteArray> images;
};

Outcome load(QIODevice& device) {
    Outcome outcome;
    TLMDWaveList list;
    try {
        list.LoadSoundLibrary(device);
    } catch (const SoundLibraryError& e) {
        outcome.error = e.kind();
    }
    for (int i = 0; i < list.count(); ++i)
        outcome.images.push_back(list.wave(i).image());
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const Outcome random = load(buffer);

    SequentialDevice pipe(bytes);
    const Outcome sequential = load(pipe);

    if (random.error != sequential.error || random.images != sequential.images)
        std::abort();
    return 0;
}
