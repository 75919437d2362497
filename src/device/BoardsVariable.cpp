// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardsVariable.h"

BoardsVariable BoardsVariable::parse(const QString& value) {
    BoardsVariable chosen;
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return chosen;
    const QString simulated = QStringLiteral("sim:");
    if (trimmed.startsWith(simulated) && trimmed.size() > simulated.size()) {
        chosen.source = Source::Simulated;
        chosen.simulatorFolder = trimmed.mid(simulated.size());
        return chosen;
    }
    chosen.problem = QStringLiteral("GLOAMERY_BOARDS=%1 is not understood (expected sim:DIR); "
                                    "using the USB boards")
                         .arg(value);
    return chosen;
}
