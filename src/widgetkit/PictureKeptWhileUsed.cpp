// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/PictureKeptWhileUsed.h"

#include "widgetkit/ImageList.h"

PictureKeptWhileUsed::PictureKeptWhileUsed(QString relativePath, QImage::Format format,
                                           std::chrono::milliseconds keep, QObject* parent)
    : QObject(parent)
    , m_path(std::move(relativePath))
    , m_format(format) {
    m_release.setSingleShot(true);
    m_release.setInterval(keep);
    connect(&m_release, &QTimer::timeout, this, [this] { m_image = QImage(); });
}

const QImage& PictureKeptWhileUsed::use() {
    if (m_image.isNull() && !m_unreadable) {
        ++m_reads;
        m_image = ImageList::picture(m_path).convertToFormat(m_format);
        m_unreadable = m_image.isNull();
    }
    if (!m_unreadable)
        m_release.start();
    return m_image;
}
