// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the simulated board's command parser and option parser on any text. A
// command it accepts must be in range, and its plain spelling must parse to the same command.
#include "BoardCommand.h"
#include "BoardOptions.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using Kind = BoardCommand::Kind;

bool inRange(const BoardCommand& c) {
    switch (c.kind) {
    case Kind::Nothing:
    case Kind::Unplug:
    case Kind::Plug:
    case Kind::Status:
        return c.index == 0 && c.value == 0;
    case Kind::Input:
        return c.index >= 1 && c.index <= 9 && (c.value == 0 || c.value == 1);
    case Kind::Press:
        return c.index >= 1 && c.index <= 9 && c.value >= 1 && c.value <= MaxPressMs;
    case Kind::Input10:
    case Kind::Silent:
        return c.index == 0 && (c.value == 0 || c.value == 1);
    case Kind::Analog:
        return c.index >= 1 && c.index <= 7 && c.value >= 0 && c.value <= 255;
    case Kind::Frequency:
        return c.index == 0 && c.value >= 0 && c.value <= 65535;
    }
    return false;
}

QString spelling(const BoardCommand& c) {
    const QString on = c.value != 0 ? QStringLiteral("on") : QStringLiteral("off");
    switch (c.kind) {
    case Kind::Nothing:
        return {};
    case Kind::Input:
        return QStringLiteral("in %1 %2").arg(c.index).arg(on);
    case Kind::Press:
        return QStringLiteral("press %1 %2").arg(c.index).arg(c.value);
    case Kind::Input10:
        return QStringLiteral("in10 ") + on;
    case Kind::Analog:
        return QStringLiteral("ad %1 %2").arg(c.index).arg(c.value);
    case Kind::Frequency:
        return QStringLiteral("freq %1").arg(c.value);
    case Kind::Silent:
        return QStringLiteral("silent ") + on;
    case Kind::Unplug:
        return QStringLiteral("unplug");
    case Kind::Plug:
        return QStringLiteral("plug");
    case Kind::Status:
        return QStringLiteral("status");
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString line = QString::fromUtf8(bytes);

    const auto parsed = parseBoardCommand(line);
    if (const BoardCommand* command = std::get_if<BoardCommand>(&parsed)) {
        if (!inRange(*command))
            std::abort();
        const auto again = parseBoardCommand(spelling(*command));
        const BoardCommand* same = std::get_if<BoardCommand>(&again);
        if (same == nullptr || !(*same == *command))
            std::abort();
    } else if (std::get<QString>(parsed).isEmpty()) {
        std::abort(); // an error must say something
    }

    // The same bytes as a command line, one argument per line.
    const auto options = parseBoardOptions(line.split(QLatin1Char('\n')));
    if (const BoardOptions* o = std::get_if<BoardOptions>(&options)) {
        if (!o->help && (o->directory.isEmpty() || o->intervalMs < 1))
            std::abort();
    }
    return 0;
}
