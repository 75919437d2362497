// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryEdit.h"

#include "core/Windows1251.h"
#include "sound/SoundLibraryError.h"
#include "sound/SoundLibraryFormat.h"
#include "sound/TLMDWaveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

using Problem = SoundLibraryEdit::Problem;

namespace {

SoundLibraryEdit::Outcome problem(Problem kind, QString reason) {
    return {kind, std::move(reason)};
}

} // namespace

SoundLibraryEdit SoundLibraryEdit::read(const QString& path, Outcome* outcome) {
    SoundLibraryEdit edit;
    *outcome = {};
    TLMDWaveList list;
    try {
        list.LoadSoundLibrary(path);
    } catch (const SoundLibraryError& error) {
        *outcome = problem(Problem::Unreadable,
                           QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                                        QString::fromStdString(error.what())));
        return edit;
    }
    for (int i = 0; i < list.count(); ++i) {
        const TLMDWaveListItem& item = list.item(i);
        edit.m_sounds.push_back({item.Wave.image(), item.Description, item.Ident, true});
    }
    return edit;
}

SoundLibraryEdit::Outcome SoundLibraryEdit::encodeDescription(const QString& text,
                                                              QByteArray* bytes) {
    const std::optional<QByteArray> encoded = Windows1251::encode(text);
    if (!encoded)
        return problem(Problem::NotWindows1251,
                       QStringLiteral("the description holds a character Windows-1251 lacks"));
    if (encoded->size() > SoundLibraryFormat::maxDescriptionBytes)
        return problem(Problem::DescriptionLong,
                       QStringLiteral("the description takes %1 bytes; at most %2")
                           .arg(encoded->size())
                           .arg(SoundLibraryFormat::maxDescriptionBytes));
    *bytes = *encoded;
    return {};
}

SoundLibraryEdit::Outcome SoundLibraryEdit::add(QByteArray waveImage, const QString& description) {
    if (count() >= maxSounds)
        return problem(Problem::Full,
                       QStringLiteral("the library already holds %1 sounds").arg(maxSounds));
    QByteArray bytes;
    if (Outcome encoded = encodeDescription(description, &bytes); !encoded.ok())
        return encoded;
    m_sounds.push_back({std::move(waveImage), bytes, 0, true});
    return {};
}

SoundLibraryEdit::Outcome SoundLibraryEdit::remove(int index) {
    if (index < 0 || index >= count())
        return problem(Problem::NoSuchSound, QStringLiteral("no sound %1").arg(index));
    if (count() == 1)
        return problem(Problem::LastSound,
                       QStringLiteral("a library keeps one sound at least; go back to the "
                                      "shipped sounds instead"));
    m_sounds.erase(m_sounds.begin() + index);
    return {};
}

SoundLibraryEdit::Outcome SoundLibraryEdit::setDescription(int index, const QString& description) {
    if (index < 0 || index >= count())
        return problem(Problem::NoSuchSound, QStringLiteral("no sound %1").arg(index));
    QByteArray bytes;
    if (Outcome encoded = encodeDescription(description, &bytes); !encoded.ok())
        return encoded;
    m_sounds[std::size_t(index)].description = bytes;
    return {};
}

SoundLibraryEdit::Outcome SoundLibraryEdit::write(const QString& path) const {
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray bytes;
    try {
        bytes = SoundLibraryWriter::write(m_sounds);
    } catch (const std::invalid_argument& error) {
        return problem(Problem::WriteFailed,
                       QStringLiteral("%1: %2").arg(shown, QString::fromUtf8(error.what())));
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return problem(Problem::WriteFailed, QStringLiteral("%1: cannot make the folder %2")
                                                 .arg(shown, QDir::toNativeSeparators(folder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return problem(Problem::WriteFailed,
                       QStringLiteral("%1: %2").arg(shown, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return problem(Problem::WriteFailed, QStringLiteral("%1: %2").arg(shown, reason));
    }
    if (!file.commit())
        return problem(Problem::WriteFailed,
                       QStringLiteral("%1: %2").arg(shown, file.errorString()));
    return {};
}
