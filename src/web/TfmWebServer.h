// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/PlatformServices.h"
#include "language/LanguageTarget.h"
#include "web/HostAddresses.h"
#include "web/WebAccessSettings.h"
#include "widgetkit/SkinnedDialog.h"

#include <QStringList>

#include <functional>
#include <memory>

class ImageList;
class LanguageTexts;
class WebServerControl;
struct AccountControls;
struct PermissionControls;
struct ProgramState;
struct SharedImageLists;
struct WebAccessControls;

// The web access window (form fmWebServer): the HTTP server's port and page, the two accounts
// with their permissions, and the access addresses a phone's browser is given. Its start button
// runs the server, which keeps running when the window closes and stops at the program's end.
// Loads its settings when created and saves them when destroyed; its controls are only built at
// its first opening, so until then the settings live in a plain record the controls are filled
// from, and every change in the controls is written back into it.
class TfmWebServer : public SkinnedDialog, public LanguageTarget {
    Q_OBJECT
public:
    static const QString NotAPortMessage; // "'%1' is not a valid port number"

    // `shared`: the main window's image lists; `server` must outlive the window; `addresses`
    // lists the computer's addresses, once, when the controls are built.
    TfmWebServer(ProgramState& state, const PlatformServices& platform,
                 const SharedImageLists& shared, WebServerControl& server,
                 const HostAddressSource& addresses = hostIPv4Addresses);
    ~TfmWebServer() override;

    // Colours the main window's web lamp (running or not); none: no lamp.
    void setWebIndicator(std::function<void(bool running)> indicator);

    // The settings as they stand now, whether or not the window was ever opened.
    const WebAccessSettings& settings() const { return m_settings; }
    bool userOk() const { return m_settings.User_OK; }
    bool adminOk() const { return m_settings.Admin_OK; }
    // The computer's addresses as listed when the controls were built; empty before.
    const QStringList& addresses() const { return m_addresses; }

    // With the autorun option ticked, starts the server as the start button would; a failure is
    // only logged, as no one has asked for anything yet. For the main window's first showing.
    void autorunIfWanted();

    void applyLanguageTexts(const LanguageTexts& texts) override;

    void Sb_Web_ConnectClick();
    void Cb_UserClick();
    void Cb_AdminClick();

protected:
    void buildControls() override;
    void FormShow() override;
    void trackPointer() override;

private:
    void connectControls();
    void showSettings();
    void FillAddressList();
    void Sb_IP_UpClick();
    void Sb_IP_DownClick();
    void ListBox_IPDblClick();
    void UpdateUserUrl();
    void UpdateAdminUrl();
    void SetUserFieldsVisible(bool shown);
    void SetAdminFieldsVisible(bool shown);
    void chooseAddress();
    // Empty when the server listens; else the message for the user, and nothing has changed.
    QString startServer();
    void stopServer();
    void showServerState(bool running);
    void showServerControls(bool running);
    void showServerTexts(bool running);
    void showAccountToggles();
    void showShortPasswordNotices();
    void writeTexts();
    const LanguageTexts& texts() const;

    PlatformServices m_platform;
    WebServerControl& m_server;
    const ImageList& BitmapList_Btn;
    const ImageList& BitmapList_Yellow;
    HostAddressSource m_addressSource;
    // The last texts applied and the language they were applied in, written into the controls
    // again when these are built.
    const LanguageTexts* m_texts = nullptr;
    Language m_textsLanguage = Language::English;
    std::function<void(bool)> m_webIndicator;
    WebAccessSettings m_settings;
    QStringList m_addresses;
    bool m_connectPressed = false;

    // None until the window is first opened.
    std::unique_ptr<WebAccessControls> m_ui;
};
