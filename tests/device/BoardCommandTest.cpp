// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardCommand.h"

#include "BoardOptions.h"

#include <gtest/gtest.h>

namespace {

using Kind = BoardCommand::Kind;

TEST(BoardCommand, LinesBecomeCommands) {
    struct Case {
        const char* line;
        BoardCommand command;
    };
    const Case cases[] = {
        {"in 1 on", {Kind::Input, 1, 1}},
        {"in 9 off", {Kind::Input, 9, 0}},
        {"  in\t3   on  \r", {Kind::Input, 3, 1}},
        {"press 2 250", {Kind::Press, 2, 250}},
        {"press 9 3600000", {Kind::Press, 9, MaxPressMs}},
        {"in10 on", {Kind::Input10, 0, 1}},
        {"in10 off", {Kind::Input10, 0, 0}},
        {"ad 1 0", {Kind::Analog, 1, 0}},
        {"ad 7 255", {Kind::Analog, 7, 255}},
        {"ad 4 0xff", {Kind::Analog, 4, 255}},
        {"ad 4 0X1f", {Kind::Analog, 4, 31}},
        {"freq 0", {Kind::Frequency, 0, 0}},
        {"freq 65535", {Kind::Frequency, 0, 65535}},
        {"freq 0xFFFF", {Kind::Frequency, 0, 65535}},
        {"freq 007", {Kind::Frequency, 0, 7}},
        {"silent on", {Kind::Silent, 0, 1}},
        {"silent off", {Kind::Silent, 0, 0}},
        {"unplug", {Kind::Unplug, 0, 0}},
        {"plug", {Kind::Plug, 0, 0}},
        {"status", {Kind::Status, 0, 0}},
        {"", {Kind::Nothing, 0, 0}},
        {"   ", {Kind::Nothing, 0, 0}},
        {"# in 1 on", {Kind::Nothing, 0, 0}},
    };
    for (const Case& c : cases) {
        const auto parsed = parseBoardCommand(QString::fromUtf8(c.line));
        ASSERT_TRUE(std::holds_alternative<BoardCommand>(parsed))
            << c.line << ": " << std::get<QString>(parsed).toStdString();
        EXPECT_EQ(std::get<BoardCommand>(parsed), c.command) << c.line;
    }
}

TEST(BoardCommand, BadLinesSayWhatIsWrong) {
    struct Case {
        const char* line;
        const char* errorMentions;
    };
    const Case cases[] = {
        {"in 0 on", "K from 1 to 9"},
        {"in 10 on", "K from 1 to 9"},
        {"in 1", "in K on|off"},
        {"in 1 yes", "in K on|off"},
        {"in 1 ON", "in K on|off"},
        {"in 1 on extra", "in K on|off"},
        {"in -1 on", "in K on|off"},
        {"in +1 on", "in K on|off"},
        {"press 1 0", "MS from 1"},
        {"press 1 3600001", "MS from 1"},
        {"press 1 99999999999999999999", "MS from 1"},
        {"press 1", "press K MS"},
        {"in10", "in10 on|off"},
        {"ad 0 1", "K from 1 to 7"},
        {"ad 8 1", "K from 1 to 7"},
        {"ad 1 256", "VALUE from 0 to 255"},
        {"ad 1 0x", "VALUE from 0 to 255"},
        {"ad 1 0x1g", "VALUE from 0 to 255"},
        {"ad 1 1.5", "VALUE from 0 to 255"},
        {"freq 65536", "COUNT from 0 to 65535"},
        {"freq", "COUNT from 0 to 65535"},
        {"silent", "silent on|off"},
        {"unplug now", "takes no arguments"},
        {"status 1", "takes no arguments"},
        {"IN 1 on", "unknown command"},
        {"jump", "unknown command \"jump\""},
    };
    for (const Case& c : cases) {
        const auto parsed = parseBoardCommand(QString::fromUtf8(c.line));
        ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << c.line;
        const QString error = std::get<QString>(parsed);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.errorMentions)))
            << c.line << " gave: " << error.toStdString();
        EXPECT_FALSE(error.contains(u'\n')) << c.line;
    }
}

TEST(BoardCommand, AnEndlessUnknownWordIsCutInTheError) {
    const QString word(100000, u'x');
    const auto parsed = parseBoardCommand(word);
    ASSERT_TRUE(std::holds_alternative<QString>(parsed));
    EXPECT_LT(std::get<QString>(parsed).size(), 200);
}

TEST(BoardOptions, CommandLines) {
    struct Case {
        QStringList arguments;
        std::optional<BoardOptions> options; // nullopt: an error that mentions `error`
        const char* error;
    };
    const auto options = [](quint16 vid, quint16 pid, const char* dir, int interval,
                            const char* script) {
        BoardOptions o;
        o.vendorId = vid;
        o.productId = pid;
        o.directory = QString::fromUtf8(dir);
        o.intervalMs = interval;
        o.scriptFile = QString::fromUtf8(script);
        return o;
    };
    BoardOptions help;
    help.help = true;
    const Case cases[] = {
        {{"--pid", "3", "--dir", "/d"}, options(0xABCC, 3, "/d", 10, ""), ""},
        {{"--dir", "/d", "--pid", "0xA", "--vid", "0x1234", "--interval", "25", "--script", "s"},
         options(0x1234, 10, "/d", 25, "s"),
         ""},
        {{"--pid", "65535", "--vid", "0", "--dir", "d"}, options(0, 0xFFFF, "d", 10, ""), ""},
        {{"--help"}, help, ""},
        {{"--pid", "3", "--help"}, help, ""},
        {{"--pid", "x", "-h"}, help, ""},
        {{"--dir", "/d"}, std::nullopt, "--pid is missing"},
        {{"--pid", "3"}, std::nullopt, "--dir is missing"},
        {{"--pid", "65536", "--dir", "/d"}, std::nullopt, "not an id"},
        {{"--pid", "x", "--dir", "/d"}, std::nullopt, "not an id"},
        {{"--pid", "3", "--dir", "/d", "--interval", "0"}, std::nullopt, "--interval"},
        {{"--pid", "3", "--dir"}, std::nullopt, "--dir needs a value"},
        {{"--pid", "3", "--dir", "/d", "--colour", "red"}, std::nullopt, "unknown option"},
    };
    for (const Case& c : cases) {
        const auto parsed = parseBoardOptions(c.arguments);
        const std::string line = c.arguments.join(u' ').toStdString();
        if (c.options) {
            ASSERT_TRUE(std::holds_alternative<BoardOptions>(parsed))
                << line << ": " << std::get<QString>(parsed).toStdString();
            EXPECT_EQ(std::get<BoardOptions>(parsed), *c.options) << line;
        } else {
            ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << line;
            EXPECT_TRUE(std::get<QString>(parsed).contains(QString::fromUtf8(c.error)))
                << line << " gave: " << std::get<QString>(parsed).toStdString();
        }
    }
}

} // namespace
