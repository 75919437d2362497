// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FaultWatch.h"

#include "core/LogCategories.h"
#include "support/WarningRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Sightings {
    std::string name;
    std::vector<const char*> seen; // "" : it works
    int warnings;
    const char* last; // the reason held at the end
};

class FaultWatchLog : public testing::TestWithParam<Sightings> {};

TEST_P(FaultWatchLog, LogsAFaultWhenItAppearsNotEachTimeItIsSeen) {
    const Sightings& c = GetParam();
    const WarningRecorder warnings("gloamery.sound");
    FaultWatch watch(lcSound, QStringLiteral("Sound"));
    for (const char* reason : c.seen)
        watch.see(QString::fromUtf8(reason));
    EXPECT_EQ(warnings.messages().size(), c.warnings)
        << warnings.messages().join('\n').toStdString();
    EXPECT_EQ(watch.reason(), QString::fromUtf8(c.last));
    EXPECT_EQ(watch.active(), *c.last != '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultWatchLog,
    testing::Values(Sightings{"never_failing", {"", "", ""}, 0, ""},
                    Sightings{"failing_every_tick", std::vector<const char*>(100, "busy"), 1,
                              "busy"},
                    Sightings{"cleared", {"busy", "busy", ""}, 1, ""},
                    Sightings{"cleared_and_back", {"busy", "", "", "busy", "busy"}, 2, "busy"},
                    Sightings{"another_reason", {"busy", "busy", "gone", "gone"}, 2, "gone"}),
    [](const testing::TestParamInfo<Sightings>& param) { return param.param.name; });

} // namespace
