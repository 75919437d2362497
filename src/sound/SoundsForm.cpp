// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundsForm.h"

#include "language/LanguagePhrases.h"
#include "sound/SoundLibraryWorkshop.h"
#include "sound/SoundWorkshopTexts.h"

#include <QFileInfo>

#include <cmath>

SoundsForm::SoundsForm(SoundLibraryWorkshop& workshop, const Language& language, Preview preview)
    : m_workshop(workshop)
    , m_language(language)
    , m_preview(std::move(preview)) {
    connect(&m_workshop, &SoundLibraryWorkshop::libraryRead, this,
            [this] { emit librariesShown(); });
    connect(&m_workshop, &SoundLibraryWorkshop::importProgress, this,
            [this](int file, int files, double fraction) {
                const QString name = QFileInfo(m_importFiles.value(file - 1)).fileName();
                m_progressText =
                    phrase(Phrase::SoundsImporting, m_language).arg(file).arg(files).arg(name);
                // Each file takes an equal share of the bar.
                m_progressPercent =
                    int(std::lround(100.0 * (file - 1 + std::clamp(fraction, 0.0, 1.0)) / files));
                emit progressShown();
            });
    connect(&m_workshop, &SoundLibraryWorkshop::workDone, this,
            [this](const QStringList& messages) {
                m_importFiles.clear();
                m_progressText.clear();
                m_progressPercent = 0;
                emit progressShown();
                setNote(messages.join(QLatin1Char('\n')));
            });
}

QStringList SoundsForm::libraryNames() const {
    QStringList names;
    for (int index = 0; index < SoundLibraryWorkshop::libraryCount; ++index)
        names << SoundWorkshopTexts::libraryName(SoundLibraryWorkshop::specialOf(index),
                                                 SoundLibraryWorkshop::kindOf(index),
                                                 m_workshop.library(index).own, m_language);
    return names;
}

QStringList SoundsForm::effectNames() const {
    QStringList names;
    for (const Phrase effect :
         {Phrase::SoundsEffectMiddle, Phrase::SoundsEffectLeft, Phrase::SoundsEffectRight,
          Phrase::SoundsEffectRightToLeft, Phrase::SoundsEffectLeftToRight})
        names << phrase(effect, m_language);
    return names;
}

void SoundsForm::refresh() {
    m_workshop.refresh();
}

void SoundsForm::chooseLibrary(int index) {
    if (index < 0 || index >= SoundLibraryWorkshop::libraryCount || index == m_library)
        return;
    m_library = index;
    emit librariesShown();
}

std::vector<SoundsForm::Row> SoundsForm::rows() const {
    std::vector<Row> rows;
    const SoundLibraryListing& listing = m_workshop.library(m_library);
    int number = 0;
    for (const SoundLibraryListing::Sound& sound : listing.sounds) {
        const QString loudness = sound.loudness ? phrase(Phrase::SoundsLufs, m_language)
                                                      .arg(QString::number(*sound.loudness, 'f', 1))
                                                : QStringLiteral("—");
        rows.push_back(
            {QString::number(number++), sound.description,
             phrase(Phrase::SoundsSeconds, m_language).arg(QString::number(sound.seconds, 'f', 2)),
             loudness});
    }
    return rows;
}

bool SoundsForm::ownLibrary() const {
    return m_workshop.library(m_library).own;
}

void SoundsForm::play(int number, int effect) {
    if (number < 0 || number >= m_workshop.library(m_library).count())
        return;
    if (m_preview)
        m_preview(SoundLibraryWorkshop::specialOf(m_library),
                  SoundLibraryWorkshop::kindOf(m_library), number, std::clamp(effect, 0, 4));
}

void SoundsForm::add(const QStringList& files, bool trimSilence) {
    if (files.isEmpty())
        return;
    const QString refusal = m_workshop.importFiles(m_library, files, trimSilence);
    if (refusal.isEmpty()) {
        m_importFiles = files;
        m_progressText = phrase(Phrase::SoundsImporting, m_language)
                             .arg(1)
                             .arg(files.size())
                             .arg(QFileInfo(files.first()).fileName());
        m_progressPercent = 0;
        emit progressShown();
    }
    started(refusal);
}

void SoundsForm::remove(int number) {
    started(m_workshop.removeSound(m_library, number));
}

void SoundsForm::describe(int number, const QString& text) {
    started(m_workshop.setDescription(m_library, number, text));
}

void SoundsForm::backToShipped() {
    started(m_workshop.backToShipped(m_library));
}

void SoundsForm::cancelImport() {
    m_workshop.cancelImport();
}

bool SoundsForm::importing() const {
    return m_workshop.importing();
}

bool SoundsForm::busy() const {
    return m_workshop.busy();
}

void SoundsForm::started(const QString& refusal) {
    setNote(refusal);
}

void SoundsForm::setNote(const QString& note) {
    if (note == m_note)
        return;
    m_note = note;
    emit noteChanged(m_note);
}
