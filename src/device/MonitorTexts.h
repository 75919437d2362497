// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoardReport.h"

#include <QString>

// How a monitor page writes a board's inputs.
namespace MonitorTexts {

// Two decimals with the user's decimal separator: 357.78.
QString frequency(double value, const QString& decimalSeparator);
// The seven analog inputs as two-digit uppercase hexadecimal numbers: 00 1F 80 FF 10 20 30.
QString analogInputs(const std::array<quint8, BoardReport::AnalogInputs>& values);
// The page caption for a product id: PID: 000A.
QString pageCaption(int productId);

} // namespace MonitorTexts
