// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class LanguageTexts;

// A window that takes the fixed texts of the current language when ApplyLanguage runs.
class LanguageTarget {
public:
    virtual ~LanguageTarget() = default;
    virtual void applyLanguageTexts(const LanguageTexts& texts) = 0;
};
