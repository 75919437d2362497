// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/PlatformServices.h"

#include <QString>

#include <functional>
#include <memory>

class DesktopAutostart;
class ManagementPage;
class ProgramControl;
class SoundStage;
class TfmGhost;
class TfmHelp;
class TfmLogo;
class TfmMain;
class TfmNastr;
class TfmNet;
class TfmSound;
class TfmWebServer;
class WebAccessServer;
class WebServerControl;
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

private:
    template <typename Window>
    Window* created(Window* window);
    template <typename Window>
    void destroy(Window*& window);

    Observer m_observer;
    // Made before the windows: the ghosts play through it, the sound window shows it.
    std::unique_ptr<SoundStage> m_sound;
    // The web access window's server; it outlives the window, which stops it at the end.
    std::unique_ptr<WebServerControl> m_webServer;
    WebAccessServer* m_webAccessServer = nullptr;
    std::unique_ptr<ProgramControl> m_control;
    // The running edition's entry in the desktop's autostart folder.
    std::unique_ptr<DesktopAutostart> m_autostart;
    // What the web access server answers a phone with; it acts through the control.
    std::unique_ptr<ManagementPage> m_managementPage;
};
