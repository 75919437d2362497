// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/FormFont.h"

#include <QStringList>

#include <cstring>

QFont FormFont(const char* family, int pixelSize, bool bold, bool underlined) {
    QFont font;
    const bool monospaced = std::strcmp(family, "Courier") == 0;
    const QString standIn =
        monospaced ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans");
    font.setFamilies(QStringList{QString::fromLatin1(family), standIn});
    font.setStyleHint(monospaced ? QFont::TypeWriter : QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underlined);
    return font;
}
