// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Desktop.h"
#include "core/DesktopShell.h"
#include "core/MessageBoxes.h"
#include "core/PointerSource.h"

// The program's real platform services, backed by Qt and the user's desktop.

class QtMessageBoxes : public MessageBoxes {
public:
    void showError(const QString& text) override;
};

class ScreenDesktop : public Desktop {
public:
    QRect availableArea() const override;
};

class CursorPointerSource : public PointerSource {
public:
    QPoint globalPosition() const override;
};

class DesktopServicesShell : public DesktopShell {
public:
    void open(const QString& target) override;
};
