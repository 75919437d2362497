// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

#include <array>

// The numbered interface texts of the current language, entries 1 to 300. Readers find related
// texts by their distance in the table (stopped/running at n and n+1, ...), so the numbering is
// part of the contract.
class LanguageTexts {
public:
    static constexpr int EntryCount = 300;

    // Runs the assignment list of `language`: entries the list does not name keep their text.
    void assign(Language language);

    // Entries outside 1..300 read as empty.
    const QString& operator[](int entry) const;

private:
    std::array<QString, EntryCount + 1> m_entries; // index 0 unused
};
