// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/TfmHomeAutomation.h"

#include "core/ProgramState.h"
#include "home/HomeAutomationControls.h"
#include "home/HomeLinkControl.h"
#include "language/LanguagePhrases.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/IndicatorLamp.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using SkinParts::setCaption;

const QColor TfmHomeAutomation::LampOff{0x80, 0x80, 0x80};
const QColor TfmHomeAutomation::LampWaiting{0xFB, 0xAD, 0x2E};
const QColor TfmHomeAutomation::LampLit{0x3C, 0xC8, 0x50};

TfmHomeAutomation::TfmHomeAutomation(ProgramState& state, const PlatformServices& platform,
                                     const ImageList& yellow, HomeLinkControl& link,
                                     FileChooser chooser)
    : SkinnedDialog("fmHomeAutomation", state,
                    requireService(platform.pointer, "The home automation window", "pointer"),
                    yellow)
    , m_yellow(yellow)
    , m_link(link)
    , m_chooser(std::move(chooser))
    , m_form(link, state.InterfaceLanguage, platform.clock) {
    setWindowTitle(phrase(Phrase::HomeTitle, state.InterfaceLanguage));
    if (!m_chooser)
        m_chooser = [](QWidget* parent, const QString& title, const QString& current) {
            return QFileDialog::getOpenFileName(parent, title, current);
        };
    connect(&m_form, &HomeLinkForm::stateShown, this, &TfmHomeAutomation::showState);
    connect(&m_form, &HomeLinkForm::noteChanged, this, &TfmHomeAutomation::showNote);
    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &TfmHomeAutomation::showState);
}

TfmHomeAutomation::~TfmHomeAutomation() {
    closeIfOpen();
}

void TfmHomeAutomation::buildControls() {
    m_ui = std::make_unique<HomeAutomationControls>(this);
    SkinParts::showEntry(m_ui->Img_Fon, m_yellow, YellowImage::DialogBackgroundTall);
    connectControls();
}

void TfmHomeAutomation::FormShow() {
    m_ui->Img_Fon->lower();
    // The language may have changed since the last opening, the settings too.
    writeTexts();
    showSettings();
    showState();
    showNote();
    m_countdown.start();
}

void TfmHomeAutomation::FormClose() {
    m_countdown.stop();
}

void TfmHomeAutomation::connectControls() {
    const HomeAutomationControls& ui = *m_ui;
    const std::pair<QLineEdit*, HomeField> texts[] = {
        {ui.Edit_Host, HomeField::Host},           {ui.Edit_Port, HomeField::Port},
        {ui.Edit_User, HomeField::User},           {ui.Edit_Password, HomeField::Password},
        {ui.Edit_CaFile, HomeField::CaFile},       {ui.Edit_NodeId, HomeField::NodeId},
        {ui.Edit_BaseTopic, HomeField::BaseTopic}, {ui.Edit_Prefix, HomeField::DiscoveryPrefix}};
    for (const auto& [edit, field] : texts)
        connect(edit, &QLineEdit::editingFinished, this, [this, field = field] { finish(field); });
    const std::pair<QCheckBox*, HomeField> boxes[] = {{ui.Cb_Enabled, HomeField::Enabled},
                                                      {ui.Cb_Tls, HomeField::Tls}};
    for (const auto& [box, field] : boxes)
        connect(box, &QCheckBox::toggled, this, [this, field = field] { finish(field); });
    connect(ui.Sb_CaFile, &QPushButton::clicked, this, &TfmHomeAutomation::chooseCaFile);
    connect(ui.Sb_Test, &QPushButton::clicked, this, [this] { m_form.test(typed()); });
}

HomeLinkForm::Typed TfmHomeAutomation::typed() const {
    const HomeAutomationControls& ui = *m_ui;
    return {ui.Cb_Enabled->isChecked(), ui.Edit_Host->text(),     ui.Edit_Port->text(),
            ui.Edit_User->text(),       ui.Edit_Password->text(), ui.Cb_Tls->isChecked(),
            ui.Edit_CaFile->text(),     ui.Edit_NodeId->text(),   ui.Edit_BaseTopic->text(),
            ui.Edit_Prefix->text()};
}

void TfmHomeAutomation::finish(HomeField field) {
    if (!m_form.finish(field, typed())) {
        // A refused text stays to be mended; a refused box goes back, as a box cannot be mended.
        const QSignalBlocker enabled(m_ui->Cb_Enabled);
        const QSignalBlocker tls(m_ui->Cb_Tls);
        m_ui->Cb_Enabled->setChecked(m_link.settings().enabled);
        m_ui->Cb_Tls->setChecked(m_link.settings().tls);
        return;
    }
    showDefaults();
}

void TfmHomeAutomation::chooseCaFile() {
    const QString file =
        m_chooser(this, phrase(Phrase::MqttChooseCaFile, state().InterfaceLanguage),
                  m_ui->Edit_CaFile->text());
    if (file.isEmpty())
        return;
    m_ui->Edit_CaFile->setText(file);
    finish(HomeField::CaFile);
}

void TfmHomeAutomation::showSettings() {
    const HomeLinkForm::Typed shown = HomeLinkForm::typed(m_link.settings());
    const HomeAutomationControls& ui = *m_ui;
    {
        const QSignalBlocker enabled(ui.Cb_Enabled);
        const QSignalBlocker tls(ui.Cb_Tls);
        ui.Cb_Enabled->setChecked(shown.enabled);
        ui.Cb_Tls->setChecked(shown.tls);
    }
    ui.Edit_Host->setText(shown.host);
    ui.Edit_Port->setText(shown.port);
    ui.Edit_User->setText(shown.user);
    ui.Edit_Password->setText(shown.password);
    ui.Edit_CaFile->setText(shown.caFile);
    ui.Edit_NodeId->setText(shown.nodeId);
    ui.Edit_BaseTopic->setText(shown.baseTopic);
    ui.Edit_Prefix->setText(shown.discoveryPrefix);
    showDefaults();
}

void TfmHomeAutomation::showDefaults() {
    m_ui->Edit_NodeId->setPlaceholderText(m_form.nodeIdDefault());
    m_ui->Edit_BaseTopic->setPlaceholderText(m_form.baseTopicDefault());
}

void TfmHomeAutomation::showState() {
    if (!m_ui)
        return;
    static const std::pair<HomeLinkForm::Lamp, const QColor*> lamps[] = {
        {HomeLinkForm::Lamp::Off, &LampOff},
        {HomeLinkForm::Lamp::Waiting, &LampWaiting},
        {HomeLinkForm::Lamp::Lit, &LampLit}};
    for (const auto& [lamp, colour] : lamps) {
        if (lamp == m_form.lamp())
            m_ui->Indicator_Link->setFill(*colour);
    }
    m_ui->Lbl_State->setText(m_form.stateLine());
}

void TfmHomeAutomation::showNote() {
    if (!m_ui)
        return;
    m_ui->Lbl_Note->setText(m_form.note());
    m_ui->Sb_Test->setEnabled(!m_form.testing());
}

void TfmHomeAutomation::writeTexts() {
    const Language language = state().InterfaceLanguage;
    const auto said = [language](Phrase which) {
        return phrase(which, language);
    };
    const HomeAutomationControls& ui = *m_ui;
    setWindowTitle(said(Phrase::HomeTitle));
    ui.Lbl_Title->setText(said(Phrase::HomeTitle) + QStringLiteral(":"));
    ui.GB_Broker->setTitle(said(Phrase::MqttBrokerGroup));
    ui.GB_Assistant->setTitle(said(Phrase::HomeAssistantGroup));
    ui.Cb_Enabled->setText(said(Phrase::MqttEnabled));
    ui.Cb_Tls->setText(said(Phrase::MqttTls));
    ui.Sb_Test->setText(said(Phrase::MqttTest));
    ui.Sb_CaFile->setToolTip(said(Phrase::MqttChooseCaFile));
    const std::pair<QLabel*, Phrase> captions[] = {
        {ui.Lbl_Host, Phrase::MqttHost},           {ui.Lbl_Port, Phrase::MqttPort},
        {ui.Lbl_User, Phrase::MqttUser},           {ui.Lbl_Password, Phrase::MqttPassword},
        {ui.Lbl_CaFile, Phrase::MqttCaFile},       {ui.Lbl_NodeId, Phrase::MqttNodeId},
        {ui.Lbl_BaseTopic, Phrase::MqttBaseTopic}, {ui.Lbl_Prefix, Phrase::MqttDiscoveryPrefix}};
    for (const auto& [label, which] : captions)
        setCaption(label, said(which));
}
