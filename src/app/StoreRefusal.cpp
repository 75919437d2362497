// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StoreRefusal.h"

#include "language/LanguagePhrases.h"

QString storeRefusal(StoreLock::Outcome outcome, const QString& holder, Language language) {
    if (outcome != StoreLock::Outcome::TakenByOther)
        return {};
    return phrase(Phrase::SettingsHeldWithoutWindow, language).arg(holder);
}
