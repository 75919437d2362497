// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/TfmWebServer.h"

#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "language/LanguageTexts.h"
#include "language/TextEntries.h"
#include "web/AccessAddresses.h"
#include "web/WebAccessControls.h"
#include "web/WebAccessService.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/SharedImageLists.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using SkinParts::setCaption;
using SkinParts::showEntry;

namespace {

void setPermissions(const PermissionControls& controls,
                    const WebAccessSettings::Permissions& permissions) {
    for (size_t ghost = 0; ghost < controls.Cb_Web.size(); ++ghost)
        controls.Cb_Web[ghost]->setChecked(permissions.ghost[ghost]);
    controls.Cb_Web_50->setChecked(permissions.attraction);
}

void writePermissionTexts(const PermissionControls& controls, const QString& account,
                          const LanguageTexts& texts) {
    const QString colon = QStringLiteral(":");
    setCaption(controls.Lbl_Dostup_1, texts[TextEntry::Ghosts] + colon);
    setCaption(controls.Lbl_Dostup_2, account + colon);
    setCaption(controls.Lbl_Dostup_3, texts[TextEntry::Attraction] + colon);
    for (size_t ghost = 0; ghost < controls.Cb_Web.size(); ++ghost)
        controls.Cb_Web[ghost]->setText(texts[TextEntry::Ghost] +
                                        QStringLiteral("  %1 [ON/OFF]").arg(ghost + 1));
    controls.Cb_Web_50->setText(texts[TextEntry::Attraction] + QStringLiteral(" [ON/OFF]"));
}

} // namespace

TfmWebServer::TfmWebServer(ProgramState& state, const PlatformServices& platform,
                           const SharedImageLists& shared, WebAccessService& service,
                           const HostAddressSource& addresses)
    : SkinnedDialog("fmWebServer", state,
                    requireService(platform.pointer, "The web access window", "pointer"),
                    shared.BitmapList_Yellow)
    , m_platform(platform)
    , m_service(service)
    , BitmapList_Btn(shared.BitmapList_Btn)
    , BitmapList_Yellow(shared.BitmapList_Yellow)
    , m_addressSource(addresses) {
    setWindowTitle(WebAccessControls::title());
    connect(&m_service, &WebAccessService::runningChanged, this, &TfmWebServer::showServerState);
}

TfmWebServer::~TfmWebServer() {
    closeIfOpen();
}

bool TfmWebServer::userOk() const {
    return m_service.settings().User_OK;
}

bool TfmWebServer::adminOk() const {
    return m_service.settings().Admin_OK;
}

void TfmWebServer::buildControls() {
    m_ui = std::make_unique<WebAccessControls>(this);
    const WebAccessControls& ui = *m_ui;
    showEntry(ui.Img_Fon, BitmapList_Yellow, YellowImage::DialogBackgroundTall);
    showEntry(ui.Img_09, BitmapList_Btn, BtnImage::WebRailLeft);
    showEntry(ui.Img_12, BitmapList_Btn, BtnImage::WebRailRight);
    SetUserFieldsVisible(false);
    SetAdminFieldsVisible(false);
    connectControls();
    showSettings();
    FillAddressList();
    UpdateUserUrl();
    UpdateAdminUrl();
    if (m_texts)
        writeTexts();
    showServerControls(m_service.isRunning());
    // The start button's idle picture stays while the server runs, also when the server was
    // started before the button existed.
    showEntry(ui.Sb_Web_Connect, BitmapList_Btn, BtnImage::WebStart);
    trackPointer();
}

void TfmWebServer::connectControls() {
    const WebAccessControls& ui = *m_ui;
    const auto onClick = [this](QWidget* control, void (TfmWebServer::*handler)()) {
        connect(ClickSource::on(control), &ClickSource::clicked, this, handler);
    };
    onClick(ui.Sb_Web_Connect, &TfmWebServer::Sb_Web_ConnectClick);
    onClick(ui.User.Cb, &TfmWebServer::Cb_UserClick);
    onClick(ui.User.Lbl, &TfmWebServer::Cb_UserClick);
    onClick(ui.Admin.Cb, &TfmWebServer::Cb_AdminClick);
    onClick(ui.Admin.Lbl, &TfmWebServer::Cb_AdminClick);
    onClick(ui.Sb_IP_Up, &TfmWebServer::Sb_IP_UpClick);
    onClick(ui.Sb_IP_Down, &TfmWebServer::Sb_IP_DownClick);
    ClickSource* connectButton = ClickSource::on(ui.Sb_Web_Connect);
    connect(connectButton, &ClickSource::pressed, this, [this] { m_connectPressed = true; });
    connect(connectButton, &ClickSource::released, this, [this] { m_connectPressed = false; });
    connect(ui.ListBox_IP, &QListWidget::itemDoubleClicked, this,
            &TfmWebServer::ListBox_IPDblClick);

    // Every change, typed or set by code, goes into the settings first, then rebuilds the
    // addresses it is part of.
    WebAccessSettings& settings = m_service.settings();
    const struct {
        QLineEdit* edit;
        QString WebAccessSettings::*value;
        bool inUserUrl;
        bool inAdminUrl;
    } texts[] = {{ui.Edit_Port, &WebAccessSettings::Port, true, true},
                 {ui.Edit_Page, &WebAccessSettings::Page, true, true},
                 {ui.User.Edit_Login, &WebAccessSettings::User_Login, true, false},
                 {ui.User.Edit_Pass, &WebAccessSettings::User_Pass, true, false},
                 {ui.Admin.Edit_Login, &WebAccessSettings::Admin_Login, false, true},
                 {ui.Admin.Edit_Pass, &WebAccessSettings::Admin_Pass, false, true}};
    for (const auto& text : texts)
        connect(text.edit, &QLineEdit::textChanged, this, [this, text](const QString& typed) {
            m_service.settings().*text.value = typed;
            if (text.inUserUrl)
                UpdateUserUrl();
            if (text.inAdminUrl)
                UpdateAdminUrl();
        });
    for (QLineEdit* password : {ui.User.Edit_Pass, ui.Admin.Edit_Pass})
        connect(password, &QLineEdit::textChanged, this, &TfmWebServer::showShortPasswordNotices);

    const auto keepTicked = [this](QCheckBox* box, bool& value) {
        connect(box, &QCheckBox::toggled, this, [&value](bool ticked) { value = ticked; });
    };
    keepTicked(ui.Cb_Web_Autoconnect, settings.Web_Autoconnect);
    const std::pair<const PermissionControls&, WebAccessSettings::Permissions&> accounts[] = {
        {ui.Web_User, settings.Web_User}, {ui.Web_Admin, settings.Web_Admin}};
    for (const auto& [controls, permissions] : accounts) {
        for (size_t ghost = 0; ghost < controls.Cb_Web.size(); ++ghost)
            keepTicked(controls.Cb_Web[ghost], permissions.ghost[ghost]);
        keepTicked(controls.Cb_Web_50, permissions.attraction);
    }
}

void TfmWebServer::showSettings() {
    // A copy: each control written below writes its value back into the settings.
    const WebAccessSettings shown = m_service.settings();
    const WebAccessControls& ui = *m_ui;
    ui.Edit_Port->setText(shown.Port);
    ui.Edit_Page->setText(shown.Page);
    ui.User.Edit_Login->setText(shown.User_Login);
    ui.User.Edit_Pass->setText(shown.User_Pass);
    ui.Admin.Edit_Login->setText(shown.Admin_Login);
    ui.Admin.Edit_Pass->setText(shown.Admin_Pass);
    ui.Cb_Web_Autoconnect->setChecked(shown.Web_Autoconnect);
    setPermissions(ui.Web_User, shown.Web_User);
    setPermissions(ui.Web_Admin, shown.Web_Admin);
}

void TfmWebServer::FillAddressList() {
    m_addresses = m_addressSource ? m_addressSource() : QStringList();
    m_ui->ListBox_IP->clear();
    m_ui->ListBox_IP->addItems(m_addresses);
    m_ui->Edit_IP->setText(AccessAddresses::afterListing(m_addresses, m_ui->Edit_IP->text()));
}

void TfmWebServer::UpdateUserUrl() {
    const WebAccessControls& ui = *m_ui;
    const WebAccessSettings& settings = m_service.settings();
    ui.User.Edit_URL->setText(AccessAddresses::compose(
        settings.User_Login, settings.User_Pass, ui.Edit_IP->text(), settings.Port, settings.Page));
}

void TfmWebServer::UpdateAdminUrl() {
    const WebAccessControls& ui = *m_ui;
    const WebAccessSettings& settings = m_service.settings();
    ui.Admin.Edit_URL->setText(AccessAddresses::compose(settings.Admin_Login, settings.Admin_Pass,
                                                        ui.Edit_IP->text(), settings.Port,
                                                        settings.Page));
}

void TfmWebServer::chooseAddress() {
    m_ui->Edit_IP->setText(AccessAddresses::nextAddress(m_addresses, m_ui->Edit_IP->text()));
    UpdateUserUrl();
    UpdateAdminUrl();
}

void TfmWebServer::Sb_IP_UpClick() {
    chooseAddress();
}

void TfmWebServer::Sb_IP_DownClick() {
    chooseAddress();
}

void TfmWebServer::ListBox_IPDblClick() {
    m_ui->Edit_IP->setText(AccessAddresses::picked(m_addresses, m_ui->ListBox_IP->currentRow(),
                                                   m_ui->Edit_IP->text()));
    UpdateUserUrl();
    UpdateAdminUrl();
}

void TfmWebServer::SetUserFieldsVisible(bool shown) {
    m_ui->User.setFieldsVisible(shown);
    showShortPasswordNotices();
}

void TfmWebServer::SetAdminFieldsVisible(bool shown) {
    m_ui->Admin.setFieldsVisible(shown);
    showShortPasswordNotices();
}

void TfmWebServer::showShortPasswordNotices() {
    for (const AccountControls* account : {&m_ui->User, &m_ui->Admin})
        account->Lbl_NoSignIn->setVisible(
            !account->Edit_URL->isHidden() &&
            !WebAccessSettings::maySignInToPage(account->Edit_Pass->text()));
}

void TfmWebServer::showAccountToggles() {
    const auto image = [](bool on) {
        return on ? YellowImage::CheckboxTicked : YellowImage::CheckboxClear;
    };
    showEntry(m_ui->User.Cb, BitmapList_Yellow, image(userOk()));
    showEntry(m_ui->Admin.Cb, BitmapList_Yellow, image(adminOk()));
}

void TfmWebServer::Cb_UserClick() {
    bool& shown = m_service.settings().User_OK;
    shown = !shown;
    if (!m_ui)
        return;
    showAccountToggles();
    SetUserFieldsVisible(shown);
}

void TfmWebServer::Cb_AdminClick() {
    bool& shown = m_service.settings().Admin_OK;
    shown = !shown;
    if (!m_ui)
        return;
    showAccountToggles();
    SetAdminFieldsVisible(shown);
}

void TfmWebServer::FormShow() {
    m_ui->Img_Fon->lower();
    showAccountToggles();
    SetUserFieldsVisible(userOk());
    SetAdminFieldsVisible(adminOk());
}

void TfmWebServer::Sb_Web_ConnectClick() {
    const QString failure = m_service.isRunning() ? m_service.stop() : m_service.start();
    if (!failure.isEmpty() && m_platform.messages)
        m_platform.messages->showError(failure);
}

void TfmWebServer::showServerState(bool running) {
    if (!m_ui)
        return;
    showServerTexts(running);
    showServerControls(running);
}

void TfmWebServer::showServerControls(bool running) {
    const WebAccessControls& ui = *m_ui;
    // While the server runs, what its addresses are made of stays as it is.
    for (QLineEdit* edit : {ui.Edit_Port, ui.Edit_Page, ui.User.Edit_Login, ui.User.Edit_Pass,
                            ui.Admin.Edit_Login, ui.Admin.Edit_Pass})
        edit->setEnabled(!running);
    ui.Sb_IP_Up->setVisible(!running);
    ui.Sb_IP_Down->setVisible(!running);
}

void TfmWebServer::showServerTexts(bool running) {
    m_ui->Sb_Web_Connect->setToolTip(
        texts()[running ? TextEntry::StopWebServerHint : TextEntry::RunWebServerHint]);
    setCaption(m_ui->Lbl_Web_Connect,
               texts()[running ? TextEntry::WebStopCaption : TextEntry::WebStartCaption]);
}

const LanguageTexts& TfmWebServer::texts() const {
    static const LanguageTexts none;
    return m_texts ? *m_texts : none;
}

void TfmWebServer::applyLanguageTexts(const LanguageTexts& texts) {
    m_texts = &texts;
    m_textsLanguage = state().InterfaceLanguage;
    if (m_ui)
        writeTexts();
}

void TfmWebServer::writeTexts() {
    const LanguageTexts& texts = *m_texts;
    const WebAccessControls& ui = *m_ui;
    const QString lineBreak = QStringLiteral("\n\r");
    ui.Cb_Web_Autoconnect->setText(texts[TextEntry::WebAutorun]);
    setCaption(ui.Lbl_Port, texts[TextEntry::PortLabel]);
    ui.Edit_Port->setToolTip(texts[TextEntry::PortHint]);
    setCaption(ui.Lbl_Page, texts[TextEntry::PageLabel]);
    ui.Edit_Page->setToolTip(texts[TextEntry::PageHint]);
    setCaption(ui.Lbl_IP, texts[TextEntry::AddressLabel]);
    ui.Edit_IP->setToolTip(texts[TextEntry::AddressHint]);

    const struct {
        const AccountControls& controls;
        int title;
        int loginHint;
        int passwordHint;
        int url;
    } accounts[] = {{ui.User, TextEntry::User, TextEntry::UserLoginHint,
                     TextEntry::UserPasswordHint, TextEntry::UserUrl},
                    {ui.Admin, TextEntry::Admin, TextEntry::AdminLoginHint,
                     TextEntry::AdminPasswordHint, TextEntry::AdminUrl}};
    for (const auto& account : accounts) {
        setCaption(account.controls.Lbl, texts[account.title]);
        account.controls.Edit_Login->setToolTip(texts[account.loginHint]);
        account.controls.Edit_Pass->setToolTip(texts[account.passwordHint]);
        setCaption(account.controls.Lbl_URL, texts[account.url]);
        setCaption(account.controls.Lbl_Login, texts[TextEntry::LoginLabel]);
        setCaption(account.controls.Lbl_Pass, texts[TextEntry::PasswordLabel]);
        account.controls.Edit_URL->setToolTip(texts[account.url] + lineBreak +
                                              texts[TextEntry::UrlHintTail]);
    }
    const QString noSignIn =
        (m_textsLanguage == Language::Russian
             ? QStringLiteral("не может войти на страницу: в пароле нужно не меньше %1 символов")
             : QStringLiteral("cannot sign in to the page: the password needs %1 characters "
                              "or more"))
            .arg(WebAccessSettings::MinPagePasswordLength);
    ui.User.Lbl_NoSignIn->setText(noSignIn);
    ui.Admin.Lbl_NoSignIn->setText(noSignIn);
    writePermissionTexts(ui.Web_User, texts[TextEntry::User], texts);
    writePermissionTexts(ui.Web_Admin, texts[TextEntry::Admin], texts);

    showServerTexts(m_service.isRunning());
}

void TfmWebServer::trackPointer() {
    const WebAccessControls& ui = *m_ui;
    showEntry(ui.Sb_IP_Up, BitmapList_Btn,
              hovered(ui.Sb_IP_Up) ? BtnImage::SmallUpHover : BtnImage::SmallUp);
    showEntry(ui.Sb_IP_Down, BitmapList_Btn,
              hovered(ui.Sb_IP_Down) ? BtnImage::SmallDownHover : BtnImage::SmallDown);
    if (hovered(ui.Sb_Web_Connect))
        showEntry(ui.Sb_Web_Connect, BitmapList_Btn,
                  m_connectPressed ? BtnImage::WebStartPressed : BtnImage::WebStartHover);
    else if (!m_service.isRunning())
        showEntry(ui.Sb_Web_Connect, BitmapList_Btn, BtnImage::WebStart);
}
