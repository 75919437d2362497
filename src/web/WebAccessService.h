// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/WebAccessSettings.h"
#include "web/page/ManagementPage.h"

#include <QObject>
#include <QString>

#include <memory>

class ProgramControl;
class SettingsStore;
class WebServerControl;
struct ProgramState;

// The web access: its settings under "Web\", the HTTP server and the management page it
// serves, with or without a window to show them. The server runs from start() to stop(), or to
// the end of this object; the page acts through the program's control surface. Lives on the UI
// thread, as the page's answers do.
class WebAccessService : public QObject {
    Q_OBJECT
public:
    // `server` starts and stops the listening; `state` gets WebServerRunning. `control` and
    // `state` must outlive the service.
    WebAccessService(ProgramState& state, SettingsStore* store, ProgramControl& control,
                     std::unique_ptr<WebServerControl> server, GhostPictures pictures = {});
    // Stops a running server; saves the settings if they were loaded.
    ~WebAccessService() override;

    // Reads the "Web\" values; a store error abandons the rest without a message.
    void loadSettings();
    // Writes the settings now; the end then writes nothing more.
    void saveSettings();

    // The window edits them in place; the page reads them at each request.
    WebAccessSettings& settings() { return m_settings; }
    const WebAccessSettings& settings() const { return m_settings; }

    bool isRunning() const { return m_running; }
    // Listens on the port the settings hold now. Empty when listening, else the message for
    // the user, and nothing has changed.
    QString start();
    // Empty, or the message of a stop that timed out; the server counts as stopped either way.
    QString stop();
    // With the autorun option ticked, starts as the start button would; a failure is only
    // logged, as no one has asked for anything yet.
    void autorunIfWanted();

signals:
    void runningChanged(bool running);

private:
    ProgramState& m_state;
    SettingsStore* m_store;
    WebAccessSettings m_settings;
    bool m_loaded = false;
    bool m_running = false;
    ManagementPage m_page;
    // After the page, so it goes first: no request reaches a page that is gone.
    std::unique_ptr<WebServerControl> m_server;
};
