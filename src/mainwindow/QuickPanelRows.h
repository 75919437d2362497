// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class LanguageTexts;

// The four rows of a ghost's quick panel: which value each steps, its range, and its captions.
namespace QuickPanelRows {

enum Row { Special, Regime, Temper, Volume };
constexpr Row AllRows[] = {Special, Regime, Temper, Volume};

// Largest value of the row for ghost 1..8 (ghosts 5 to 8 offer two tempers, not six).
int maximum(Row row, int ghost);

// Wraps at the ends, without reducing modulo: above the maximum becomes 0, then below 0 becomes
// the maximum (9 becomes 0, -3 becomes the maximum).
int wrap(int value, int maximum);

// The caption of `value` (already wrapped) in the current language.
QString caption(Row row, int ghost, int value, const LanguageTexts& texts);

// The regime value's hint: "<working time>:" LF CR "<description>".
QString regimeHint(int regime, const LanguageTexts& texts);

// Language entry of each row's fixed hint.
int hintEntry(Row row);

const char* name(Row row); // "Special", "Regime", "Nrav", "Volume"

} // namespace QuickPanelRows
