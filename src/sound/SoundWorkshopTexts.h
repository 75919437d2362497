// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "sound/SoundImport.h"
#include "sound/SoundLibraryEdit.h"

#include <QString>

// The sounds window's words for what the import and the library edits refuse.
namespace SoundWorkshopTexts {

// Why a recording could not be imported, without the file's name.
QString importProblem(const SoundImport::Result& result, Language language);
// Why a library could not be changed; names the file where the refusal has one.
QString editProblem(const SoundLibraryEdit::Outcome& outcome, int number, Language language);
// "Doorman, long sounds (own)".
QString libraryName(int special, int kind, bool own, Language language);
// The library's name without whose file it is.
QString specialtyAndKind(int special, int kind, Language language);

} // namespace SoundWorkshopTexts
