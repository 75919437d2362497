// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/TfmNet.h"

#include "core/MessageBoxes.h"
#include "net/NetClientActionLog.h"
#include "net/NetServerService.h"
#include "net/NetWindowControls.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/NameLengthValidator.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"
#include "widgetkit/WindowDrag.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

using SkinParts::setCaption;
using SkinParts::showEntry;

const QColor TfmNet::SocketClosedColour{0x00, 0x80, 0xC0};
const QColor TfmNet::SocketOpenColour{0xFF, 0x00, 0x00};
const QColor TfmNet::PortAdvisedColour{0x00, 0x80, 0x00};
const QColor TfmNet::PortOddColour{0xFF, 0x00, 0x00};

namespace {

// The form's 942 by 353, made taller so that the client-action log below it can be read.
constexpr QSize WindowSize{942, 470};

const QString ConnectHint = QStringLiteral("Подключиться к выбранному порту");
const QString DisconnectHint = QStringLiteral("Отключиться от выбранного порта");
const QString StartCaption = QStringLiteral("Старт");
const QString StopCaption = QStringLiteral("Стоп");
const QString DetailsHint = QStringLiteral("Индивидуальные настройки сетевого клиента");

SkinnedDialog::Frame netFrame(const ImageList& buttons) {
    SkinnedDialog::Frame frame;
    frame.size = WindowSize;
    frame.background = QApplication::palette().color(QPalette::Button);
    frame.closeImages = &buttons;
    frame.closePlace = {768, 4, 22, 23};
    frame.closeEnglish = {NetBtnImage::Close, NetBtnImage::CloseHover, NetBtnImage::CloseHover};
    frame.closeRussian = frame.closeEnglish;
    return frame;
}

QString fieldStyleWith(const QColor& background) {
    return QStringLiteral("QLineEdit { background-color: %1; color: %2; border: 1px solid %3;"
                          " padding: 0px 1px; }")
        .arg(background.name(), SkinColors::PaleText.name(), SkinColors::FieldBorder.name());
}

} // namespace

TfmNet::TfmNet(ProgramState& state, const PlatformServices& platform, NetServerService& service)
    // The frame only keeps the list's address; the close button is drawn once the window exists.
    : SkinnedDialog("fmNet", state,
                    requireService(platform.pointer, "The network server window", "pointer"),
                    netFrame(BitmapList_Btn))
    , m_platform(platform)
    , m_service(service)
    , BitmapList_Btn(QStringLiteral("fmNet/BitmapList_Btn")) {
    setWindowTitle(QStringLiteral("Net cервер"));

    Edit_ServerPortChange();
    showSocketState(m_service.socketOpen());
    m_currentPaging.reset();
    m_registeredPaging.reset();
    // Clients log in and act while the window is closed: the lists and the log follow them
    // whether or not there are controls to show them in.
    connect(&m_service, &NetServerService::socketOpenChanged, this, &TfmNet::showSocketState);
    connect(&m_service, &NetServerService::loggedClientsChanged, this, &TfmNet::showCurrentClients);
    connect(&m_service, &NetServerService::clientActionLogChanged, this,
            &TfmNet::showClientActions);

    // Where the form was designed to stand, moved in just enough to fit a smaller screen.
    QPoint place = DesignedPlace;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        place.setX(std::max(available.left(),
                            std::min(place.x(), available.right() + 1 - WindowSize.width())));
        place.setY(std::max(available.top(),
                            std::min(place.y(), available.bottom() + 1 - WindowSize.height())));
    }
    move(place);
    Timer_WorkTimer();
}

void TfmNet::buildControls() {
    m_ui = std::make_unique<NetWindowControls>(this);
    const NetWindowControls& ui = *m_ui;
    WindowDrag::install(this, ui.Panel_Net);
    showSettings();
    showEntry(ui.Sb_Socket_Connect, BitmapList_Btn, NetBtnImage::SocketStart);
    for (QLabel* rail :
         findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Img_Rail_\\d+$"))))
        showEntry(rail, BitmapList_Btn, NetBtnImage::RailFiller);
    showEntry(findChild<QLabel*>(QStringLiteral("Img_Rail_Left")), BitmapList_Btn,
              NetBtnImage::RailLeft);
    showEntry(findChild<QLabel*>(QStringLiteral("Img_Rail_Right")), BitmapList_Btn,
              NetBtnImage::RailRight);
    showSocketState(m_service.socketOpen());
    showRegisteredClients();
    showCurrentClients(m_service.currentClients());
    showClientActions(m_service.clientActionLog());
    connectControls();
}

TfmNet::~TfmNet() {
    closeIfOpen();
}

void TfmNet::connectControls() {
    const NetWindowControls& ui = *m_ui;
    const auto onClick = [this](QWidget* control, void (TfmNet::*handler)()) {
        connect(ClickSource::on(control), &ClickSource::clicked, this, handler);
    };
    onClick(ui.Sb_Socket_Connect, &TfmNet::Sb_Socket_ConnectClick);
    onClick(ui.Sb_Socket_ReConnect, &TfmNet::Sb_Socket_ReConnectClick);
    onClick(ui.Sb_CloseSelect, &TfmNet::Sb_CloseSelectClick);
    onClick(ui.Sb_CloseAll, &TfmNet::Sb_CloseAllClick);
    onClick(ui.Sb_SendSelect, &TfmNet::Sb_SendSelectClick);
    onClick(ui.Sb_SendAll, &TfmNet::Sb_SendAllClick);
    onClick(ui.Sb_UserPlus, &TfmNet::Sb_UserPlusClick);
    onClick(ui.Sb_UserMinus, &TfmNet::DelUserActionExecute);
    onClick(ui.Sb_Ok, &TfmNet::Sb_OkClick);
    onClick(ui.Sb_Cancel, &TfmNet::Sb_CancelClick);
    connect(ui.Edit_New, &QLineEdit::returnPressed, this, &TfmNet::Sb_OkClick);

    // A page button steps once for a click and once more for a double click.
    const auto onPage = [this](QWidget* control, void (TfmNet::*handler)()) {
        ClickSource* source = ClickSource::on(control);
        connect(source, &ClickSource::clicked, this, handler);
        connect(source, &ClickSource::doubleClicked, this, handler);
    };
    onPage(ui.Scroll_1.SbScroll_Up, &TfmNet::SbScroll_1_UpClick);
    onPage(ui.Scroll_1.SbScroll_Down, &TfmNet::SbScroll_1_DownClick);
    onPage(ui.Scroll_2.SbScroll_Up, &TfmNet::SbScroll_2_UpClick);
    onPage(ui.Scroll_2.SbScroll_Down, &TfmNet::SbScroll_2_DownClick);

    const auto pressFlag = [this](QWidget* control, bool& flag) {
        ClickSource* source = ClickSource::on(control);
        connect(source, &ClickSource::pressed, this, [&flag] { flag = true; });
        connect(source, &ClickSource::released, this, [&flag] { flag = false; });
    };
    pressFlag(ui.Sb_Socket_Connect, m_connectPressed);
    pressFlag(ui.Sb_Socket_ReConnect, m_reconnectPressed);

    connect(ui.Edit_ServerPort, &QLineEdit::textChanged, this, &TfmNet::Edit_ServerPortChange);
    connect(ui.UsersListBox, &QListWidget::currentRowChanged, this, &TfmNet::UsersListBoxClick);
    const auto keep = [this](QCheckBox* box, bool ServerSettings::*option) {
        connect(box, &QCheckBox::toggled, this,
                [this, option](bool on) { m_service.setOption(option, on); });
    };
    keep(ui.Cb_AutoSocket, &ServerSettings::AutoSocket);
    keep(ui.Cb_SocketJurnal, &ServerSettings::SocketJurnal);
    keep(ui.Cb_SocketError, &ServerSettings::SocketError);
}

void TfmNet::showSettings() {
    const NetWindowControls& ui = *m_ui;
    const ServerSettings& settings = m_service.settings();
    ui.Cb_AutoSocket->setChecked(settings.AutoSocket);
    ui.Cb_SocketJurnal->setChecked(settings.SocketJurnal);
    ui.Cb_SocketError->setChecked(settings.SocketError);
    ui.Edit_ServerPort->setText(m_service.portText());
    Edit_ServerPortChange();
}

QStringList TfmNet::currentClients() const {
    if (!m_ui)
        return m_service.currentClients();
    QStringList names;
    for (int row = 0; row < m_ui->UsersCheckListBox->count(); ++row)
        names.append(m_ui->UsersCheckListBox->item(row)->text());
    return names;
}

void TfmNet::FormShow() {
    const NetWindowControls& ui = *m_ui;
    m_detailsEntered = false;
    if (!m_service.clients().isEmpty())
        selectFirstUser();
    ui.Scroll_1.Panel_Scroll->raise();
    ui.Scroll_2.Panel_Scroll->raise();

    const QString activeClients = QStringLiteral("Все активные клиенты сети");
    for (QWidget* control : {static_cast<QWidget*>(ui.Lbl24), static_cast<QWidget*>(ui.Panel_3),
                             static_cast<QWidget*>(ui.UsersCheckListBox)})
        control->setToolTip(activeClients);
    ui.Sb_SendSelect->setToolTip(
        QStringLiteral("Отправить выбранное сообщение отмеченным клиентам сети"));
    ui.Sb_SendAll->setToolTip(QStringLiteral("Отправить выбранное сообщение всем клиентам сети"));
    ui.Sb_CloseSelect->setToolTip(QStringLiteral("Закрыть отмеченных клиентов"));
    ui.Sb_CloseAll->setToolTip(QStringLiteral("Закрыть всех клиентов"));
    ui.Edit_ServerPort->setToolTip(QStringLiteral("Номер порта (сокета)"));
    ui.Lbl10->setToolTip(QStringLiteral("Разрешен диапазон числовых значений от 1000 до 65535"));
    ui.Cb_AutoSocket->setToolTip(
        QStringLiteral("Подключаться к выбранному порту автоматически, при запуске программы"));
    const QString registered = QStringLiteral("Все зарегистрированные клиенты сети");
    for (QWidget* control : {static_cast<QWidget*>(ui.Lbl23), static_cast<QWidget*>(ui.Panel_1),
                             static_cast<QWidget*>(ui.UsersListBox)})
        control->setToolTip(registered);
    ui.Sb_UserMinus->setToolTip(QStringLiteral("Удалить помеченного клиента"));
    ui.Sb_UserPlus->setToolTip(QStringLiteral("Добавить нового клиента"));
    ui.UserPasswLabeledEdit->setToolTip(QStringLiteral("Пароль выбранного клиента"));
    ui.Lbl1->setToolTip(QStringLiteral("Команды которые может посылать этот клиент серверу"));
    ui.Sb_Socket_Connect->setToolTip(m_service.socketOpen() ? DisconnectHint : ConnectHint);
    setDetailsHint(QString());

    // What the user typed and never applied gives way to the port the socket was given.
    ui.Edit_ServerPort->setText(QString::number(m_service.settings().ServerSocket));
}

void TfmNet::FormClose() {
    Sb_CancelClick();
}

// The look -------------------------------------------------------------------------------------

void TfmNet::showSocketState(bool open) {
    if (open)
        showRunningLook();
    else
        showStoppedLook();
}

void TfmNet::showIndicator(const QColor& colour) {
    m_indicatorColour = colour;
    if (!m_ui)
        return;
    m_ui->Indicator_Net->setStyleSheet(
        QStringLiteral("QFrame { background-color: %1; border: 1px solid #000000; }")
            .arg(colour.name()));
}

void TfmNet::showStoppedLook() {
    showIndicator(SocketClosedColour);
    if (!m_ui)
        return;
    const NetWindowControls& ui = *m_ui;
    ui.Sb_Socket_Connect->setToolTip(ConnectHint);
    setCaption(ui.Lbl9, StartCaption);
    ui.Lbl9->move(NetWindowControls::StartCaptionLeft, NetWindowControls::CaptionTop);
}

void TfmNet::showRunningLook() {
    showIndicator(SocketOpenColour);
    if (!m_ui)
        return;
    const NetWindowControls& ui = *m_ui;
    ui.Sb_Socket_Connect->setToolTip(DisconnectHint);
    setCaption(ui.Lbl9, StopCaption);
    ui.Lbl9->move(NetWindowControls::StopCaptionLeft, NetWindowControls::CaptionTop);
    showEntry(ui.Sb_Socket_Connect, BitmapList_Btn, NetBtnImage::SocketPressed);
}

void TfmNet::Edit_ServerPortChange() {
    if (m_ui)
        m_service.setPortText(m_ui->Edit_ServerPort->text());
    m_portFieldColour =
        portInAdvisedRange(m_service.portText()) ? PortAdvisedColour : PortOddColour;
    if (m_ui)
        m_ui->Edit_ServerPort->setStyleSheet(fieldStyleWith(m_portFieldColour));
}

// The socket ------------------------------------------------------------------------------------

void TfmNet::Sb_Socket_ConnectClick() {
    if (!m_service.socketOpen()) {
        Sb_Socket_ReConnectClick();
        return;
    }
    m_service.close();
    if (m_ui)
        showEntry(m_ui->Sb_Socket_Connect, BitmapList_Btn, NetBtnImage::SocketPressed);
}

void TfmNet::Sb_Socket_ReConnectClick() {
    const QString refused = m_service.reconnect();
    if (!refused.isEmpty() && m_platform.messages)
        m_platform.messages->showError(refused);
}

// The logged-in clients ---------------------------------------------------------------------------

void TfmNet::CloseMarkedClients() {
    // Marks are only ever made in the list.
    QStringList marked;
    for (int row = 0; m_ui && row < m_ui->UsersCheckListBox->count(); ++row) {
        const QListWidgetItem* item = m_ui->UsersCheckListBox->item(row);
        if (item->checkState() == Qt::Checked)
            marked.append(item->text());
    }
    m_service.CloseMarkedClients(marked);
}

void TfmNet::Sb_CloseSelectClick() {
    CloseMarkedClients();
}

void TfmNet::Sb_CloseAllClick() {
    m_service.CloseAllClients();
}

void TfmNet::showCurrentClients(const QStringList& names) {
    if (!m_ui)
        return;
    QListWidget* list = m_ui->UsersCheckListBox;
    // A client logging in while others are marked keeps their marks.
    QStringList marked;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            marked.append(list->item(row)->text());
    list->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(marked.contains(name, Qt::CaseInsensitive) ? Qt::Checked
                                                                       : Qt::Unchecked);
    }
}

void TfmNet::showClientActions(const QStringList& lines) {
    if (!m_ui)
        return;
    m_ui->ClientActionMemo->setPlainText(NetClientActionLog::shownText(lines));
}

// The registered clients ------------------------------------------------------------------------

void TfmNet::showRegisteredClients() {
    if (!m_ui)
        return;
    QListWidget* list = m_ui->UsersListBox;
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(m_service.clients().names());
    list->setCurrentRow(m_service.clients().selected());
    if (m_service.clients().selected() < 0)
        list->clearSelection();
    m_ui->Sb_UserMinus->setEnabled(!m_service.clients().isEmpty());
}

void TfmNet::selectFirstUser() {
    m_service.clients().select(0);
    if (!m_ui)
        return;
    const QSignalBlocker quiet(m_ui->UsersListBox);
    m_ui->UsersListBox->setCurrentRow(0);
    ShowSelectedUser();
}

void TfmNet::ShowSelectedUser() {
    if (!m_ui)
        return;
    const NetWindowControls& ui = *m_ui;
    const ShownNetClient shown = m_service.clients().shown();
    if (m_service.clients().selected() >= 0) {
        ui.passwordLength->admit(shown.password.size());
        ui.UserPasswLabeledEdit->setText(shown.password);
        for (size_t n = 0; n < ui.CommandCheckBox.size(); ++n)
            ui.CommandCheckBox[n]->setChecked(shown.rights[n]);
    }
    setCaption(ui.Lbl7, shown.caption);
}

void TfmNet::setDetailsHint(const QString& separator) {
    QString hint = DetailsHint + separator;
    if (!m_service.clients().isEmpty()) {
        const int shown = std::max(m_service.clients().selected(), 0);
        hint += QStringLiteral(" \"%1\"").arg(m_service.clients().names().at(shown));
    }
    if (m_ui)
        m_ui->Panel4->setToolTip(hint);
}

void TfmNet::UsersListBoxClick() {
    ensureControls();
    m_service.clients().select(m_ui->UsersListBox->currentRow());
    ShowSelectedUser();
    setDetailsHint(QStringLiteral(":"));
}

void TfmNet::applySelectedUser() {
    const NetWindowControls& ui = *m_ui;
    std::array<bool, NetUserData::RightCount> rights{};
    for (size_t n = 0; n < rights.size(); ++n)
        rights[n] = ui.CommandCheckBox[n]->isChecked();
    const QString refused = m_service.clients().apply(ui.UserPasswLabeledEdit->text(), rights);
    if (refused.isEmpty())
        return;
    if (m_platform.messages)
        m_platform.messages->showError(refused);
    // Back to what is stored, so the refusal is told once rather than at every leave.
    ShowSelectedUser();
}

void TfmNet::DelUserActionExecute() {
    const int selected = m_service.clients().selected();
    if (m_service.clients().isEmpty() || selected < 0)
        return;
    m_service.deleteClient(selected);
    showRegisteredClients();
    if (!m_service.clients().isEmpty())
        selectFirstUser();
    else if (m_ui)
        setCaption(m_ui->Lbl7, QString());
}

void TfmNet::showNewClientPanel(bool shown) {
    const NetWindowControls& ui = *m_ui;
    for (QWidget* registered :
         {static_cast<QWidget*>(ui.UsersListBox), static_cast<QWidget*>(ui.Panel_1),
          static_cast<QWidget*>(ui.Panel4), static_cast<QWidget*>(ui.Scroll_2.Panel_Scroll)})
        registered->setVisible(!shown);
    ui.Panel7->setVisible(shown);
    if (shown) {
        ui.Panel7->raise();
        setCaption(ui.Lbl11, QStringLiteral("Новый клиент"));
        ui.Edit_New->setFocus();
    } else {
        ui.Edit_New->clear();
    }
}

void TfmNet::Sb_UserPlusClick() {
    ensureControls();
    showNewClientPanel(true);
}

void TfmNet::Sb_OkClick() {
    ensureControls();
    const int before = m_service.clients().count();
    const QString refused = m_service.clients().add(m_ui->Edit_New->text());
    if (!refused.isEmpty()) {
        // The panel stays open with the name, for the user to mend it.
        if (m_platform.messages)
            m_platform.messages->showError(refused);
        return;
    }
    showNewClientPanel(false);
    // An empty or known name adds nothing, and the client the user was looking at stays.
    if (m_service.clients().count() == before)
        return;
    showRegisteredClients();
    selectFirstUser();
}

void TfmNet::Sb_CancelClick() {
    if (!m_ui)
        return;
    showNewClientPanel(false);
}

// Paging -----------------------------------------------------------------------------------------

bool TfmNet::scroll(QListWidget* list, ClientListPaging& paging, bool down) {
    const int count = list->count();
    const std::optional<ClientListPaging::View> view =
        down ? paging.pageDown(count) : paging.pageUp(count);
    if (!view)
        return false;
    const QSignalBlocker quiet(list);
    list->clearSelection();
    if (view->selected < 0 || view->selected >= count)
        return false;
    QListWidgetItem* item = list->item(view->selected);
    if (view->scrollToEnd)
        list->scrollToBottom();
    else
        list->scrollToItem(item, QAbstractItemView::PositionAtTop);
    list->setCurrentItem(item);
    return true;
}

void TfmNet::SbScroll_1_UpClick() {
    ensureControls();
    scroll(m_ui->UsersCheckListBox, m_currentPaging, false);
}

void TfmNet::SbScroll_1_DownClick() {
    ensureControls();
    scroll(m_ui->UsersCheckListBox, m_currentPaging, true);
}

void TfmNet::scrollRegistered(bool down) {
    ensureControls();
    if (!scroll(m_ui->UsersListBox, m_registeredPaging, down))
        return;
    m_service.clients().select(m_ui->UsersListBox->currentRow());
    ShowSelectedUser();
}

void TfmNet::SbScroll_2_UpClick() {
    scrollRegistered(false);
}

void TfmNet::SbScroll_2_DownClick() {
    scrollRegistered(true);
}

int TfmNet::topEntry(int list) const {
    if (!m_ui)
        return -1;
    const QListWidget* widget = list == 1 ? m_ui->UsersCheckListBox : m_ui->UsersListBox;
    const QListWidgetItem* top = widget->itemAt(2, 2);
    return top ? widget->row(top) : -1;
}

// Hover images, every 100 ms ---------------------------------------------------------------------

void TfmNet::trackPointer() {
    const NetWindowControls& ui = *m_ui;
    using namespace NetBtnImage;
    trackToolButton(ui.Sb_UserMinus, DeleteClient, DeleteClientHover);
    trackToolButton(ui.Sb_UserPlus, AddClient, AddClientHover);
    trackToolButton(ui.Sb_SendSelect, SendMarked, SendMarkedHover);
    trackToolButton(ui.Sb_SendAll, SendAll, SendAllHover);
    trackToolButton(ui.Sb_CloseSelect, CloseMarked, CloseMarkedHover);
    trackToolButton(ui.Sb_CloseAll, CloseAll, CloseAllHover);
    trackSocketButtons();
    trackPageButtons(ui.Scroll_1, ui.UsersCheckListBox->count());
    trackPageButtons(ui.Scroll_2, ui.UsersListBox->count());
    trackDetailsPanel();
}

void TfmNet::trackToolButton(QLabel* button, int normal, int hovered) {
    showEntry(button, BitmapList_Btn, this->hovered(button) ? hovered : normal);
}

void TfmNet::trackSocketButtons() {
    const NetWindowControls& ui = *m_ui;
    using namespace NetBtnImage;
    // While the socket is open the button keeps what it showed last.
    if (hovered(ui.Sb_Socket_Connect))
        showEntry(ui.Sb_Socket_Connect, BitmapList_Btn,
                  m_connectPressed ? SocketPressed : SocketHover);
    else if (!m_service.socketOpen())
        showEntry(ui.Sb_Socket_Connect, BitmapList_Btn, SocketStart);
    showEntry(ui.Sb_Socket_ReConnect, BitmapList_Btn,
              hovered(ui.Sb_Socket_ReConnect)
                  ? (m_reconnectPressed ? ReconnectPressed : ReconnectHover)
                  : Reconnect);
}

void TfmNet::trackPageButtons(const PageButtons& buttons, int count) {
    using namespace NetBtnImage;
    if (ClientListPaging::pagesDimmed(count)) {
        showEntry(buttons.SbScroll_Up, BitmapList_Btn, PageUpNoMore);
        showEntry(buttons.SbScroll_Down, BitmapList_Btn, PageDownNoMore);
        return;
    }
    showEntry(buttons.SbScroll_Up, BitmapList_Btn,
              hovered(buttons.SbScroll_Up) ? PageUpHover : PageUp);
    showEntry(buttons.SbScroll_Down, BitmapList_Btn,
              hovered(buttons.SbScroll_Down) ? PageDownHover : PageDown);
}

void TfmNet::trackDetailsPanel() {
    if (hovered(m_ui->Panel4)) {
        m_detailsEntered = true;
        return;
    }
    if (!m_detailsEntered)
        return;
    m_detailsEntered = false;
    applySelectedUser();
}
