// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardOptions.h"

#include "BoardCommand.h"

namespace {

constexpr int MaxIntervalMs = 60 * 1000;

} // namespace

std::variant<BoardOptions, QString> parseBoardOptions(const QStringList& arguments) {
    BoardOptions options;
    // Asking for help is never an error, whatever else the line says.
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        options.help = true;
        return options;
    }
    bool havePid = false;
    for (qsizetype at = 0; at < arguments.size(); ++at) {
        const QString& option = arguments[at];
        const bool known = option == u"--pid" || option == u"--vid" || option == u"--dir" ||
                           option == u"--interval" || option == u"--script";
        if (!known)
            return QStringLiteral("unknown option \"%1\" (see --help)").arg(option.left(40));
        if (at + 1 >= arguments.size())
            return QStringLiteral("%1 needs a value").arg(option);
        const QString& value = arguments[++at];
        if (option == u"--pid" || option == u"--vid") {
            const std::optional<int> id = parseBoardNumber(value, 0, 0xFFFF);
            if (!id)
                return QStringLiteral("%1: \"%2\" is not an id from 0 to 0xFFFF")
                    .arg(option, value.left(40));
            (option == u"--pid" ? options.productId : options.vendorId) = quint16(*id);
            havePid = havePid || option == u"--pid";
        } else if (option == u"--interval") {
            const std::optional<int> ms = parseBoardNumber(value, 1, MaxIntervalMs);
            if (!ms)
                return QStringLiteral("--interval: \"%1\" is not a number of ms from 1 to %2")
                    .arg(value.left(40))
                    .arg(MaxIntervalMs);
            options.intervalMs = *ms;
        } else if (option == u"--dir") {
            options.directory = value;
        } else {
            options.scriptFile = value;
        }
    }
    if (!havePid)
        return QStringLiteral("--pid is missing (see --help)");
    if (options.directory.isEmpty())
        return QStringLiteral("--dir is missing (see --help)");
    return options;
}

QString boardUsage() {
    return QStringLiteral(
        R"(Usage: gloamery-board --pid N --dir DIR [--vid V] [--interval MS] [--script FILE]

Runs one simulated Gloamery USB I/O board. Gloamery reaches it when started with
GLOAMERY_BOARDS=sim:DIR. The board listens on the Unix socket DIR/board-VVVV-PPPP-S.sock
(ids in hex, S the first slot free for these ids), answers each output report and sends
an input report to every connected host each interval, the two kinds alternating.

Options:
  --pid N          product id (Gloamery looks for 1 to 10)
  --dir DIR        folder of the board sockets, made if missing
  --vid V          vendor id, default 0xABCC
  --interval MS    time between input reports, default 10
  --script FILE    commands to run before those on standard input
  --help           this text
Numbers are decimal or hex with 0x.

Commands, one a line, from the script and then standard input:
  in K on|off      digital input K (1 to 8: DInputs 0 to 7; 9: DInputs 8)
  press K MS       input K on for MS milliseconds, then off
  in10 on|off      input 10
  ad K VALUE       analog input K (1 to 7) to VALUE (0 to 255)
  freq COUNT       frequency count (0 to 65535); Gloamery shows COUNT / 2.795
  silent on|off    stop or resume sending input reports
  unplug           remove the socket and drop the hosts
  plug             put the socket back
  status           print counters, inputs, outputs and the hosts seen
Blank lines and lines starting with # are skipped; a bad command prints an error to
standard error and the board goes on.

Output: "output K on" / "output K off" (K 1 to 8) each time an output report
changes output K. The end of standard input leaves the board running (so it can run
in the background; started with & from a terminal it takes no commands there, use
--script); SIGTERM or SIGINT ends it and removes its socket file.
)");
}
