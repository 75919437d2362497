// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QString>

// Interface texts the program gained after the numbered table, whose numbers stay as they are:
// each in English and Russian, found by name rather than by number.
enum class Phrase {
    StartWithDesktop,
    StartAttractionWithProgram,
    SettingsHeldWithoutWindow, // %1: the process holding the settings
    // The home automation window and its checks.
    HomeTitle,
    MqttBrokerGroup,
    MqttEnabled,
    MqttHost,
    MqttPort,
    MqttUser,
    MqttPassword,
    MqttTls,
    MqttCaFile,
    MqttChooseCaFile,
    HomeAssistantGroup,
    MqttNodeId,
    MqttBaseTopic,
    MqttDiscoveryPrefix,
    MqttTest,
    MqttOff,
    MqttConnecting, // %1: host:port
    MqttConnected,  // %1: host:port
    MqttRetrying,   // %1: why, %2: seconds
    MqttTesting,    // %1: host:port
    MqttTestPassed, // %1: the broker's answer
    MqttTestFailed, // %1: why
    MqttHostEmpty,
    MqttPortInvalid,       // %1: the text
    MqttNodeIdInvalid,     // %1: the id
    MqttBaseTopicInvalid,  // %1: the topic
    MqttBaseTopicReserved, // %1: the topic
    MqttPrefixInvalid,     // %1: the prefix
    MqttCaFileUnreadable,  // %1: the file
};

QString phrase(Phrase which, Language language);
