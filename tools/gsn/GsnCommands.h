// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundLibraryPlaces.h"

#include <QByteArray>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class QTextStream;
class TLMDWaveList;
struct GsnFileArguments;

// The commands of the gsn tool, kept apart from main() so tests can run them.
class GsnCommands {
public:
    enum ExitCode { Ok = 0, Failed = 1, Usage = 2 };

    // `places` is where a library named by its name ("3b") lives; the default has no own folder.
    GsnCommands(QTextStream& out, QTextStream& err, SoundLibraryPlaces places = {})
        : m_out(out)
        , m_err(err)
        , m_places(std::move(places)) {}

    // `arguments` without the program name.
    int run(const QStringList& arguments);

private:
    int list(const QString& file);
    int extract(const QString& file, const QString& directory);
    int pack(const QStringList& arguments);
    int check(const QString& file);
    int add(const QStringList& arguments);
    int remove(const QString& library, const QString& index);
    int usage();
    static void writeUsage(QTextStream& stream);

    // Loads a library; on failure prints the file and the reason and returns false. The list
    // keeps what was read before the failure.
    bool load(const QString& file, TLMDWaveList& list);
    int fail(const QString& file, const QString& reason);
    int report(const QString& message); // "gsn: message" on the error stream
    // The command's arguments refused as they were printed; nullopt when they are good.
    std::optional<int> refused(const GsnFileArguments& parsed);
    // Every input as a library sound, or none: the first that fails is printed and ends it.
    std::optional<std::vector<QByteArray>> importAll(const GsnFileArguments& parsed);

    QTextStream& m_out;
    QTextStream& m_err;
    SoundLibraryPlaces m_places;
};
