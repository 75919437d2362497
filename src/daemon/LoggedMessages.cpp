// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/LoggedMessages.h"

#include "core/LogCategories.h"

void LoggedMessages::showError(const QString& text) {
    // The boxes' texts break lines the old way, LF then CR.
    QString line = text;
    line.replace(QLatin1String("\n\r"), QLatin1String(" ")).replace(QLatin1Char('\n'), ' ');
    line.remove(QLatin1Char('\r'));
    qCWarning(lcApp).noquote() << line;
}
