// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "net/ClientListPaging.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SkinnedDialog.h"

#include <QColor>
#include <QStringList>

#include <memory>

class NetServerService;
class QLabel;
class QListWidget;
struct NetWindowControls;
struct PageButtons;
struct ProgramState;

// The network server window (form fmNet): the listening socket's port, start, stop and
// reconnect, the logged-in clients with check marks for closing them, the registered clients
// with the selected one's password and command rights, and the log of the clients' actions.
// Its texts are Russian in both editions. A view of the network server service, which holds the
// settings, the clients, the socket and the log; the controls, built at the first opening, show
// them and follow them.
class TfmNet : public SkinnedDialog {
    Q_OBJECT
public:
    static constexpr QPoint DesignedPlace{279, 284};
    static const QColor SocketClosedColour; // $00C08000
    static const QColor SocketOpenColour;   // $000000FF
    static const QColor PortAdvisedColour;  // $00008000
    static const QColor PortOddColour;      // $000000FF

    // `service` must outlive the window.
    TfmNet(ProgramState& state, const PlatformServices& platform, NetServerService& service);
    ~TfmNet() override;

    QColor indicatorColour() const { return m_indicatorColour; }
    QColor portFieldColour() const { return m_portFieldColour; }
    // The names the current-clients list shows (the service's before the controls exist).
    QStringList currentClients() const;
    // The row shown at the top of list 1 (current clients) or 2 (registered clients); -1 before
    // the controls exist.
    int topEntry(int list) const;

    void Sb_Socket_ConnectClick();
    void Sb_Socket_ReConnectClick();
    void Edit_ServerPortChange();
    void Sb_CloseSelectClick();
    void Sb_CloseAllClick();
    void Sb_SendSelectClick() {}
    void Sb_SendAllClick() {}
    void Sb_UserPlusClick();
    void Sb_OkClick();
    void Sb_CancelClick();
    void DelUserActionExecute();
    void UsersListBoxClick();
    void SbScroll_1_UpClick();
    void SbScroll_1_DownClick();
    void SbScroll_2_UpClick();
    void SbScroll_2_DownClick();

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;
    void trackPointer() override;

private:
    void connectControls();
    void showSettings();

    // The look of each socket state.
    void showSocketState(bool open);
    void showIndicator(const QColor& colour);
    void showStoppedLook();
    void showRunningLook();

    void CloseMarkedClients();
    void showCurrentClients(const QStringList& names);
    void showClientActions(const QStringList& lines);

    void showRegisteredClients();
    void ShowSelectedUser();
    void selectFirstUser();
    void applySelectedUser();
    void setDetailsHint(const QString& separator);
    void showNewClientPanel(bool shown);

    // False when the step changed nothing or selected nothing.
    bool scroll(QListWidget* list, ClientListPaging& paging, bool down);
    void scrollRegistered(bool down);
    void trackToolButton(QLabel* button, int normal, int hovered);
    void trackPageButtons(const PageButtons& buttons, int count);
    void trackSocketButtons();
    void trackDetailsPanel();

    PlatformServices m_platform;
    NetServerService& m_service;
    ImageList BitmapList_Btn;
    QColor m_indicatorColour;
    QColor m_portFieldColour;
    ClientListPaging m_currentPaging;
    ClientListPaging m_registeredPaging;
    bool m_connectPressed = false;
    bool m_reconnectPressed = false;
    bool m_detailsEntered = false;

    std::unique_ptr<NetWindowControls> m_ui;
};
