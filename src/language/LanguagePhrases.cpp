// SPDX-License-Identifier: GPL-3.0-or-later
#include "language/LanguagePhrases.h"

#include <array>

namespace {

struct Wording {
    Phrase phrase;
    const char16_t* english;
    const char16_t* russian;
};

// In the order of Phrase.
constexpr std::array Wordings{
    Wording{Phrase::StartWithDesktop, u"Start with the desktop",
            u"Запускать вместе с рабочим столом"},
    Wording{Phrase::StartAttractionWithProgram, u"Start the attraction when the program starts",
            u"Запускать аттракцион при запуске программы"},
    Wording{Phrase::SettingsHeldWithoutWindow,
            u"Gloamery is already running without a window (%1) and uses these settings. Stop it "
            u"first: systemctl --user stop gloameryd",
            u"Gloamery уже работает без окна (%1) и использует эти настройки. Сначала остановите "
            u"его: systemctl --user stop gloameryd"},
};

constexpr bool inOrder() {
    for (size_t i = 0; i < Wordings.size(); ++i)
        if (static_cast<size_t>(Wordings[i].phrase) != i)
            return false;
    return true;
}
static_assert(inOrder(), "Wordings must list the phrases in the order of Phrase");

} // namespace

QString phrase(Phrase which, Language language) {
    const Wording& wording = Wordings.at(static_cast<size_t>(which));
    return QString::fromUtf16(language == Language::Russian ? wording.russian : wording.english);
}
