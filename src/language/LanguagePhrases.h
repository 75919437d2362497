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
    // The sounds window and its service.
    SoundsTitle,
    SpecialtyAny,
    SpecialtyDoorman,
    SpecialtyElectrician,
    SpecialtyPlumber,
    SpecialtyPostman,
    SpecialtyPedestrian,
    SoundsLong,
    SoundsShort,
    SoundsShipped,
    SoundsOwn,
    SoundsReading,
    SoundsNumber,
    SoundsDescription,
    SoundsLength,
    SoundsLoudness,
    SoundsSeconds, // %1: seconds
    SoundsLufs,    // %1: LUFS
    SoundsPlay,
    SoundsAdd,
    SoundsRemove,
    SoundsApply,
    SoundsBackToShipped,
    SoundsConfirmBack, // %1: the library
    SoundsTrimSilence,
    SoundsCancel,
    SoundsEffectMiddle,
    SoundsEffectLeft,
    SoundsEffectRight,
    SoundsEffectRightToLeft,
    SoundsEffectLeftToRight,
    SoundsChooseFiles,
    SoundsAudioFiles,
    SoundsImporting, // %1: file number, %2: files, %3: the file
    SoundsImportBusy,
    SoundsWorkBusy,
    SoundsTooMany, // %1: the library, %2: sounds held, %3: room left, %4: the most
    SoundsImportCancelled,
    SoundsImported,   // %1: sounds added, %2: the library
    SoundsFileFailed, // %1: the file, %2: why
    SoundsFileUnreadable,
    SoundsFileTruncated,
    SoundsFileNoAudio,
    SoundsFileTooLong, // %1: seconds
    SoundsFileSilent,
    SoundsLibraryFull, // %1: the most
    SoundsLastSound,
    SoundsNoSuchSound, // %1: number
    SoundsDescriptionNot1251,
    SoundsDescriptionLong, // %1: the most bytes
    SoundsReadFailed,      // %1: why, naming the file
    SoundsWriteFailed,     // %1: why, naming the file
    SoundsDeleteFailed,    // %1: the file, %2: why
    SoundsRemoved,         // %1: number
    SoundsDescribed,       // %1: number
    SoundsBackDone,        // %1: the library
};

QString phrase(Phrase which, Language language);
