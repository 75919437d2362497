// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>

// Collects the pictures of one numbered image list and writes them as Img/<name>/<n>.png with an
// index.txt that says what each entry is. Entries nobody sets stay transparent placeholders.
class ImageListWriter {
public:
    ImageListWriter(QString name, int count, QSize placeholderSize);

    void set(int entry, const QImage& image, const QString& description);

    const QString& name() const { return m_name; }
    int count() const { return static_cast<int>(m_entries.size()); }
    QVector<int> placeholders() const;
    const QImage& image(int entry) const { return m_entries[entry].image; }

    // Returns an empty string on success, else what failed.
    QString write(const QString& resDir) const;
    QImage contactSheet() const;

private:
    struct Entry {
        QImage image;
        QString description;
        bool placeholder = true;
    };
    QString m_name;
    QVector<Entry> m_entries;
};
