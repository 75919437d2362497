// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "language/LanguageTexts.h"

#include <QWidget>

#include <vector>

class LanguageTarget;
struct ProgramState;

// Holder of the interface texts (form fmHelp): a small stay-on-top tool window that is never shown.
class TfmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfmHelp(ProgramState& state);

    // The windows that take texts, in the order they are written: main window, web access
    // window, ghost settings dialog.
    void addLanguageTarget(LanguageTarget* target);

    // Fills LanguageTexts for InterfaceLanguage and writes the fixed texts onto the windows.
    void ApplyLanguage();

    const LanguageTexts& texts() const { return m_texts; }

private:
    ProgramState& m_state;
    LanguageTexts m_texts;
    std::vector<LanguageTarget*> m_targets;
};
