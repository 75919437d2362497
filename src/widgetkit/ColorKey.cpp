// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/ColorKey.h"

#include <QRect>
#include <QVector>

namespace ColorKey {

QImage cutKey(const QImage& image) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(row[x]) == 255 && isKey(row[x]))
                row[x] = 0;
        }
    }
    return result;
}

QRegion regionWithoutKey(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    // Runs of one row; rows whose runs are identical are merged into one band, which keeps the
    // rectangle list short (the skin's long straight sides repeat for hundreds of rows).
    QVector<QRect> rects;
    QVector<QPair<int, int>> bandRuns;
    int bandTop = 0;
    int bandStart = 0;
    const auto closeBand = [&](int bottom) {
        for (int i = bandStart; i < rects.size(); ++i)
            rects[i].setBottom(bottom);
    };
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QVector<QPair<int, int>> runs;
        for (int x = 0; x < source.width();) {
            if (isKey(row[x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < source.width() && !isKey(row[x]))
                ++x;
            runs.append({start, x - start});
        }
        if (y > 0 && runs == bandRuns)
            continue;
        closeBand(y - 1);
        bandTop = y;
        bandStart = static_cast<int>(rects.size());
        bandRuns = runs;
        for (const auto& [start, width] : runs)
            rects.append(QRect(start, bandTop, width, 1));
    }
    closeBand(source.height() - 1);
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

} // namespace ColorKey
