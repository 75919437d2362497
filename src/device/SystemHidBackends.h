// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/HidBackendFactory.h"

#include <QString>

// The program's boards: the system's hidraw devices, or the simulated boards that the value of
// GLOAMERY_BOARDS names ("sim:DIR").
class SystemHidBackends : public HidBackendFactory {
public:
    explicit SystemHidBackends(QString boardsVariable);
    std::unique_ptr<HidBackend> makeBackend() override;

private:
    QString m_boardsVariable;
};
