// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RuntimeFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef GLOAMERY_DATA_FROM_BIN
#define GLOAMERY_DATA_FROM_BIN "../share/gloamery"
#endif

namespace RuntimeFiles {

QStringList folders(const QString& programDir) {
    const QDir program(programDir);
    return {QDir::cleanPath(program.absolutePath()),
            QDir::cleanPath(program.absoluteFilePath(QStringLiteral(GLOAMERY_DATA_FROM_BIN)))};
}

QStringList folders() {
    return folders(QCoreApplication::applicationDirPath());
}

QString locate(const QString& relativePath, const QString& programDir) {
    const QStringList candidates = folders(programDir);
    for (const QString& folder : candidates) {
        const QString path = QDir(folder).filePath(relativePath);
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(candidates.front()).filePath(relativePath);
}

QString locate(const QString& relativePath) {
    return locate(relativePath, QCoreApplication::applicationDirPath());
}

} // namespace RuntimeFiles
