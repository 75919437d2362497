// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryWorkshop.h"

#include "core/LogCategories.h"
#include "core/Windows1251.h"
#include "language/LanguagePhrases.h"
#include "sound/SoundImport.h"
#include "sound/SoundLibraryFormat.h"
#include "sound/SoundWorkshopTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The file's name as the sound's description, with what Windows-1251 lacks made '_' and cut to
// what the format holds: a recording named in Greek is still worth adding.
QString descriptionOf(const QString& file) {
    QString text = QFileInfo(file).completeBaseName();
    for (QChar& c : text)
        if (!Windows1251::encode(QStringView(&c, 1)))
            c = QLatin1Char('_');
    return text.left(SoundLibraryFormat::maxDescriptionBytes);
}

QString shownFile(const QString& file) {
    return QDir::toNativeSeparators(file);
}

} // namespace

SoundLibraryWorkshop::SoundLibraryWorkshop(SoundLibraryPlaces places, const Language& language)
    : m_places(std::move(places))
    , m_language(language) {
    // One at a time: a change must read the library the change before it wrote.
    m_pool.setMaxThreadCount(1);
}

SoundLibraryWorkshop::~SoundLibraryWorkshop() {
    m_cancel->store(true);
    m_pool.waitForDone();
}

const SoundLibraryListing& SoundLibraryWorkshop::library(int index) const {
    return m_libraries.at(std::size_t(index));
}

void SoundLibraryWorkshop::refresh() {
    for (int index = 0; index < libraryCount; ++index)
        readOne(index);
}

void SoundLibraryWorkshop::readOne(int index) {
    m_pool.start([this, index, places = m_places] {
        auto listing = std::make_shared<SoundLibraryListing>(
            listLibrary(places, specialOf(index), kindOf(index)));
        QMetaObject::invokeMethod(
            this,
            [this, index, listing] {
                m_libraries.at(std::size_t(index)) = std::move(*listing);
                emit libraryRead(index);
            },
            Qt::QueuedConnection);
    });
}

QString SoundLibraryWorkshop::refusal() const {
    if (m_importing)
        return phrase(Phrase::SoundsImportBusy, m_language);
    if (m_busy)
        return phrase(Phrase::SoundsWorkBusy, m_language);
    return {};
}

void SoundLibraryWorkshop::start(Job job, bool import) {
    m_busy = true;
    m_importing = import;
    m_pool.start([this, job = std::move(job)] {
        auto done = std::make_shared<Done>(job());
        QMetaObject::invokeMethod(
            this, [this, done] { finish(*done); }, Qt::QueuedConnection);
    });
}

void SoundLibraryWorkshop::finish(const Done& done) {
    m_busy = false;
    m_importing = false;
    m_libraries.at(std::size_t(done.index)) = done.listing;
    emit libraryRead(done.index);
    if (done.changedCount >= 0)
        emit libraryChanged(specialOf(done.index), kindOf(done.index), done.changedCount);
    for (const QString& message : done.messages)
        qCInfo(lcSound) << "Sound library" << done.index << ":" << message;
    emit workDone(done.messages);
}

QString SoundLibraryWorkshop::importFiles(int index, const QStringList& files, bool trimSilence) {
    if (QString refused = refusal(); !refused.isEmpty())
        return refused;
    const SoundLibraryListing& held = library(index);
    const int room = SoundLibraryEdit::maxSounds - (held.read ? held.count() : 0);
    if (files.size() > room)
        return phrase(Phrase::SoundsTooMany, m_language)
            .arg(SoundWorkshopTexts::specialtyAndKind(specialOf(index), kindOf(index), m_language))
            .arg(held.count())
            .arg(std::max(room, 0))
            .arg(SoundLibraryEdit::maxSounds);
    m_cancel->store(false);
    const Language language = m_language;
    start(
        [this, index, files, trimSilence, language, places = m_places, cancel = m_cancel] {
            const int special = specialOf(index);
            const int kind = kindOf(index);
            Done done{index, {}, {}, -1};
            bool own = false;
            SoundLibraryEdit::Outcome outcome;
            SoundLibraryEdit edit = startEdit(places, special, kind, &own, &outcome);
            if (!outcome.ok()) {
                done.messages << SoundWorkshopTexts::editProblem(outcome, 0, language);
                done.listing = listLibrary(places, special, kind);
                return done;
            }
            int added = 0;
            for (int k = 0; k < files.size() && !cancel->load(); ++k) {
                SoundImport::Options options;
                options.trimSilence = trimSilence;
                options.cancel = cancel.get();
                const int file = k + 1;
                const int total = int(files.size());
                options.progress = [this, file, total](double fraction) {
                    QMetaObject::invokeMethod(
                        this,
                        [this, file, total, fraction] {
                            emit importProgress(file, total, fraction);
                        },
                        Qt::QueuedConnection);
                };
                const SoundImport::Result result = SoundImport::fromFile(files[k], options);
                if (result.problem == SoundImport::Problem::Cancelled)
                    break;
                const SoundLibraryEdit::Outcome taken =
                    result.ok() ? edit.add(result.waveImage, descriptionOf(files[k]))
                                : SoundLibraryEdit::Outcome{};
                if (!result.ok() || !taken.ok()) {
                    const QString why = result.ok()
                                            ? SoundWorkshopTexts::editProblem(taken, 0, language)
                                            : SoundWorkshopTexts::importProblem(result, language);
                    done.messages
                        << phrase(Phrase::SoundsFileFailed, language).arg(shownFile(files[k]), why);
                    continue;
                }
                ++added;
            }
            if (cancel->load()) {
                // Nothing written: the library stays as it was before the import.
                done.messages = QStringList{phrase(Phrase::SoundsImportCancelled, language)};
            } else if (added > 0) {
                const SoundLibraryEdit::Outcome written = edit.write(places.ownPath(special, kind));
                if (written.ok()) {
                    done.changedCount = edit.count();
                    done.messages << phrase(Phrase::SoundsImported, language)
                                         .arg(added)
                                         .arg(SoundWorkshopTexts::specialtyAndKind(special, kind,
                                                                                   language));
                } else {
                    done.messages << SoundWorkshopTexts::editProblem(written, 0, language);
                }
            }
            done.listing = listLibrary(places, special, kind);
            return done;
        },
        true);
    return {};
}

void SoundLibraryWorkshop::cancelImport() {
    if (m_importing)
        m_cancel->store(true);
}

QString
SoundLibraryWorkshop::change(int index,
                             std::function<SoundLibraryEdit::Outcome(SoundLibraryEdit&)> edit,
                             QString doneMessage) {
    if (QString refused = refusal(); !refused.isEmpty())
        return refused;
    const Language language = m_language;
    start(
        [index, edit = std::move(edit), doneMessage, language, places = m_places] {
            const int special = specialOf(index);
            const int kind = kindOf(index);
            Done done{index, {}, {}, -1};
            bool own = false;
            SoundLibraryEdit::Outcome outcome;
            SoundLibraryEdit library = startEdit(places, special, kind, &own, &outcome);
            if (outcome.ok())
                outcome = edit(library);
            if (outcome.ok())
                outcome = library.write(places.ownPath(special, kind));
            if (outcome.ok()) {
                done.changedCount = library.count();
                done.messages << doneMessage;
            } else {
                done.messages << SoundWorkshopTexts::editProblem(outcome, 0, language);
            }
            done.listing = listLibrary(places, special, kind);
            return done;
        },
        false);
    return {};
}

QString SoundLibraryWorkshop::removeSound(int index, int number) {
    const SoundLibraryListing& held = library(index);
    // The shipped library is copied first, so its last sound can go too only through "back".
    if (held.read && held.count() <= 1)
        return phrase(Phrase::SoundsLastSound, m_language);
    return change(
        index, [number](SoundLibraryEdit& edit) { return edit.remove(number); },
        phrase(Phrase::SoundsRemoved, m_language).arg(number));
}

QString SoundLibraryWorkshop::setDescription(int index, int number, const QString& text) {
    QByteArray bytes;
    // Refused here and now, so the user mends the text while it is still in the field.
    if (const SoundLibraryEdit::Outcome encoded = SoundLibraryEdit::encodeDescription(text, &bytes);
        !encoded.ok())
        return SoundWorkshopTexts::editProblem(encoded, number, m_language);
    return change(
        index, [number, text](SoundLibraryEdit& edit) { return edit.setDescription(number, text); },
        phrase(Phrase::SoundsDescribed, m_language).arg(number));
}

QString SoundLibraryWorkshop::backToShipped(int index) {
    if (QString refused = refusal(); !refused.isEmpty())
        return refused;
    const Language language = m_language;
    start(
        [index, language, places = m_places] {
            const int special = specialOf(index);
            const int kind = kindOf(index);
            Done done{index, {}, {}, -1};
            const QString path = places.ownPath(special, kind);
            QFile file(path);
            if (!path.isEmpty() && file.exists() && !file.remove()) {
                done.messages << phrase(Phrase::SoundsDeleteFailed, language)
                                     .arg(shownFile(path), file.errorString());
                done.listing = listLibrary(places, special, kind);
                return done;
            }
            done.listing = listLibrary(places, special, kind);
            done.changedCount = done.listing.count();
            done.messages << phrase(Phrase::SoundsBackDone, language)
                                 .arg(
                                     SoundWorkshopTexts::specialtyAndKind(special, kind, language));
            return done;
        },
        false);
    return {};
}
