// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/QuickPanelRows.h"

#include "ghosts/GhostShowRules.h"
#include "language/LanguageTexts.h"
#include "language/TextEntries.h"

namespace QuickPanelRows {

namespace {

constexpr int SpecialEntries[] = {119, 121, 123, 125, 127, 129};
// Ghosts 5 to 8 name the specialties with the short words of entries 221 to 225.
constexpr int SpecialEntriesSmall[] = {119, 221, 222, 223, 224, 225};
constexpr int RegimeEntries[] = {231, 232, 233, 234, 235, 236};
constexpr int TemperEntries[] = {161, 162, 163, 164, 167, 168};
constexpr int VolumeEntries[] = {165, 166};
constexpr int RegimeDescriptions[] = {42, 44, 46, 48, 50, 52};

} // namespace

int maximum(Row row, int ghost) {
    switch (row) {
    case Special:
    case Regime:
        return 5;
    case Temper:
        return GhostShowRules::temperMaximum(ghost);
    case Volume:
        return 1;
    }
    return 0;
}

int wrap(int value, int max) {
    if (value > max)
        value = 0;
    if (value < 0)
        value = max;
    return value;
}

QString caption(Row row, int ghost, int value, const LanguageTexts& texts) {
    switch (row) {
    case Special:
        return texts[(ghost <= 4 ? SpecialEntries : SpecialEntriesSmall)[value]];
    case Regime:
        return texts[RegimeEntries[value]];
    case Temper:
        return texts[TemperEntries[value]];
    case Volume:
        return texts[VolumeEntries[value]];
    }
    return {};
}

QString regimeHint(int regime, const LanguageTexts& texts) {
    return texts[TextEntry::WorkingTimeGroup] + QStringLiteral(":\n\r") +
           texts[RegimeDescriptions[regime]];
}

int hintEntry(Row row) {
    switch (row) {
    case Special:
        return 174;
    case Regime:
        return 173;
    case Temper:
        return 172;
    case Volume:
        return 175;
    }
    return 0;
}

const char* name(Row row) {
    switch (row) {
    case Special:
        return "Special";
    case Regime:
        return "Regime";
    case Temper:
        return "Nrav";
    case Volume:
        return "Volume";
    }
    return "";
}

} // namespace QuickPanelRows
