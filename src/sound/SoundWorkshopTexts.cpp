// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundWorkshopTexts.h"

#include "language/LanguagePhrases.h"
#include "sound/SoundLibraryFormat.h"

#include <array>

namespace SoundWorkshopTexts {

QString importProblem(const SoundImport::Result& result, Language language) {
    using Problem = SoundImport::Problem;
    switch (result.problem) {
    case Problem::Truncated:
        return phrase(Phrase::SoundsFileTruncated, language);
    case Problem::NoAudio:
        return phrase(Phrase::SoundsFileNoAudio, language);
    case Problem::TooLong:
        return phrase(Phrase::SoundsFileTooLong, language).arg(SoundImport::maxSeconds);
    case Problem::Silent:
        return phrase(Phrase::SoundsFileSilent, language);
    case Problem::Cancelled:
        return phrase(Phrase::SoundsImportCancelled, language);
    case Problem::Unreadable:
    case Problem::None:
        break;
    }
    return phrase(Phrase::SoundsFileUnreadable, language);
}

QString editProblem(const SoundLibraryEdit::Outcome& outcome, int number, Language language) {
    using Problem = SoundLibraryEdit::Problem;
    switch (outcome.problem) {
    case Problem::None:
        return {};
    case Problem::Full:
        return phrase(Phrase::SoundsLibraryFull, language).arg(SoundLibraryEdit::maxSounds);
    case Problem::LastSound:
        return phrase(Phrase::SoundsLastSound, language);
    case Problem::NoSuchSound:
        return phrase(Phrase::SoundsNoSuchSound, language).arg(number);
    case Problem::NotWindows1251:
        return phrase(Phrase::SoundsDescriptionNot1251, language);
    case Problem::DescriptionLong:
        return phrase(Phrase::SoundsDescriptionLong, language)
            .arg(SoundLibraryFormat::maxDescriptionBytes);
    case Problem::Unreadable:
        return phrase(Phrase::SoundsReadFailed, language).arg(outcome.reason);
    case Problem::WriteFailed:
        break;
    }
    return phrase(Phrase::SoundsWriteFailed, language).arg(outcome.reason);
}

QString specialtyAndKind(int special, int kind, Language language) {
    static constexpr std::array Specialties{
        Phrase::SpecialtyAny,     Phrase::SpecialtyDoorman, Phrase::SpecialtyElectrician,
        Phrase::SpecialtyPlumber, Phrase::SpecialtyPostman, Phrase::SpecialtyPedestrian};
    const Phrase specialty = Specialties.at(std::size_t(special));
    return QStringLiteral("%1, %2").arg(
        phrase(specialty, language),
        phrase(kind == 0 ? Phrase::SoundsLong : Phrase::SoundsShort, language));
}

QString libraryName(int special, int kind, bool own, Language language) {
    return QStringLiteral("%1 (%2)").arg(
        specialtyAndKind(special, kind, language),
        phrase(own ? Phrase::SoundsOwn : Phrase::SoundsShipped, language));
}

} // namespace SoundWorkshopTexts
