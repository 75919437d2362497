// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackendFactory.h"
#include "device/SimBoardBackend.h"

#include <QString>

#include <memory>

// The simulated boards whose sockets wait in `dir`, as the program's boards.
class SimBoards : public HidBackendFactory {
public:
    explicit SimBoards(QString dir)
        : m_dir(std::move(dir)) {}
    std::unique_ptr<HidBackend> makeBackend() override {
        return std::make_unique<SimBoardBackend>(m_dir);
    }

private:
    QString m_dir;
};
