// SPDX-License-Identifier: GPL-3.0-or-later
#include "language/TfmHelp.h"

#include "core/ProgramState.h"
#include "language/LanguageTarget.h"

TfmHelp::TfmHelp(ProgramState& state)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_state(state) {
    setObjectName(QStringLiteral("fmHelp"));
    setWindowTitle(QStringLiteral("Help"));
}

void TfmHelp::addLanguageTarget(LanguageTarget* target) {
    m_targets.push_back(target);
}

void TfmHelp::ApplyLanguage() {
    m_texts.assign(m_state.InterfaceLanguage);
    for (LanguageTarget* target : m_targets)
        target->applyLanguageTexts(m_texts);
}
