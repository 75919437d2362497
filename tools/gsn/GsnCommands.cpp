// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnCommands.h"

#include "core/Windows1251.h"
#include "sound/EErrorCheckingWave.h"
#include "sound/LoudnessMeter.h"
#include "sound/SoundLibraryFormat.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TLMDWaveList.h"
#include "sound/WaveImage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <stdexcept>

namespace {

QString reasonFor(const SoundLibraryError& e) {
    switch (e.kind()) {
    case SoundLibraryError::Kind::Signature:
        return QStringLiteral("not a sound library (no LMDWVL30 signature)");
    case SoundLibraryError::Kind::CheckingWave:
        return QStringLiteral("a wave image ends inside its RIFF WAVE header (%1)")
            .arg(QString::fromStdString(e.what()));
    default:
        return QString::fromStdString(e.what());
    }
}

QString describeFormat(const TLMDWave& wave) {
    if (wave.isEmpty())
        return QStringLiteral("empty");
    const auto format = WaveImage::format(wave.image());
    if (!format)
        return QStringLiteral("unknown");
    const QString kind =
        format->formatTag == 1
            ? QStringLiteral("PCM")
            : QStringLiteral("format 0x%1").arg(format->formatTag, 4, 16, QLatin1Char('0'));
    const QString channels = format->channels == 1 ? QStringLiteral("mono")
                             : format->channels == 2
                                 ? QStringLiteral("stereo")
                                 : QStringLiteral("%1 ch").arg(format->channels);
    return QStringLiteral("%1 %2-bit %3 %4 Hz")
        .arg(kind)
        .arg(format->bitsPerSample)
        .arg(channels)
        .arg(format->sampleRate);
}

double durationOf(const TLMDWave& wave) {
    const auto format = WaveImage::format(wave.image());
    return format ? format->seconds() : 0.0;
}

// Integrated loudness, one decimal; "-inf" for silence or a sound shorter than one 400 ms block,
// "-" for an empty sound or a format the meter cannot read.
QString loudnessText(const TLMDWave& wave) {
    const auto lufs = wave.isEmpty() ? std::nullopt : LoudnessMeter::ofWaveImage(wave.image());
    if (!lufs)
        return QStringLiteral("-");
    return QString::asprintf("%.1f LUFS", *lufs); // minus infinity prints as "-inf"
}

} // namespace

int GsnCommands::run(const QStringList& arguments) {
    if (arguments.isEmpty())
        return usage();
    const QString command = arguments.first();
    // Asked for, the usage is the answer: on standard output, and no failure.
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        writeUsage(m_out);
        return Ok;
    }
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("list") && rest.size() == 1)
        return list(rest[0]);
    if (command == QLatin1String("extract") && rest.size() == 2)
        return extract(rest[0], rest[1]);
    if (command == QLatin1String("pack") && !rest.isEmpty())
        return pack(rest);
    if (command == QLatin1String("check") && rest.size() == 1)
        return check(rest[0]);
    return usage();
}

void GsnCommands::writeUsage(QTextStream& stream) {
    stream << "usage: gsn list FILE\n"
              "       gsn extract FILE DIR\n"
              "       gsn pack [--plain] OUT.gsn [--description TEXT] WAV...\n"
              "       gsn check FILE\n"
              "       gsn --help\n"
              "--description applies to the WAV files after it, until the next one.\n";
    stream.flush();
}

int GsnCommands::usage() {
    writeUsage(m_err);
    return Usage;
}

int GsnCommands::fail(const QString& file, const QString& reason) {
    m_err << "gsn: " << file << ": " << reason << '\n';
    m_err.flush();
    return Failed;
}

bool GsnCommands::load(const QString& file, TLMDWaveList& list) {
    try {
        list.LoadSoundLibrary(file);
        return true;
    } catch (const SoundLibraryError& e) {
        fail(file, reasonFor(e));
        return false;
    }
}

int GsnCommands::list(const QString& file) {
    TLMDWaveList sounds;
    const bool loaded = load(file, sounds);
    if (!loaded && sounds.count() == 0)
        return Failed;
    m_out << file << ": " << sounds.count() << (sounds.count() == 1 ? " sound\n" : " sounds\n");
    m_out << "index  flags       size  format                         duration    loudness  "
             "ident  description\n";
    for (int i = 0; i < sounds.count(); ++i) {
        const TLMDWaveListItem& item = sounds.item(i);
        m_out << QString::asprintf("%5d  0x%02X  %9lld  ", i, unsigned(item.Flags),
                                   static_cast<long long>(item.Wave.size()))
              << describeFormat(item.Wave).leftJustified(29) << ' '
              << QString::asprintf("%7.3f s  ", durationOf(item.Wave))
              << loudnessText(item.Wave).rightJustified(10) << "  "
              << QString::asprintf("%5u  ", unsigned(item.Ident)) << item.descriptionText() << '\n';
    }
    m_out.flush();
    return loaded ? Ok : Failed;
}

int GsnCommands::extract(const QString& file, const QString& directory) {
    TLMDWaveList sounds;
    const bool loaded = load(file, sounds);
    if (!QDir().mkpath(directory))
        return fail(directory, QStringLiteral("cannot create the directory"));
    const int width = QString::number(std::max(sounds.count() - 1, 0)).size();
    for (int i = 0; i < sounds.count(); ++i) {
        const TLMDWave& wave = sounds.wave(i);
        if (wave.isEmpty()) {
            m_out << "sound " << i << " is empty, skipped\n";
            continue;
        }
        const QString path =
            QDir(directory).filePath(QStringLiteral("%1.wav").arg(i, width, 10, QLatin1Char('0')));
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(wave.image()) != wave.size() ||
            !out.commit())
            return fail(path, out.errorString());
        m_out << path << '\n';
    }
    m_out.flush();
    return loaded ? Ok : Failed;
}

int GsnCommands::pack(const QStringList& arguments) {
    bool plain = false;
    QString output;
    QByteArray description;
    std::vector<SoundLibraryWriter::Sound> sounds;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--plain")) {
            plain = true;
        } else if (argument == QLatin1String("--description")) {
            if (i + 1 == arguments.size())
                return usage();
            const QString text = arguments[++i];
            const auto encoded = Windows1251::encode(text);
            if (!encoded)
                return fail(text, QStringLiteral("description has characters that Windows-1251 "
                                                 "cannot hold"));
            if (encoded->size() > SoundLibraryFormat::maxDescriptionBytes)
                return fail(text, QStringLiteral("description is %1 bytes in Windows-1251; at "
                                                 "most 255 fit")
                                      .arg(encoded->size()));
            description = *encoded;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return usage();
        } else if (output.isEmpty()) {
            output = argument;
        } else {
            QFile in(argument);
            if (!in.open(QIODevice::ReadOnly))
                return fail(argument, in.errorString());
            const QByteArray image = in.readAll();
            bool taken = false;
            try {
                taken = TLMDWaveList::GetWaveData(image);
            } catch (const EErrorCheckingWave&) {
            }
            if (!taken)
                return fail(argument, QStringLiteral("not a RIFF WAVE file with its format chunk "
                                                     "first; the program could not play it"));
            sounds.push_back({image, description, 0, !plain});
        }
    }
    if (output.isEmpty() || sounds.empty())
        return usage();
    for (auto& sound : sounds)
        sound.compressed = !plain;

    QByteArray bytes;
    try {
        bytes = SoundLibraryWriter::write(sounds);
    } catch (const std::invalid_argument& e) {
        return fail(output, QString::fromStdString(e.what()));
    }

    // Read the result back before it replaces anything: a library the program cannot load is
    // worse than none.
    TLMDWaveList verify;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        verify.LoadSoundLibrary(buffer);
    } catch (const SoundLibraryError& e) {
        return fail(output,
                    QStringLiteral("written library does not read back: %1").arg(reasonFor(e)));
    }
    for (int i = 0; i < verify.count(); ++i) {
        if (verify.wave(i).image() != sounds[std::size_t(i)].image)
            return fail(output, QStringLiteral("sound %1 does not read back unchanged").arg(i));
    }

    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return fail(output, out.errorString());
    m_out << output << ": " << sounds.size() << (sounds.size() == 1 ? " sound, " : " sounds, ")
          << bytes.size() << " bytes\n";
    m_out.flush();
    return Ok;
}

int GsnCommands::check(const QString& file) {
    TLMDWaveList sounds;
    if (!load(file, sounds))
        return Failed;
    int empty = 0;
    for (int i = 0; i < sounds.count(); ++i)
        empty += sounds.wave(i).isEmpty() ? 1 : 0;
    m_out << file << ": ok, " << sounds.count() << (sounds.count() == 1 ? " sound" : " sounds");
    if (empty > 0)
        m_out << " (" << empty << " empty)";
    m_out << '\n';
    m_out.flush();
    return Ok;
}
