// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardCommand.h"

#include <QList>

#include <cctype>

namespace {

using Kind = BoardCommand::Kind;

std::optional<int> parseSwitch(QStringView word) {
    if (word == u"on")
        return 1;
    if (word == u"off")
        return 0;
    return std::nullopt;
}

QList<QStringView> splitWords(QStringView line) {
    QList<QStringView> words;
    qsizetype start = -1;
    for (qsizetype at = 0; at <= line.size(); ++at) {
        const bool blank = at == line.size() || line[at].isSpace();
        if (blank && start >= 0) {
            words.append(line.mid(start, at - start));
            start = -1;
        } else if (!blank && start < 0) {
            start = at;
        }
    }
    return words;
}

QString wrongArguments(QStringView name, const char* usage) {
    return QStringLiteral("%1: expected \"%2\"").arg(name, QLatin1String(usage));
}

} // namespace

std::optional<int> parseBoardNumber(QStringView text, int minimum, int maximum) {
    const bool hex = text.startsWith(u"0x") || text.startsWith(u"0X");
    const QStringView digits = hex ? text.mid(2) : text;
    // Short enough that no digit string can overflow before the range check.
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (QChar digit : digits) {
        const bool valid = hex ? digit.unicode() < 0x80 && isxdigit(digit.unicode()) != 0
                               : digit >= u'0' && digit <= u'9';
        if (!valid)
            return std::nullopt;
    }
    const qlonglong value = digits.toLongLong(nullptr, hex ? 16 : 10);
    if (value < minimum || value > maximum)
        return std::nullopt;
    return int(value);
}

std::variant<BoardCommand, QString> parseBoardCommand(QStringView line) {
    const QList<QStringView> words = splitWords(line);
    if (words.isEmpty() || words.front().startsWith(u'#'))
        return BoardCommand{};
    const QStringView name = words.front();
    const qsizetype arguments = words.size() - 1;

    const auto switched = [&](Kind kind, const char* usage) -> std::variant<BoardCommand, QString> {
        const std::optional<int> on = arguments == 1 ? parseSwitch(words[1]) : std::nullopt;
        if (!on)
            return wrongArguments(name, usage);
        return BoardCommand{kind, 0, *on};
    };
    const auto bare = [&](Kind kind) -> std::variant<BoardCommand, QString> {
        if (arguments != 0)
            return QStringLiteral("%1: takes no arguments").arg(name);
        return BoardCommand{kind, 0, 0};
    };

    if (name == u"in") {
        const std::optional<int> input =
            arguments == 2 ? parseBoardNumber(words[1], 1, 9) : std::nullopt;
        const std::optional<int> on = arguments == 2 ? parseSwitch(words[2]) : std::nullopt;
        if (!input || !on)
            return wrongArguments(name, "in K on|off, K from 1 to 9");
        return BoardCommand{Kind::Input, *input, *on};
    }
    if (name == u"press") {
        const std::optional<int> input =
            arguments == 2 ? parseBoardNumber(words[1], 1, 9) : std::nullopt;
        const std::optional<int> ms =
            arguments == 2 ? parseBoardNumber(words[2], 1, MaxPressMs) : std::nullopt;
        if (!input || !ms)
            return wrongArguments(name, "press K MS, K from 1 to 9, MS from 1 to 3600000");
        return BoardCommand{Kind::Press, *input, *ms};
    }
    if (name == u"ad") {
        const std::optional<int> input =
            arguments == 2 ? parseBoardNumber(words[1], 1, 7) : std::nullopt;
        const std::optional<int> value =
            arguments == 2 ? parseBoardNumber(words[2], 0, 255) : std::nullopt;
        if (!input || !value)
            return wrongArguments(name, "ad K VALUE, K from 1 to 7, VALUE from 0 to 255");
        return BoardCommand{Kind::Analog, *input, *value};
    }
    if (name == u"freq") {
        const std::optional<int> count =
            arguments == 1 ? parseBoardNumber(words[1], 0, 65535) : std::nullopt;
        if (!count)
            return wrongArguments(name, "freq COUNT, COUNT from 0 to 65535");
        return BoardCommand{Kind::Frequency, 0, *count};
    }
    if (name == u"in10")
        return switched(Kind::Input10, "in10 on|off");
    if (name == u"silent")
        return switched(Kind::Silent, "silent on|off");
    if (name == u"unplug")
        return bare(Kind::Unplug);
    if (name == u"plug")
        return bare(Kind::Plug);
    if (name == u"status")
        return bare(Kind::Status);
    return QStringLiteral("unknown command \"%1\" (see --help)").arg(name.left(40));
}
