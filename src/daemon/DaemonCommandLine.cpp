// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/DaemonCommandLine.h"

namespace {

const char* const HelpText =
    "Usage: gloameryd [--start]\n"
    "       gloameryd config list\n"
    "       gloameryd config get KEY\n"
    "       gloameryd config set KEY VALUE\n"
    "\n"
    "Runs Gloamery's ghosts without a desktop: the attraction, the ghosts' acts and their\n"
    "sounds, the USB boards with their sensors and door, the phone page and the network\n"
    "server, as the stored settings say. It uses the same settings as the desktop editions,\n"
    "which cannot run on them at the same time.\n"
    "\n"
    "  --start      start the attraction once running\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "  config       read or change the settings; 'gloameryd config list' shows every key\n"
    "\n"
    "Settings: $GLOAMERY_SETTINGS, else $XDG_CONFIG_HOME/gloamery/settings.db.\n"
    "SIGTERM, SIGINT or SIGHUP end it in order, saving the settings.\n"
    "See gloameryd(8).\n";

} // namespace

DaemonCommandLine DaemonCommandLine::of(const QStringList& arguments, const QString& version) {
    DaemonCommandLine answer;
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("config")) {
        answer.m_kind = Kind::Config;
        answer.m_configArguments = arguments.mid(1);
        return answer;
    }
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            answer.m_kind = Kind::Help;
            answer.m_text = QString::fromLatin1(HelpText);
            return answer;
        }
        if (argument == QLatin1String("--version")) {
            answer.m_kind = Kind::Version;
            answer.m_text = QStringLiteral("gloameryd %1\n").arg(version);
            return answer;
        }
    }
    for (const QString& argument : arguments) {
        if (argument != QLatin1String("--start")) {
            answer.m_kind = Kind::Refused;
            answer.m_text = QStringLiteral("gloameryd: unknown argument '%1'; see gloameryd "
                                           "--help\n")
                                .arg(argument);
            return answer;
        }
        answer.m_startAttraction = true;
    }
    return answer;
}
