// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/MonitorTexts.h"

#include <QStringList>

namespace MonitorTexts {

QString frequency(double value, const QString& decimalSeparator) {
    QString text = QString::number(value, 'f', 2);
    return text.replace(QLatin1Char('.'), decimalSeparator);
}

QString analogInputs(const std::array<quint8, BoardReport::AnalogInputs>& values) {
    QStringList parts;
    for (quint8 value : values)
        parts.append(QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
    return parts.join(QLatin1Char(' '));
}

QString pageCaption(int productId) {
    return QStringLiteral("PID: ") +
           QStringLiteral("%1").arg(productId, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace MonitorTexts
