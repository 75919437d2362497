// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <variant>

// One line a simulated board reads from its console or script.
struct BoardCommand {
    enum class Kind {
        Nothing,   // a blank line or a # comment
        Input,     // in K on|off: index = K (1 to 9), value = 0 or 1
        Press,     // press K MS: index = K (1 to 9), value = milliseconds
        Input10,   // in10 on|off: value = 0 or 1
        Analog,    // ad K VALUE: index = K (1 to 7), value = 0 to 255
        Frequency, // freq COUNT: value = 0 to 65535
        Silent,    // silent on|off: value = 0 or 1
        Unplug,
        Plug,
        Status,
    };

    Kind kind = Kind::Nothing;
    int index = 0;
    int value = 0;

    bool operator==(const BoardCommand&) const = default;
};

// The longest press: an hour, far beyond any wiring test, and safe from timer overflow.
constexpr int MaxPressMs = 3600 * 1000;

// The command on the line, or the one-line reason it is none.
std::variant<BoardCommand, QString> parseBoardCommand(QStringView line);

// A whole number in decimal or with a 0x prefix in hex, within [minimum, maximum].
std::optional<int> parseBoardNumber(QStringView text, int minimum, int maximum);
