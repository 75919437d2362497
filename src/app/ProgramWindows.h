// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/OwnedWindow.h"
#include "core/Language.h"
#include "core/PlatformServices.h"

#include <memory>

class DesktopAutostart;
class HouseBoards;
class NetServerService;
class ProgramControl;
class ProgramServices;
class TfmGhost;
class TfmHomeAutomation;
class TfmHelp;
class TfmLogo;
class TfmMain;
class TfmNastr;
class TfmNet;
class TfmSchedule;
class TfmSound;
class TfmSounds;
class TfmWebServer;
class WebAccessService;
struct ProgramState;

// The program's windows, one of each, views over the services and alive for the whole run.
// Created in a fixed order and destroyed in exactly the reverse order (the members' order).
class ProgramWindows {
public:
    // Told each form name as its window is created and as it is destroyed.
    using Observer = WindowObserver;

    ProgramWindows(ProgramState& state, const PlatformServices& platform, ProgramServices& services,
                   Language editionLanguage, Observer observer = {});
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    ProgramServices& services() { return m_services; }
    // The program as a phone or a network client drives it.
    ProgramControl& control();
    WebAccessService& webAccess();
    NetServerService& netServer();
    // The USB boards as the home's sensors and door.
    HouseBoards& boards();

private:
    const Observer m_observer;
    ProgramServices& m_services;

public:
    const OwnedWindow<TfmMain> fmMain;
    const OwnedWindow<TfmHelp> fmHelp;
    const OwnedWindow<TfmLogo> fmLogo;
    const OwnedWindow<TfmGhost> fmGhost;
    const OwnedWindow<TfmWebServer> fmWebServer;
    const OwnedWindow<TfmNet> fmNet;
    const OwnedWindow<TfmSound> fmSound;
    const OwnedWindow<TfmNastr> fmNastr;
    // Beyond the eight: the home's MQTT broker.
    const OwnedWindow<TfmHomeAutomation> fmHomeAutomation;
    // The own sound libraries.
    const OwnedWindow<TfmSounds> fmSounds;
    // The evenings the attraction keeps by itself.
    const OwnedWindow<TfmSchedule> fmSchedule;

private:
    // The running edition's entry in the desktop's autostart folder.
    std::unique_ptr<DesktopAutostart> m_autostart;
};
