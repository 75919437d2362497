// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoardsVariable.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardsVariable, ChoosesTheBoardsSource) {
    using Source = BoardsVariable::Source;
    struct Case {
        const char* value;
        Source source;
        const char* folder;
        bool problem;
    };
    const Case cases[] = {
        {"", Source::System, "", false},
        {"  ", Source::System, "", false},
        {"sim:/tmp/boards", Source::Simulated, "/tmp/boards", false},
        {" sim:relative/dir ", Source::Simulated, "relative/dir", false},
        {"sim:", Source::System, "", true},
        {"simulator", Source::System, "", true},
        {"/tmp/boards", Source::System, "", true},
    };
    for (const Case& c : cases) {
        const BoardsVariable chosen = BoardsVariable::parse(QString::fromUtf8(c.value));
        EXPECT_EQ(chosen.source, c.source) << c.value;
        EXPECT_EQ(chosen.simulatorFolder, QString::fromUtf8(c.folder)) << c.value;
        EXPECT_EQ(!chosen.problem.isEmpty(), c.problem) << c.value;
    }
}

} // namespace
