// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLineAnswer.h"

#include "core/Edition.h"

namespace {

// Options QGuiApplication and QApplication take themselves; Qt accepts them with one dash or two.
const QStringList QtOptionsWithValue = {
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("display"),
    QStringLiteral("geometry"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("session"),
    QStringLiteral("name"),
    QStringLiteral("title"),
};
const QStringList QtFlags = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),
};

QString withoutDashes(const QString& argument) {
    return argument.startsWith(QStringLiteral("--")) ? argument.mid(2) : argument.mid(1);
}

// "-style=fusion" and "-qmljsdebugger=port:..." carry their value after "=".
bool isQtOption(const QString& name) {
    const QString bare = name.section(QLatin1Char('='), 0, 0);
    return QtOptionsWithValue.contains(bare) || QtFlags.contains(bare) ||
           bare == QStringLiteral("qmljsdebugger");
}

QString englishHelp(const QString& program) {
    return QStringLiteral(
               "Usage: %1 [--help | --version] [Qt options]\n"
               "Ghosts that live in your home: while the attraction runs, one of up to eight\n"
               "ghosts plays a sound of its hobby every five to twenty minutes.\n"
               "gloamery is the English edition, gloamery-ru the Russian one.\n"
               "\n"
               "Options:\n"
               "  -h, --help       show this text and exit\n"
               "      --version    show the version and exit\n"
               "  The standard options of Qt applications apply too (-platform, -style...).\n"
               "\n"
               "Environment:\n"
               "  GLOAMERY_SETTINGS  the settings file to use instead of the default one\n"
               "  GLOAMERY_BOARDS    sim:DIR uses the simulated boards of gloamery-board in DIR\n"
               "  XDG_CONFIG_HOME    the folder of the settings and the autostart entry\n"
               "                     (~/.config when unset)\n"
               "  QT_QPA_PLATFORM    the display platform; X11 (XWayland) is preferred on\n"
               "                     Wayland\n"
               "  QT_LOGGING_RULES   diagnostics, e.g. gloamery.*.info=true;\n"
               "                     gloamery.ghosts.info=true tells every act of a ghost\n"
               "\n"
               "Settings: $XDG_CONFIG_HOME/gloamery/settings.db\n"
               "Exit status: 0 after an orderly end, 1 without a graphical display,\n"
               "2 for an unknown option.\n"
               "More in the manual: man 6 gloamery\n")
        .arg(program);
}

QString russianHelp(const QString& program) {
    return QStringLiteral(
               "Запуск: %1 [--help | --version] [параметры Qt]\n"
               "Призраки, живущие в вашем доме: пока идёт аттракцион, один из восьми призраков\n"
               "каждые пять-двадцать минут играет звук своего хобби.\n"
               "gloamery - английская редакция, gloamery-ru - русская.\n"
               "\n"
               "Параметры:\n"
               "  -h, --help       показать этот текст и выйти\n"
               "      --version    показать версию и выйти\n"
               "  Действуют и стандартные параметры программ Qt (-platform, -style...).\n"
               "\n"
               "Переменные окружения:\n"
               "  GLOAMERY_SETTINGS  файл настроек вместо обычного\n"
               "  GLOAMERY_BOARDS    sim:DIR - платы-имитаторы gloamery-board в папке DIR\n"
               "  XDG_CONFIG_HOME    папка настроек и автозапуска (~/.config, если не задана)\n"
               "  QT_QPA_PLATFORM    графическая платформа; в Wayland выбирается X11\n"
               "                     (XWayland)\n"
               "  QT_LOGGING_RULES   диагностика, например gloamery.*.info=true;\n"
               "                     gloamery.ghosts.info=true сообщает о каждом действии\n"
               "                     призрака\n"
               "\n"
               "Настройки: $XDG_CONFIG_HOME/gloamery/settings.db\n"
               "Код выхода: 0 после обычного завершения, 1 без графического дисплея,\n"
               "2 при неизвестном параметре.\n"
               "Подробнее в руководстве: man 6 gloamery\n")
        .arg(program);
}

} // namespace

CommandLineAnswer CommandLineAnswer::of(const QStringList& arguments, Language edition,
                                        const QString& version) {
    const QString program = editionName(edition);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))
            return {Kind::Help,
                    edition == Language::Russian ? russianHelp(program) : englishHelp(program)};
        if (argument == QStringLiteral("--version"))
            return {Kind::Version, program + QLatin1Char(' ') + version + QLatin1Char('\n')};
        const QString name = withoutDashes(argument);
        if (argument.startsWith(QLatin1Char('-')) && isQtOption(name)) {
            if (QtOptionsWithValue.contains(name))
                ++i; // its value, whatever it looks like
            continue;
        }
        const QString what = argument.startsWith(QLatin1Char('-'))
                                 ? QStringLiteral("unknown option '%1'")
                                 : QStringLiteral("unexpected argument '%1'");
        return {Kind::Refused,
                QStringLiteral("%1: %2; see %1 --help\n").arg(program, what.arg(argument))};
    }
    return {Kind::Run, {}};
}

int CommandLineAnswer::exitCode() const {
    switch (m_kind) {
    case Kind::Run:
    case Kind::Help:
    case Kind::Version:
        return 0;
    case Kind::Refused:
        return 2;
    }
    return 0;
}

QStringList programArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
