// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/PlatformServices.h"

#include <QString>

#include <functional>
#include <memory>

class DesktopAutostart;
class NetServerService;
class ProgramControl;
class TfmGhost;
class TfmHelp;
class TfmLogo;
class TfmMain;
class TfmNastr;
class TfmNet;
class TfmSound;
class TfmWebServer;
class WebAccessService;
struct ProgramState;

// The program's eight windows, one of each, alive for the whole run. Created in a fixed order,
// each loading its settings as it is made, and destroyed by this class in exactly the reverse
// order, each saving its settings (not left to the order in which Qt would delete them).
class ProgramWindows {
public:
    // Told each form name as its window is created and as it is destroyed.
    using Observer = std::function<void(const QString& formName, bool created)>;

    ProgramWindows(ProgramState& state, const PlatformServices& platform, Language editionLanguage,
                   Observer observer = {});
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TfmMain* fmMain = nullptr;
    TfmHelp* fmHelp = nullptr;
    TfmLogo* fmLogo = nullptr;
    TfmGhost* fmGhost = nullptr;
    TfmWebServer* fmWebServer = nullptr;
    TfmNet* fmNet = nullptr;
    TfmSound* fmSound = nullptr;
    TfmNastr* fmNastr = nullptr;

    // The program as a phone or a network client drives it.
    ProgramControl& control() { return *m_control; }
    WebAccessService& webAccess() { return *m_webAccess; }
    NetServerService& netServer() { return *m_netServer; }

private:
    template <typename Window>
    Window* created(Window* window);
    template <typename Window>
    void destroy(Window*& window);

    Observer m_observer;
    std::unique_ptr<ProgramControl> m_control;
    // Each outlives its window and is gone before the control it drives.
    std::unique_ptr<WebAccessService> m_webAccess;
    std::unique_ptr<NetServerService> m_netServer;
    // The running edition's entry in the desktop's autostart folder.
    std::unique_ptr<DesktopAutostart> m_autostart;
};
