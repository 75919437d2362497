// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QVector>

// One numbered picture list of the run-time folder: Res/Img/<name>/<n>.png, with index.txt
// naming the entries. A missing entry or file gives an empty picture and one warning, never a
// failure: a window without a picture is still usable.
//
// An entry is read from its file the first time it is asked for, not when the list is made: the
// lists hold far more pictures than any one view shows, and decoding them all would hold up the
// splash and keep pictures in memory that nobody looks at.
class ImageList {
public:
    // The list `name` from the program's Res folder.
    explicit ImageList(const QString& name);
    ImageList(const QString& name, const QString& resDir);

    // The Res folder that holds Img/: beside the executable, else the installed one.
    static QString resDir();
    // A single picture of the Res folder, e.g. "Img/Skin.png"; empty with a warning if unreadable.
    static QImage picture(const QString& relativePath);

    const QString& name() const { return m_name; }
    int count() const { return static_cast<int>(m_entries.size()); }
    // Entries read from their files so far.
    int decodedCount() const;

    QImage image(int entry) const;
    QPixmap pixmap(int entry) const;

private:
    struct Entry {
        bool read = false;
        // Until a window asks for the pixmap; from then on the pixmap alone holds the pixels,
        // and image() hands out its data rather than a second copy.
        QImage image;
        QPixmap pixmap;
    };

    void findEntries();
    // The entry read from its file if it has not been yet; null when out of range.
    Entry* decoded(int entry) const;
    void warnOnce(int entry, const QString& why) const;

    QString m_name;
    QString m_dir;
    mutable QVector<Entry> m_entries;
    mutable QSet<int> m_warned;
};
