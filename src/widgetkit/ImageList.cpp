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
    : m_name(name) {
    load(resDir + QStringLiteral("/Img/") + name);
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

void ImageList::load(const QString& dir) {
    int count = 0;
    QFile index(dir + QStringLiteral("/index.txt"));
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
        while (count < MaxEntries && QFileInfo::exists(dir + QStringLiteral("/%1.png").arg(count)))
            ++count;
        if (count == 0)
            qCWarning(lcApp) << "image list" << m_name << "not found in" << dir;
    }
    m_images.resize(count);
    for (int entry = 0; entry < count; ++entry) {
        const QString file = dir + QStringLiteral("/%1.png").arg(entry);
        if (!m_images[entry].load(file))
            warnOnce(entry, QStringLiteral("cannot read ") + file);
    }
}

QImage ImageList::image(int entry) const {
    if (entry < 0 || entry >= count()) {
        warnOnce(entry, QStringLiteral("no such entry; the list has %1").arg(count()));
        return {};
    }
    return m_images[entry];
}

QPixmap ImageList::pixmap(int entry) const {
    const auto cached = m_pixmaps.constFind(entry);
    if (cached != m_pixmaps.constEnd())
        return *cached;
    const QImage source = image(entry);
    if (source.isNull())
        return {};
    return *m_pixmaps.insert(entry, QPixmap::fromImage(source));
}

void ImageList::warnOnce(int entry, const QString& why) const {
    // Windows ask for their pictures ten times a second: one warning per entry is enough.
    if (m_warned.contains(entry))
        return;
    m_warned.insert(entry);
    qCWarning(lcApp).noquote() << "image list" << m_name << "entry" << entry << ":" << why;
}
