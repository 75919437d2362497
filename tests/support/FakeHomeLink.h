// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/HomeLinkControl.h"

#include <QList>

// The home's MQTT link as its window sees it: records what was applied and tried, and takes its
// state from the test.
class FakeHomeLink : public HomeLinkControl {
public:
    HomeSettings stored;
    MqttLinkState linkState;
    QList<HomeSettings> applied;
    QList<HomeSettings> tried;

    HomeSettings settings() const override { return stored; }
    void applySettings(const HomeSettings& settings) override {
        applied.append(settings);
        stored = settings;
    }
    MqttLinkState state() const override { return linkState; }
    void testSettings(const HomeSettings& settings) override { tried.append(settings); }

    void enter(const MqttLinkState& state) {
        linkState = state;
        emit stateChanged(state);
    }
    void finishTest(bool ok, const QString& message) { emit testFinished(ok, message); }
};
