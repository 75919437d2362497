// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardConsole.h"
#include "BoardOptions.h"
#include "LineSource.h"
#include "SimulatedBoard.h"
#include "core/SignalPipe.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // A reader of our output that went away must not kill the board mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    // Started with & from a terminal, reading the terminal would stop the board; ignored, the
    // read fails and counts as the end of standard input.
    std::signal(SIGTTIN, SIG_IGN);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const auto parsed = parseBoardOptions(QCoreApplication::arguments().mid(1));
    if (const QString* why = std::get_if<QString>(&parsed)) {
        err << "gloamery-board: " << *why << '\n';
        return 2;
    }
    const BoardOptions& options = std::get<BoardOptions>(parsed);
    if (options.help) {
        out << boardUsage();
        return 0;
    }

    // Ended through the destructors, so the board removes its socket file.
    SignalPipe endRequests({SIGTERM, SIGINT});
    QObject::connect(&endRequests, &SignalPipe::received, &app, &QCoreApplication::quit);
    SimulatedBoard board(options);
    BoardConsole console(board, out, err);
    if (const QString why = board.plug(); !why.isEmpty()) {
        console.error(why);
        return 1;
    }
    if (!options.scriptFile.isEmpty() && !console.runScript(options.scriptFile))
        return 2;
    // The end of standard input leaves the board running: it may be started in the background.
    LineSource input(STDIN_FILENO);
    QObject::connect(&input, &LineSource::line, &console, &BoardConsole::take);
    QObject::connect(&input, &LineSource::tooLong, &console, [&console] {
        console.error(
            QStringLiteral("a line longer than %1 bytes; skipped").arg(LineSource::MaxLine));
    });
    QObject::connect(&input, &LineSource::finished, &console, [&console] {
        console.error(QStringLiteral("end of standard input; running on until SIGTERM or SIGINT"));
    });
    return app.exec();
}
