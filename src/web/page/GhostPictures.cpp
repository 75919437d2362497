// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/page/GhostPictures.h"

#include "core/LogCategories.h"

#include <QDir>
#include <QFile>

GhostPictures GhostPictures::fromFolder(const QString& folder) {
    GhostPictures pictures;
    pictures.m_folder = folder;
    return pictures;
}

void GhostPictures::readFolder() const {
    m_read = true;
    if (m_folder.isEmpty())
        return;
    for (int ghost = 1; ghost <= 8; ++ghost) {
        QFile file(QDir(m_folder).filePath(QStringLiteral("%1.png").arg(ghost)));
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly) && file.size() <= MaxFileBytes)
            bytes = file.read(MaxFileBytes);
        if (bytes.isEmpty())
            qCDebug(lcWeb) << "no picture for ghost" << ghost << "in" << m_folder;
        m_addresses.append(bytes.isEmpty() ? QString()
                                           : QStringLiteral("data:image/png;base64,") +
                                                 QString::fromLatin1(bytes.toBase64()));
    }
}

QString GhostPictures::dataAddress(int ghost) const {
    if (!m_read)
        readFolder();
    return ghost >= 1 && ghost <= m_addresses.size() ? m_addresses[ghost - 1] : QString();
}
