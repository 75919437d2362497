// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "home/HomeSettings.h"
#include "home/MqttConnection.h"

#include <QObject>

// What the "Home automation" dialog and `gloameryd config` see of the home's MQTT link.
class HomeLinkControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HomeLinkControl() override = default;

    virtual HomeSettings settings() const = 0;
    // Takes effect at once: the link is closed and, when enabled, opened anew with these. Stored
    // when the program ends, as every other setting.
    virtual void applySettings(const HomeSettings& settings) = 0;
    virtual MqttLinkState state() const = 0;
    // One attempt with `settings`, beside the link in use; testFinished() tells how it went
    // within the attempt's time limit.
    virtual void testSettings(const HomeSettings& settings) = 0;

signals:
    void stateChanged(const MqttLinkState& state);
    // `message` is one line: on success the broker's host and port, else the broker's refusal or
    // the network's error.
    void testFinished(bool ok, const QString& message);
};
