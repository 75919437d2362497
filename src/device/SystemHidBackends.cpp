// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/SystemHidBackends.h"

#include "core/LogCategories.h"
#include "device/BoardsVariable.h"
#include "device/HidApiBackend.h"
#include "device/SimBoardBackend.h"

SystemHidBackends::SystemHidBackends(QString boardsVariable)
    : m_boardsVariable(std::move(boardsVariable)) {}

std::unique_ptr<HidBackend> SystemHidBackends::makeBackend() {
    const BoardsVariable chosen = BoardsVariable::parse(m_boardsVariable);
    if (!chosen.problem.isEmpty())
        qCWarning(lcDevice).noquote() << chosen.problem;
    if (chosen.source == BoardsVariable::Source::Simulated) {
        qCInfo(lcDevice).noquote() << "Simulated boards in" << chosen.simulatorFolder;
        return std::make_unique<SimBoardBackend>(chosen.simulatorFolder);
    }
    return std::make_unique<HidApiBackend>();
}
