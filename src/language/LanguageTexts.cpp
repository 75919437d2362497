// SPDX-License-Identifier: GPL-3.0-or-later
#include "language/LanguageTexts.h"

#include "language/LanguageLists.h"

void LanguageTexts::assign(Language language) {
    const auto list = language == Language::Russian ? russianAssignments() : englishAssignments();
    for (const LanguageAssignment& line : list)
        m_entries[static_cast<size_t>(line.entry)] = QString::fromUtf16(line.text);
}

const QString& LanguageTexts::operator[](int entry) const {
    static const QString none;
    if (entry < 1 || entry > EntryCount)
        return none;
    return m_entries[static_cast<size_t>(entry)];
}
