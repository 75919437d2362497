// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ImageList.h"

#include "core/LogCategories.h"
#include "core/RuntimeFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace {

// Far above the longest list of the program (65 entries): a damaged index line must not make
// the list reserve and read gigabytes, nor overflow the count.
constexpr int MaxEntries = 1024;

} // namespace

ImageList::ImageList(const QString& name)
    : ImageList(name, resDir()) {}

ImageList::ImageList(const QString& name, const QString& resDir)
    : m_name(name)
    , m_dir(resDir + QStringLiteral("/Img/") + name) {
    findEntries();
}

QString ImageList::resDir() {
    return QFileInfo(RuntimeFiles::locate(QStringLiteral("Res/Img"))).path();
}

QImage ImageList::picture(const QString& relativePath) {
    const QString file = resDir() + QLatin1Char('/') + relativePath;
    QImage image(file);
    if (image.isNull())
        qCWarning(lcApp) << "cannot read picture" << file;
    return image;
}

void ImageList::findEntries() {
    int count = 0;
    QFile index(m_dir + QStringLiteral("/index.txt"));
    if (index.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&index);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            bool ok = false;
            const int entry = line.section(QLatin1Char(' '), 0, 0).toInt(&ok);
            if (ok && entry >= MaxEntries)
                qCWarning(lcApp) << "image list" << m_name << "ignores index entry" << entry;
            else if (ok && entry >= 0)
                count = std::max(count, entry + 1);
        }
    } else {
        // Without an index the list is the unbroken run of numbered files.
        while (count < MaxEntries &&
               QFileInfo::exists(m_dir + QStringLiteral("/%1.png").arg(count)))
            ++count;
        if (count == 0)
            qCWarning(lcApp) << "image list" << m_name << "not found in" << m_dir;
    }
    m_entries.resize(count);
}

int ImageList::decodedCount() const {
    return static_cast<int>(
        std::count_if(m_entries.cbegin(), m_entries.cend(), [](const Entry& e) { return e.read; }));
}

ImageList::Entry* ImageList::decoded(int entry) const {
    if (entry < 0 || entry >= count()) {
        warnOnce(entry, QStringLiteral("no such entry; the list has %1").arg(count()));
        return nullptr;
    }
    Entry& slot = m_entries[entry];
    if (!slot.read) {
        slot.read = true;
        const QString file = m_dir + QStringLiteral("/%1.png").arg(entry);
        if (!slot.image.load(file))
            warnOnce(entry, QStringLiteral("cannot read ") + file);
    }
    return &slot;
}

QImage ImageList::image(int entry) const {
    const Entry* slot = decoded(entry);
    if (!slot)
        return {};
    return slot->pixmap.isNull() ? slot->image : slot->pixmap.toImage();
}

QPixmap ImageList::pixmap(int entry) const {
    Entry* slot = decoded(entry);
    if (!slot || !slot->pixmap.isNull() || slot->image.isNull())
        return slot ? slot->pixmap : QPixmap();
    slot->pixmap = QPixmap::fromImage(std::move(slot->image));
    slot->image = QImage();
    return slot->pixmap;
}

void ImageList::warnOnce(int entry, const QString& why) const {
    // Windows ask for their pictures ten times a second: one warning per entry is enough.
    if (m_warned.contains(entry))
        return;
    m_warned.insert(entry);
    qCWarning(lcApp).noquote() << "image list" << m_name << "entry" << entry << ":" << why;
}
