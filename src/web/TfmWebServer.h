// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/PlatformServices.h"
#include "language/LanguageTarget.h"
#include "web/HostAddresses.h"
#include "widgetkit/SkinnedDialog.h"

#include <QStringList>

#include <memory>

class ImageList;
class LanguageTexts;
class WebAccessService;
struct AccountControls;
struct PermissionControls;
struct ProgramState;
struct SharedImageLists;
struct WebAccessControls;

// The web access window (form fmWebServer): the HTTP server's port and page, the two accounts
// with their permissions, and the access addresses a phone's browser is given. A view of the
// web access service: its start button runs the service's server, which keeps running when the
// window closes. Its controls are only built at its first opening; they are filled from the
// service's settings, and every change in them is written back there.
class TfmWebServer : public SkinnedDialog, public LanguageTarget {
    Q_OBJECT
public:
    // `shared`: the main window's image lists; `service` must outlive the window; `addresses`
    // lists the computer's addresses, once, when the controls are built.
    TfmWebServer(ProgramState& state, const PlatformServices& platform,
                 const SharedImageLists& shared, WebAccessService& service,
                 const HostAddressSource& addresses = hostIPv4Addresses);
    ~TfmWebServer() override;

    bool userOk() const;
    bool adminOk() const;
    // The computer's addresses as listed when the controls were built; empty before.
    const QStringList& addresses() const { return m_addresses; }

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
    void showServerState(bool running);
    void showServerControls(bool running);
    void showServerTexts(bool running);
    void showAccountToggles();
    void showShortPasswordNotices();
    void writeTexts();
    const LanguageTexts& texts() const;

    PlatformServices m_platform;
    WebAccessService& m_service;
    const ImageList& BitmapList_Btn;
    const ImageList& BitmapList_Yellow;
    HostAddressSource m_addressSource;
    // The last texts applied and the language they were applied in, written into the controls
    // again when these are built.
    const LanguageTexts* m_texts = nullptr;
    Language m_textsLanguage = Language::English;
    QStringList m_addresses;
    bool m_connectPressed = false;

    // None until the window is first opened.
    std::unique_ptr<WebAccessControls> m_ui;
};
