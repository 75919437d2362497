// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

class Clock;
class Desktop;
class DesktopShell;
class HidBackendFactory;
class KeyToggleTracker;
class MqttConnection;
class MixerDevice;
class PointerSource;
class MessageBoxes;
class RandomSource;
class SettingsStore;
class SoundPlayer;
class WallClockAlarm;

// The platform as the windows see it: real Linux services in the program, fakes in the tests.
// Not owned here. Fill it by name (`{.store = &store, ...}`); a window that cannot work without
// a service takes it through requireService, so a missing one fails loudly at construction
// instead of quietly falling back to the real desktop inside a test.
struct PlatformServices {
    SettingsStore* store = nullptr;
    MessageBoxes* messages = nullptr;
    Desktop* desktop = nullptr;
    const KeyToggleTracker* deleteKey = nullptr;
    const Clock* clock = nullptr;
    RandomSource* random = nullptr;
    SoundPlayer* player = nullptr;
    MixerDevice* mixer = nullptr;
    const PointerSource* pointer = nullptr;
    DesktopShell* shell = nullptr;
    // Without it no USB board is looked for.
    HidBackendFactory* boards = nullptr;
    // Makes links to the home's MQTT broker; without it none is made.
    std::function<std::unique_ptr<MqttConnection>()> mqtt = {};
    // Makes alarms on the wall clock; without it the evening's plans never wake the program.
    std::function<std::unique_ptr<WallClockAlarm>()> alarm = {};
};

[[noreturn]] void missingPlatformService(const char* window, const char* service);

template <typename Service>
Service& requireService(Service* service, const char* window, const char* name) {
    if (!service)
        missingPlatformService(window, name);
    return *service;
}
