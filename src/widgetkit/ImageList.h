#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QVector>

// One numbered picture list of the run-time folder: Res/Img/<name>/<n>.png, with index.txt
// naming the entries. A missing entry or file gives an empty picture and one warning, never a
// failure: a window without a picture is still usable.
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
    int count() const { return static_cast<int>(m_images.size()); }

    QImage image(int entry) const;
    QPixmap pixmap(int entry) const;

private:
    void load(const QString& dir);
    void warnOnce(int entry, const QString& why) const;

    QString m_name;
    QVector<QImage> m_images;
    mutable QHash<int, QPixmap> m_pixmaps;
    mutable QSet<int> m_warned;
};
