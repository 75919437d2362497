// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLineAnswer.h"

#include <gtest/gtest.h>

namespace {

using Kind = CommandLineAnswer::Kind;

struct Case {
    const char* name;
    QStringList arguments;
    Language edition;
    Kind kind;
    int exitCode;
    const char* textStart; // empty: no text
};

class CommandLineAnswerTest : public testing::TestWithParam<Case> {};

TEST_P(CommandLineAnswerTest, AnswersOrRunsAsTheArgumentsAsk) {
    const Case& c = GetParam();
    const CommandLineAnswer answer =
        CommandLineAnswer::of(c.arguments, c.edition, QStringLiteral("1.2.3"));
    EXPECT_EQ(answer.kind(), c.kind);
    EXPECT_EQ(answer.exitCode(), c.exitCode);
    const QString start = QString::fromUtf8(c.textStart);
    EXPECT_EQ(answer.text().left(start.size()), start) << answer.text().toStdString();
    EXPECT_EQ(answer.text().isEmpty(), QByteArray(c.textStart).isEmpty());
}

const QStringList None;

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineAnswerTest,
    testing::Values(
        Case{"nothing", None, Language::English, Kind::Run, 0, ""},
        Case{"help", {"--help"}, Language::English, Kind::Help, 0, "Usage: gloamery [--help"},
        Case{"shortHelp", {"-h"}, Language::English, Kind::Help, 0, "Usage: gloamery ["},
        Case{"russianHelp",
             {"--help"},
             Language::Russian,
             Kind::Help,
             0,
             "Запуск: gloamery-ru [--help"},
        Case{"version", {"--version"}, Language::English, Kind::Version, 0, "gloamery 1.2.3\n"},
        Case{"russianVersion",
             {"--version"},
             Language::Russian,
             Kind::Version,
             0,
             "gloamery-ru 1.2.3\n"},
        // The first of the program's own options wins, after any Qt option.
        Case{"helpAfterQtOption",
             {"-platform", "xcb", "--help"},
             Language::English,
             Kind::Help,
             0,
             "Usage:"},
        Case{"versionBeforeHelp",
             {"--version", "--help"},
             Language::English,
             Kind::Version,
             0,
             "gloamery 1.2.3"},
        // Qt's options, with one dash or two, with their values, start the program.
        Case{"qtOptionWithValue", {"-platform", "offscreen"}, Language::English, Kind::Run, 0, ""},
        Case{"qtOptionTwoDashes",
             {"--style", "fusion", "-reverse"},
             Language::English,
             Kind::Run,
             0,
             ""},
        Case{"qtOptionEquals", {"-style=fusion"}, Language::English, Kind::Run, 0, ""},
        Case{"qtValueLooksLikeHelp", {"-title", "--help"}, Language::English, Kind::Run, 0, ""},
        Case{"typo",
             {"--hlep"},
             Language::English,
             Kind::Refused,
             2,
             "gloamery: unknown option '--hlep'; see gloamery --help\n"},
        Case{"russianTypo",
             {"-x"},
             Language::Russian,
             Kind::Refused,
             2,
             "gloamery-ru: unknown option '-x'; see gloamery-ru --help\n"},
        Case{"argument",
             {"file.txt"},
             Language::English,
             Kind::Refused,
             2,
             "gloamery: unexpected argument 'file.txt'"},
        Case{"unknownBeforeHelp",
             {"--hlep", "--help"},
             Language::English,
             Kind::Refused,
             2,
             "gloamery: unknown option '--hlep'"}),
    [](const testing::TestParamInfo<Case>& c) { return std::string(c.param.name); });

} // namespace
