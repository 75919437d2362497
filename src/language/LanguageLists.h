// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

// One line of a language's assignment list: entry number and its text (possibly empty).
struct LanguageAssignment {
    int entry;
    const char16_t* text;
};

std::span<const LanguageAssignment> englishAssignments();
std::span<const LanguageAssignment> russianAssignments();
