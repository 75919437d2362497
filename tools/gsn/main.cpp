// SPDX-License-Identifier: GPL-3.0-or-later
#include "GsnCommands.h"
#include "sound/SoundLibraryPlaces.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The tool reports load failures itself; the program's log line would say it twice.
    QLoggingCategory::setFilterRules(QStringLiteral("gloamery.sound.warning=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    GsnCommands commands(out, err, SoundLibraryPlaces::standard());
    return commands.run(QCoreApplication::arguments().mid(1));
}
