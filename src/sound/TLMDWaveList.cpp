// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TLMDWaveList.h"

#include "core/LogCategories.h"
#include "sound/EErrorCheckingWave.h"
#include "sound/SoundBlockDecoder.h"
#include "sound/SoundLibraryFormat.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <string>

namespace F = SoundLibraryFormat;
using Kind = SoundLibraryError::Kind;

namespace {

// Untrusted sizes are read a slice at a time, so memory grows only with bytes that really came.
constexpr qint64 readSlice = qint64(1) << 20;

class LibraryReader {
public:
    explicit LibraryReader(QIODevice& device)
        : m_device(device) {}

    void setRecord(int index) { m_record = index; }

    qint64 readSome(char* to, qint64 n) {
        qint64 total = 0;
        while (total < n) {
            const qint64 got = m_device.read(to + total, n - total);
            if (got <= 0)
                break;
            total += got;
        }
        return total;
    }

    void read(char* to, qint64 n, const char* what) {
        if (readSome(to, n) != n)
            endedInside(what);
    }

    std::uint8_t u8(const char* what) {
        char b;
        read(&b, 1, what);
        return std::uint8_t(b);
    }

    std::uint32_t u32(const char* what) {
        char b[4];
        read(b, 4, what);
        return qFromLittleEndian<std::uint32_t>(b);
    }

    qint32 i32(const char* what) { return qint32(u32(what)); }

    QByteArray bytes(qint64 n, const char* what) {
        QByteArray out;
        if (!m_device.isSequential()) {
            // The file holds them: take them in one piece.
            if (m_device.size() - m_device.pos() < n)
                endedInside(what);
            out.resize(qsizetype(n));
            read(out.data(), n, what);
            return out;
        }
        while (out.size() < n) {
            const qsizetype old = out.size();
            const qint64 slice = std::min(n - old, readSlice);
            out.resize(old + slice);
            read(out.data() + old, slice, what);
        }
        return out;
    }

    void skip(qint64 n, const char* what) {
        if (!m_device.isSequential()) {
            if (m_device.size() - m_device.pos() < n || !m_device.seek(m_device.pos() + n))
                endedInside(what);
            return;
        }
        QByteArray sink(qsizetype(std::min(n, readSlice)), Qt::Uninitialized);
        for (qint64 left = n; left > 0;) {
            const qint64 slice = std::min(left, readSlice);
            read(sink.data(), slice, what);
            left -= slice;
        }
    }

    // Counts `more` bytes of wave data onto a sound that holds `soundBytes` so far, before they
    // are allocated.
    void growWave(qint64 soundBytes, qint64 more) {
        if (soundBytes + more > F::maxSoundBytes)
            fail("sound expands past " + mebibytes(F::maxSoundBytes), Kind::TooLarge);
        if (m_libraryBytes + more > F::maxLibraryBytes)
            fail("the sounds expand past " + mebibytes(F::maxLibraryBytes) + " together",
                 Kind::TooLarge);
        m_libraryBytes += more;
    }

    [[noreturn]] void fail(const std::string& reason, Kind kind = Kind::BadData) const {
        std::string where = m_record >= 0 ? "sound " + std::to_string(m_record) : "header";
        where += " (byte " + std::to_string(m_device.pos()) + ")";
        throw SoundLibraryError(kind, where + ": " + reason);
    }

private:
    [[noreturn]] void endedInside(const char* what) const {
        std::string message = std::string("Stream read error: the file ends inside ") + what;
        if (m_record >= 0)
            message += " of sound " + std::to_string(m_record);
        throw SoundLibraryError(Kind::ReadPastEnd, message);
    }

    static std::string mebibytes(qint64 bytes) { return std::to_string(bytes >> 20) + " MiB"; }

    QIODevice& m_device;
    int m_record = -1;
    qint64 m_libraryBytes = 0; // wave data of every sound so far, taken or not
};

QByteArray readPlainWave(LibraryReader& in) {
    const qint32 size = in.i32("the wave size");
    if (size < 0)
        in.fail("negative wave size " + std::to_string(size));
    in.growWave(0, size);
    return in.bytes(size, "the wave data");
}

QByteArray readCompressedWave(LibraryReader& in) {
    const qint32 total = in.i32("the compressed size");
    if (total < 0)
        in.fail("negative compressed size " + std::to_string(total));

    QByteArray image;
    if (total == 0)
        return image;
    std::vector<std::uint8_t> block(F::maxBlockSize);
    std::vector<std::uint8_t> output(F::pieceSize);
    for (qint64 remainder = total; remainder > 0;) {
        const qint32 length = in.i32("a block length");
        if (length <= 0 || length > F::maxBlockSize)
            in.fail("block length " + std::to_string(length) + " outside 1 to 32782");
        in.read(reinterpret_cast<char*>(block.data()), length, "a block");
        const auto result =
            SoundBlockDecoder::decode(block.data(), std::size_t(length), output.data());
        if (result.error)
            in.fail(result.error);
        in.growWave(image.size(), qint64(result.size));
        image.append(reinterpret_cast<const char*>(output.data()), qsizetype(result.size));
        remainder -= 4 + qint64(length);
    }
    return image;
}

void readRecord(LibraryReader& in, TLMDWaveListItem& item) {
    item.Flags = in.u8("the flags byte");
    item.Compressed = item.Flags & F::flagCompressed;
    if (item.Flags & F::flagDescription) {
        const std::uint8_t length = in.u8("the description length");
        item.Description = in.bytes(length, "the description");
    }
    if (item.Flags & F::flagIdent)
        item.Ident = std::uint16_t(in.u32("the ident") & 0xFFFF);
    if (item.Flags & F::flagWave) {
        QByteArray image = item.Compressed ? readCompressedWave(in) : readPlainWave(in);
        if (TLMDWaveList::GetWaveData(image))
            item.Wave.setImage(std::move(image));
    }
}

} // namespace

TLMDWaveList::~TLMDWaveList() {
    clear();
}

void TLMDWaveList::clear() {
    for (const TLMDWaveListItem& item : m_items) {
        if (!item.Wave.isEmpty() && m_stopPlayer)
            m_stopPlayer();
    }
    m_items.clear();
}

void TLMDWaveList::LoadSoundLibrary(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString message = QStringLiteral("Cannot open file \"%1\". %2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString());
        qCWarning(lcSound) << message;
        throw SoundLibraryError(Kind::FileOpen, message.toStdString());
    }
    try {
        LoadSoundLibrary(file);
    } catch (const SoundLibraryError& e) {
        qCWarning(lcSound) << "Sound library" << path << "not loaded:" << e.what();
        throw;
    }
}

void TLMDWaveList::LoadSoundLibrary(QIODevice& device) {
    LibraryReader in(device);

    char header[F::signatureSize];
    if (in.readSome(header, F::signatureSize) != F::signatureSize)
        throw SoundLibraryError(Kind::ReadPastEnd,
                                "Stream read error: the file ends inside the signature");
    // The length byte says how much to compare; only 8 can match, so this is all nine bytes.
    if (std::memcmp(header, F::signature, F::signatureSize) != 0)
        throw SoundLibraryError(Kind::Signature, "Cannot open file %s: TLMDWaveList");

    clear();
    ++m_replacements;

    const qint32 count = in.i32("the sound count");
    if (count > 0)
        in.skip(4 * qint64(count), "the offset table");
    for (qint32 i = 0; i < count; ++i) {
        m_items.emplace_back();
        in.setRecord(i);
        readRecord(in, m_items.back());
    }
}

bool TLMDWaveList::GetWaveData(const QByteArray& buffer) {
    if (buffer.isEmpty())
        return false;
    // Each step needs its bytes before it can compare: a buffer cut short fails the load,
    // while a wrong tag only leaves the sound empty.
    const qsizetype size = buffer.size();
    const QByteArrayView b(buffer);
    if (size < 4)
        throw EErrorCheckingWave();
    if (b.sliced(0, 4) != "RIFF")
        return false;
    if (size < 12) // the RIFF size, then the next tag
        throw EErrorCheckingWave();
    if (b.sliced(8, 4) != "WAVE")
        return false;
    if (size < 16)
        throw EErrorCheckingWave();
    if (b.sliced(12, 4) != "fmt ")
        return false;
    if (size < 34)
        throw EErrorCheckingWave();
    return true;
}
