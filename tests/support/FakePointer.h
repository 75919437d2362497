// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PointerSource.h"

class FakePointer : public PointerSource {
public:
    QPoint globalPosition() const override { return position; }
    QPoint position{-10000, -10000};
};
