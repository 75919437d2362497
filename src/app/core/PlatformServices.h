#pragma once

class Clock;
class Desktop;
class DesktopShell;
class KeyToggleTracker;
class MixerDevice;
class PointerSource;
class MessageBoxes;
class RandomSource;
class SettingsStore;
class SoundPlayer;

// The platform as the windows see it: real Linux services in the program, fakes in the tests.
// Not owned here.
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
};
