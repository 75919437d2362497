// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnLibraryTarget.h"

#include <QFileInfo>

GsnLibraryTarget GsnLibraryTarget::resolve(const QString& argument,
                                           const SoundLibraryPlaces& places, QString* reason) {
    GsnLibraryTarget target;
    // Only the bare name: "3b.gsn" or "dir/3b" name a file, which may be meant to lie anywhere.
    const QString name = SoundLibraryPlaces::libraryName(argument);
    if (name.isEmpty() || name != argument) {
        target.path = argument;
        if (QFileInfo::exists(argument))
            target.startFrom = argument;
        return target;
    }
    const int special = name[0].digitValue();
    const int kind = name[1] == QLatin1Char('m') ? 1 : 0;
    if (places.own.isEmpty()) {
        *reason = QStringLiteral("no folder for own libraries: neither XDG_DATA_HOME nor HOME is "
                                 "set");
        return target;
    }
    target.own = true;
    target.path = places.ownPath(special, kind);
    target.startFrom =
        QFileInfo::exists(target.path) ? target.path : places.shippedPath(special, kind);
    return target;
}
