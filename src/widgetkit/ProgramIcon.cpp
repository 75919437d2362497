// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ProgramIcon.h"

#include "widgetkit/ImageList.h"

#include <QPixmap>

namespace ProgramIcon {

QIcon load() {
    QIcon icon;
    for (const int size : WindowSizes) {
        const QImage picture = ImageList::picture(QStringLiteral("Img/Icon/app-%1.png").arg(size));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

} // namespace ProgramIcon
