// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageListWriter.h"

#include "ArtKit.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <utility>

ImageListWriter::ImageListWriter(QString name, int count, QSize placeholderSize)
    : m_name(std::move(name)) {
    m_entries.resize(count);
    for (Entry& entry : m_entries) {
        entry.image = ArtKit::transparentImage(placeholderSize.width(), placeholderSize.height());
        entry.description = QStringLiteral("placeholder (transparent)");
    }
}

void ImageListWriter::set(int entry, const QImage& image, const QString& description) {
    Q_ASSERT(entry >= 0 && entry < count());
    m_entries[entry] = Entry{image, description, false};
}

QVector<int> ImageListWriter::placeholders() const {
    QVector<int> result;
    for (int i = 0; i < count(); ++i) {
        if (m_entries[i].placeholder)
            result.append(i);
    }
    return result;
}

QString ImageListWriter::write(const QString& resDir) const {
    const QString dir = resDir + QStringLiteral("/Img/") + m_name;
    // Entries of an earlier, longer list must not survive as stray files.
    QDir(dir).removeRecursively();
    if (!QDir().mkpath(dir))
        return QStringLiteral("cannot create ") + dir;
    QFile index(dir + QStringLiteral("/index.txt"));
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write ") + index.fileName();
    QTextStream out(&index);
    out << "# " << m_name << ": " << count()
        << " entries; entry n is n.png. Columns: entry, width x height, picture.\n";
    for (int i = 0; i < count(); ++i) {
        const Entry& entry = m_entries[i];
        const QString file = dir + QStringLiteral("/%1.png").arg(i);
        if (!entry.image.save(file, "PNG"))
            return QStringLiteral("cannot write ") + file;
        out << i << ' ' << entry.image.width() << 'x' << entry.image.height() << ' '
            << entry.description << '\n';
    }
    return {};
}

QImage ImageListWriter::contactSheet() const {
    constexpr int MaxCell = 200;
    constexpr int Label = 16;
    int cellWidth = 0;
    int cellHeight = 0;
    for (const Entry& entry : m_entries) {
        cellWidth = std::max(cellWidth, entry.image.width());
        cellHeight = std::max(cellHeight, entry.image.height());
    }
    cellWidth = std::min(cellWidth, MaxCell) + 8;
    cellHeight = std::min(cellHeight, MaxCell) + 8;
    const int columns = std::max(1, std::min(count(), 1200 / cellWidth));
    const int rows = (count() + columns - 1) / columns;
    QImage sheet = ArtKit::filledImage(columns * cellWidth, rows * (cellHeight + Label) + 24,
                                       QColor(40, 40, 48));
    QPainter painter(&sheet);
    painter.setFont(ArtKit::sans(11, true));
    painter.setPen(Qt::white);
    painter.drawText(QRect(4, 2, sheet.width() - 8, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     m_name + QStringLiteral(" (%1 entries)").arg(count()));
    for (int i = 0; i < count(); ++i) {
        const QRect box((i % columns) * cellWidth, 24 + (i / columns) * (cellHeight + Label),
                        cellWidth, cellHeight + Label);
        // A checkerboard makes transparent entries and soft edges visible.
        const QRect area = box.adjusted(4, Label, -4, -4);
        for (int y = area.top(); y < area.bottom(); y += 8) {
            for (int x = area.left(); x < area.right(); x += 8) {
                const bool dark = ((x - area.left()) / 8 + (y - area.top()) / 8) % 2 != 0;
                painter.fillRect(QRect(x, y, 8, 8).intersected(area),
                                 dark ? QColor(90, 90, 100) : QColor(130, 130, 140));
            }
        }
        QImage image = m_entries[i].image;
        if (image.width() > area.width() || image.height() > area.height())
            image = image.scaled(area.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage(area.left() + (area.width() - image.width()) / 2,
                          area.top() + (area.height() - image.height()) / 2, image);
        painter.setPen(m_entries[i].placeholder ? QColor(255, 120, 120) : QColor(255, 230, 160));
        painter.setFont(ArtKit::sans(10, true));
        painter.drawText(QRect(box.left() + 4, box.top(), box.width() - 8, Label),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(i));
    }
    return sheet;
}
