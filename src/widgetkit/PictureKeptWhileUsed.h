// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

// A picture of the Res folder that a window repaints from: read when a paint asks for it and let
// go once no paint has asked for a while, so a window that sits still all evening holds none of
// its pixels. An unreadable file is tried once and then stays empty.
class PictureKeptWhileUsed : public QObject {
public:
    PictureKeptWhileUsed(QString relativePath, QImage::Format format,
                         std::chrono::milliseconds keep, QObject* parent = nullptr);

    // The picture, read now if it is not held; each use keeps it for another `keep`.
    const QImage& use();
    bool held() const { return !m_image.isNull(); }
    int reads() const { return m_reads; }
    int msUntilRelease() const { return m_release.remainingTime(); }

private:
    QString m_path;
    QImage::Format m_format;
    QImage m_image;
    QTimer m_release;
    int m_reads = 0;
    bool m_unreadable = false;
};
