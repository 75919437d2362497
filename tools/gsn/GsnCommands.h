// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;
class TLMDWaveList;

// The commands of the gsn tool, kept apart from main() so tests can run them.
class GsnCommands {
public:
    enum ExitCode { Ok = 0, Failed = 1, Usage = 2 };

    GsnCommands(QTextStream& out, QTextStream& err)
        : m_out(out)
        , m_err(err) {}

    // `arguments` without the program name.
    int run(const QStringList& arguments);

private:
    int list(const QString& file);
    int extract(const QString& file, const QString& directory);
    int pack(const QStringList& arguments);
    int check(const QString& file);
    int usage();
    static void writeUsage(QTextStream& stream);

    // Loads a library; on failure prints the file and the reason and returns false. The list
    // keeps what was read before the failure.
    bool load(const QString& file, TLMDWaveList& list);
    int fail(const QString& file, const QString& reason);

    QTextStream& m_out;
    QTextStream& m_err;
};
