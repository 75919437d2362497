// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DesktopShell.h"

#include <QStringList>

class FakeDesktopShell : public DesktopShell {
public:
    void open(const QString& target) override { opened.append(target); }
    QStringList opened;
};
