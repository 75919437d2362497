// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ScreenPlacement.h"

namespace ScreenPlacement {

QPoint centred(const QRect& area, int width, int top) {
    return {area.left() + (area.width() - width) / 2, area.top() + top};
}

} // namespace ScreenPlacement
