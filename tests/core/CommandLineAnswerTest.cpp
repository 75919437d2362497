// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLineAnswer.h"

#include <gtest/gtest.h>

namespace {

using Kind = CommandLineAnswer::Kind;
constexpr Language En = Language::English;
constexpr Language Ru = Language::Russian;

TEST(CommandLineAnswer, AnswersOrRunsAsTheArgumentsAsk) {
    struct Case {
        QStringList arguments;
        Language edition;
        Kind kind;
        int exitCode;
        const char* textStart;
    };
    const Case cases[] = {
        {{}, En, Kind::Run, 0, ""},
        {{"-h"}, En, Kind::Help, 0, "Usage: gloamery [--help"},
        {{"--help"}, Ru, Kind::Help, 0, "Запуск: gloamery-ru [--help"},
        {{"--version", "--help"}, Ru, Kind::Version, 0, "gloamery-ru 1.2.3\n"},
        // Qt's options, with one dash or two, take their values along.
        {{"-platform", "xcb", "--help"}, En, Kind::Help, 0, "Usage:"},
        {{"--style", "fusion", "-reverse", "-style=fusion"}, En, Kind::Run, 0, ""},
        {{"-title", "--help"}, En, Kind::Run, 0, ""},
        {{"--hlep", "--help"},
         En,
         Kind::Refused,
         2,
         "gloamery: unknown option '--hlep'; see gloamery --help\n"},
        {{"file.txt"}, Ru, Kind::Refused, 2, "gloamery-ru: unexpected argument 'file.txt'"},
    };
    for (const Case& c : cases) {
        const CommandLineAnswer answer =
            CommandLineAnswer::of(c.arguments, c.edition, QStringLiteral("1.2.3"));
        const QString start = QString::fromUtf8(c.textStart);
        const std::string name = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(answer.kind(), c.kind) << name;
        EXPECT_EQ(answer.exitCode(), c.exitCode) << name;
        EXPECT_EQ(answer.text().left(start.size()), start) << name;
        EXPECT_EQ(answer.text().isEmpty(), start.isEmpty()) << name;
    }
}

} // namespace
