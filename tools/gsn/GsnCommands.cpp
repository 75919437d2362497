// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnCommands.h"

#include "GsnFileArguments.h"
#include "GsnLibraryTarget.h"
#include "sound/LoudnessMeter.h"
#include "sound/SoundImport.h"
#include "sound/SoundLibraryEdit.h"
#include "sound/SoundLibraryError.h"
#include "sound/SoundLibraryWriter.h"
#include "sound/TLMDWaveList.h"
#include "sound/WaveImage.h"

#include <QBuffer>
#include <QDir>
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
    if (command == QLatin1String("add") && !rest.isEmpty())
        return add(rest);
    if (command == QLatin1String("remove") && rest.size() == 2)
        return remove(rest[0], rest[1]);
    return usage();
}

void GsnCommands::writeUsage(QTextStream& stream) {
    stream << "usage: gsn list FILE\n"
              "       gsn extract FILE DIR\n"
              "       gsn pack [--plain] [--no-trim] OUT.gsn [--description TEXT] SOUND...\n"
              "       gsn add [--no-trim] LIBRARY [--description TEXT] SOUND...\n"
              "       gsn remove LIBRARY INDEX\n"
              "       gsn check FILE\n"
              "       gsn --help\n"
              "SOUND is any file libsndfile reads (WAV, FLAC, Ogg, Opus, MP3, AIFF, ...); it is\n"
              "stored mono, 16-bit, 44100 Hz, at -20 LUFS, with the silence at its ends cut off\n"
              "unless --no-trim is given. --description applies to the sounds after it, until the\n"
              "next one. LIBRARY is a .gsn file (made when missing) or a name 0b..5m: the user's\n"
              "own library of that name, which starts from the shipped one's sounds. INDEX counts\n"
              "from 0, as list shows.\n";
    stream.flush();
}

int GsnCommands::usage() {
    writeUsage(m_err);
    return Usage;
}

int GsnCommands::fail(const QString& file, const QString& reason) {
    return report(file + QStringLiteral(": ") + reason);
}

int GsnCommands::report(const QString& message) {
    m_err << "gsn: " << message << '\n';
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

std::optional<int> GsnCommands::refused(const GsnFileArguments& parsed) {
    switch (parsed.problem) {
    case GsnFileArguments::Problem::None:
        return std::nullopt;
    case GsnFileArguments::Problem::Usage:
        return usage();
    case GsnFileArguments::Problem::Description:
        break;
    }
    return fail(parsed.text, parsed.reason);
}

std::optional<std::vector<QByteArray>> GsnCommands::importAll(const GsnFileArguments& parsed) {
    SoundImport::Options options;
    options.trimSilence = parsed.trim;
    std::vector<QByteArray> images;
    for (const GsnFileArguments::Input& input : parsed.inputs) {
        SoundImport::Result result = SoundImport::fromFile(input.file, options);
        if (!result.ok()) {
            fail(input.file, result.reason);
            return std::nullopt;
        }
        images.push_back(std::move(result.waveImage));
    }
    return images;
}

int GsnCommands::pack(const QStringList& arguments) {
    const GsnFileArguments parsed = GsnFileArguments::parse(arguments, true);
    if (const auto status = refused(parsed))
        return *status;
    const auto images = importAll(parsed);
    if (!images)
        return Failed;
    const QString& output = parsed.library;
    std::vector<SoundLibraryWriter::Sound> sounds;
    for (std::size_t i = 0; i < images->size(); ++i) {
        QByteArray description;
        SoundLibraryEdit::encodeDescription(parsed.inputs[i].description, &description);
        sounds.push_back({(*images)[i], description, 0, !parsed.plain});
    }

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

int GsnCommands::add(const QStringList& arguments) {
    const GsnFileArguments parsed = GsnFileArguments::parse(arguments, false);
    if (const auto status = refused(parsed))
        return *status;
    QString reason;
    const GsnLibraryTarget target = GsnLibraryTarget::resolve(parsed.library, m_places, &reason);
    if (target.path.isEmpty())
        return fail(parsed.library, reason);
    SoundLibraryEdit edit;
    if (!target.startFrom.isEmpty()) {
        SoundLibraryEdit::Outcome read;
        edit = SoundLibraryEdit::read(target.startFrom, &read);
        if (!read.ok())
            return report(read.reason);
    }
    // Refused before the conversions, which take a while for long recordings.
    const std::size_t total = std::size_t(edit.count()) + parsed.inputs.size();
    if (total > std::size_t(SoundLibraryEdit::maxSounds))
        return fail(target.path, QStringLiteral("would hold %1 sounds; a library holds at most %2")
                                     .arg(total)
                                     .arg(SoundLibraryEdit::maxSounds));
    const auto images = importAll(parsed);
    if (!images)
        return Failed;
    for (std::size_t i = 0; i < images->size(); ++i) {
        const SoundLibraryEdit::Outcome added =
            edit.add((*images)[i], parsed.inputs[i].description);
        if (!added.ok())
            return fail(parsed.inputs[i].file, added.reason);
    }
    if (const SoundLibraryEdit::Outcome written = edit.write(target.path); !written.ok())
        return report(written.reason);
    m_out << target.path << ": " << edit.count() << " sounds, " << images->size() << " added\n";
    m_out.flush();
    return Ok;
}

int GsnCommands::remove(const QString& library, const QString& indexText) {
    bool number = false;
    const int index = indexText.toInt(&number);
    if (!number)
        return usage();
    QString reason;
    const GsnLibraryTarget target = GsnLibraryTarget::resolve(library, m_places, &reason);
    if (target.path.isEmpty())
        return fail(library, reason);
    if (target.startFrom.isEmpty())
        return fail(target.path, QStringLiteral("no such library"));
    SoundLibraryEdit::Outcome outcome;
    SoundLibraryEdit edit = SoundLibraryEdit::read(target.startFrom, &outcome);
    if (outcome.ok())
        outcome = edit.remove(index);
    if (outcome.problem == SoundLibraryEdit::Problem::LastSound)
        return fail(target.path, target.own ? QStringLiteral("a library keeps one sound at least; "
                                                             "delete the file to go back to the "
                                                             "shipped sounds")
                                            : QStringLiteral("a library keeps one sound at least"));
    if (outcome.problem == SoundLibraryEdit::Problem::NoSuchSound)
        return fail(target.path, QStringLiteral("no sound %1; the library holds %2 (from 0)")
                                     .arg(index)
                                     .arg(edit.count()));
    if (outcome.ok())
        outcome = edit.write(target.path);
    if (!outcome.ok())
        return report(outcome.reason);
    m_out << target.path << ": sound " << index << " removed, " << edit.count()
          << (edit.count() == 1 ? " sound left\n" : " sounds left\n");
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
