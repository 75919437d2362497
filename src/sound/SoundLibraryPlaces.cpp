// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundLibraryPlaces.h"

#include "core/RuntimeFiles.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

SoundLibraryPlaces SoundLibraryPlaces::standard() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {RuntimeFiles::locate(QStringLiteral("Res/Snd")),
            data.isEmpty() ? QString() : data + QStringLiteral("/gloamery/Snd")};
}

QString SoundLibraryPlaces::fileName(int special, int kind) {
    return QString::number(special) + (kind != 0 ? QLatin1Char('m') : QLatin1Char('b')) +
           QStringLiteral(".gsn");
}

QString SoundLibraryPlaces::libraryName(const QString& text) {
    static const QRegularExpression name(QStringLiteral("^([0-5][bm])(\\.gsn)?$"));
    const QRegularExpressionMatch match = name.match(QFileInfo(text).fileName());
    return match.hasMatch() ? match.captured(1) : QString();
}

QString SoundLibraryPlaces::shippedPath(int special, int kind) const {
    return shipped + QLatin1Char('/') + fileName(special, kind);
}

QString SoundLibraryPlaces::ownPath(int special, int kind) const {
    return own.isEmpty() ? QString() : own + QLatin1Char('/') + fileName(special, kind);
}
