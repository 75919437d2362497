// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where the program's run-time files (Res/Img, Res/Snd, the help files and pages) are found:
// beside the executable first, so a build folder runs as it is, then in the data folder an
// install puts relative to the executable (../share/gloamery for bin/).
namespace RuntimeFiles {

// The folders searched, in order, for an executable in `programDir`.
QStringList folders(const QString& programDir);
// The same for the running executable.
QStringList folders();

// `relativePath` (a file or a folder) in the first folder that has it; when none has it, the path
// beside the executable, so a warning names the place looked at first.
QString locate(const QString& relativePath, const QString& programDir);
QString locate(const QString& relativePath);

} // namespace RuntimeFiles
