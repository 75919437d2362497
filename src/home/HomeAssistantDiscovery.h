// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "home/MqttConnection.h"

#include <QString>

#include <array>

// What Home Assistant is told about this room's program.
struct DiscoveredDevice {
    QString nodeId;
    QByteArray base;   // the base topic
    QByteArray prefix; // the discovery prefix
    QString version;
    Language language = Language::English;
    std::array<QString, 8> ghostNames;
};

// Home Assistant's MQTT discovery: one retained config per entity under
// <prefix>/<component>/<node id>/<object id>/config, all of one device, all with the program's
// availability topic.
namespace HomeAssistantDiscovery {

// A switch for the attraction, buttons for an act and the door, a switch per ghost named after
// it, binary sensors for the nine inputs and the door, sensors for the time left and the last act.
QList<MqttMessage> configs(const DiscoveredDevice& device);
// Empty retained configs on the same topics: Home Assistant then forgets those entities.
QList<MqttMessage> removals(const DiscoveredDevice& device);

} // namespace HomeAssistantDiscovery
