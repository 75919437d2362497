// SPDX-License-Identifier: GPL-3.0-or-later
#include "ghosts/TfmGhost.h"

#include "core/ProgramState.h"
#include "core/StoredStep.h"
#include "ghosts/GhostActor.h"
#include "ghosts/GhostDialogControls.h"
#include "ghosts/GhostShowRules.h"
#include "language/LanguageTexts.h"
#include "language/TextEntries.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/NameLengthValidator.h"
#include "widgetkit/SkinParts.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace GhostShowRules;

namespace {

QString resFolder(const QString& resDir) {
    return resDir.isEmpty() ? ImageList::resDir() : resDir;
}

} // namespace

using SkinParts::setCaption;
using SkinParts::showEntry;

TfmGhost::TfmGhost(ProgramState& state, const PlatformServices& platform, Ghosts& ghosts,
                   const SharedImageLists& shared, const QString& resDir)
    : SkinnedDialog("fmGhost", state,
                    requireService(platform.pointer, "The ghost dialog", "pointer"),
                    shared.BitmapList_Yellow)
    , m_ghosts(ghosts)
    , BitmapList_Btn(shared.BitmapList_Btn)
    , BitmapList_Yellow(shared.BitmapList_Yellow)
    , BitmapList_GhostFoto(QStringLiteral("BitmapList_GhostFoto"), resFolder(resDir))
    , BitmapList_GhostPassport(QStringLiteral("BitmapList_GhostPassport"), resFolder(resDir))
    , BitmapList_YellowMenu(QStringLiteral("BitmapList_YellowMenu"), resFolder(resDir))
    , BitmapList_Scroll_1(QStringLiteral("BitmapList_Scroll_1"), resFolder(resDir)) {
    resetEditedGhost();
    Timer_WorkTimer();
}

TfmGhost::~TfmGhost() {
    // Destroyed while open (an unorderly end of the modal loop): the ghost shown is kept too.
    closeIfOpen();
}

void TfmGhost::buildControls() {
    m_ui = std::make_unique<GhostDialogControls>(this);
    const GhostDialogControls& ui = *m_ui;
    showEntry(ui.Img_Yellow_Fon1, BitmapList_YellowMenu, TabImage::Strip);
    showEntry(ui.Img_Fon, BitmapList_Yellow, YellowImage::GhostPanelBackground);
    showEntry(ui.Img_0, BitmapList_Yellow, YellowImage::MarkZero);
    showEntry(ui.Img_1, BitmapList_Yellow, YellowImage::MarkOne);
    showEntry(ui.Scroll_Regime_Fon, BitmapList_Scroll_1, ScrollImage::Middle);
    showEntry(ui.Scroll_Special_Fon, BitmapList_Scroll_1, ScrollImage::Middle);
    connectControls();
    // Every opening shows the ghost afresh; what the controls must show before that is the
    // language applied while they did not exist, and the tabs' and arrows' images.
    if (m_texts)
        showLanguageTexts(*m_texts);
    trackPointer();
}

GhostDialogControls& TfmGhost::controls() {
    ensureControls();
    return *m_ui;
}

void TfmGhost::connectControls() {
    const GhostDialogControls& ui = *m_ui;
    const auto onClick = [this](QWidget* control, auto handler) {
        connect(ClickSource::on(control), &ClickSource::clicked, this, handler);
    };
    // The hour and sensor arrows step once more on the double click.
    const auto onClickAndDouble = [this](QWidget* control, auto handler) {
        connect(ClickSource::on(control), &ClickSource::clicked, this, handler);
        connect(ClickSource::on(control), &ClickSource::doubleClicked, this, handler);
    };
    for (int n = 1; n <= 8; ++n)
        onClick(ui.Btn_Yellow[n - 1], [this, n] { Btn_YellowClick(n); });
    onClick(ui.Sb_Ghost_ON, [this] { Sb_Ghost_ONClick(); });
    for (int n = 1; n <= 4; ++n) {
        onClick(ui.Cb_Nrav[n - 1], [this, n] { Cb_NravClick(n); });
        onClick(ui.Lbl_Nrav[n - 1], [this, n] { Cb_NravClick(n); });
    }
    onClick(ui.Scroll_Regime_Up, [this] { stepRegime(1); });
    onClick(ui.Scroll_Regime_Down, [this] { stepRegime(-1); });
    onClick(ui.Scroll_Special_Up, [this] { stepSpecial(1); });
    onClick(ui.Scroll_Special_Down, [this] { stepSpecial(-1); });
    onClickAndDouble(ui.Sb_Regime_Dop_1_Up, [this] { stepFromHour(1); });
    onClickAndDouble(ui.Sb_Regime_Dop_1_Down, [this] { stepFromHour(-1); });
    onClickAndDouble(ui.Sb_Regime_Dop_1a_Up, [this] { stepToHour(1); });
    onClickAndDouble(ui.Sb_Regime_Dop_1a_Down, [this] { stepToHour(-1); });
    onClickAndDouble(ui.Sb_Special_Dop_1_Up, [this] { stepSensor(1); });
    onClickAndDouble(ui.Sb_Special_Dop_1_Down, [this] { stepSensor(-1); });

    connect(ui.Edit_Ghost_Name, &QLineEdit::textChanged, this, &TfmGhost::Edit_Ghost_NameChange);
}

void TfmGhost::resetEditedGhost() {
    // Hours and sensor are left as they were: only the passport, tempers, regime and specialty
    // start afresh.
    EditedGhost.Name.clear();
    EditedGhost.ON = false;
    EditedGhost.Nrav_1 = EditedGhost.Nrav_2 = EditedGhost.Nrav_3 = EditedGhost.Nrav_4 = 0;
    EditedGhost.Regime = 0;
    EditedGhost.Special = 0;
}

const LanguageTexts& TfmGhost::texts() const {
    static const LanguageTexts none;
    return m_texts ? *m_texts : none;
}

void TfmGhost::applyLanguageTexts(const LanguageTexts& texts) {
    m_texts = &texts;
    // Closed and never opened: the texts are kept and written when the controls are built.
    if (m_ui)
        showLanguageTexts(texts);
}

void TfmGhost::showLanguageTexts(const LanguageTexts& texts) {
    const GhostDialogControls& ui = *m_ui;
    const QString colon = QStringLiteral(":");
    const auto spaced = [](const QString& text) {
        return QLatin1Char(' ') + text + QLatin1Char(' ');
    };
    ui.Lbl_Ghost_Title->setText(texts[TextEntry::GhostDialogTitle]);
    ui.Lbl_Ghost_Num->setToolTip(texts[TextEntry::GhostNumber] + colon);
    ui.Edit_Ghost_Num->setToolTip(texts[TextEntry::GhostNumber]);
    setCaption(ui.Lbl_Ghost_Name, texts[TextEntry::GhostName] + colon);
    ui.Edit_Ghost_Name->setToolTip(texts[TextEntry::GhostName]);
    setCaption(ui.Lbl_Ghost_Foto, texts[TextEntry::GhostPhoto] + colon);
    ui.Lbl_Ghost_Foto->setToolTip(texts[TextEntry::GhostPhoto]);
    setCaption(ui.Lbl_Ghost_ON, texts[TextEntry::GhostOnCaption] + colon);
    ui.Lbl_Ghost_ON->setToolTip(texts[TextEntry::GhostOnHint]);
    ui.GB_1->setTitle(spaced(texts[TextEntry::PassportGroup]));
    ui.GB_2->setTitle(spaced(texts[TextEntry::TemperGroup]));
    ui.GB_Regime->setTitle(spaced(texts[TextEntry::WorkingTimeGroup]));
    ui.GB_Special->setTitle(spaced(texts[TextEntry::HobbiesGroup]));
    for (QWidget* scroll : {ui.Scroll_Regime_Up, ui.Scroll_Regime_Fon, ui.Scroll_Regime_Down})
        scroll->setToolTip(texts[TextEntry::RegimeChoiceHint]);
    ui.Panel_Regime_Dop_1->setToolTip(texts[TextEntry::WorkingHoursHint]);
    for (QWidget* scroll : {ui.Scroll_Special_Up, ui.Scroll_Special_Fon, ui.Scroll_Special_Down})
        scroll->setToolTip(texts[TextEntry::SpecialtyChoiceHint]);
    ui.Panel_Special_Dop_1->setToolTip(sensorHint(texts[TextEntry::SensorChoiceHint],
                                                  EditedGhost.Special, EditedGhost.Special_Dop_1,
                                                  russian()));
}

void TfmGhost::FormShow() {
    const GhostDialogControls& ui = controls();
    for (QLabel* tab : ui.Btn_Yellow)
        tab->raise();
    for (QLabel* scroll :
         {ui.Scroll_Regime_Up, ui.Scroll_Regime_Down, ui.Scroll_Special_Up, ui.Scroll_Special_Down})
        scroll->raise();
    SelectedGhost = 1;
    showEntry(ui.Img_Ghost_Mini, BitmapList_GhostFoto, 1);
    EditedGhost = m_ghosts.table()[1];
    ShowEditedGhost();
    ShowGhostOn();
}

void TfmGhost::FormClose() {
    CommitEditedGhost();
}

void TfmGhost::CommitEditedGhost() {
    m_ghosts.table()[SelectedGhost] = EditedGhost;
}

void TfmGhost::Btn_YellowClick(int n) {
    CommitEditedGhost();
    SelectedGhost = n;
    showEntry(controls().Img_Ghost_Mini, BitmapList_GhostFoto, n);
    EditedGhost = m_ghosts.table()[n];
    ShowEditedGhost();
    ShowGhostOn();
    Timer_WorkTimer();
}

void TfmGhost::Edit_Ghost_NameChange(const QString& text) {
    controls().nameLength->admit(text.size());
    EditedGhost.Name = text;
    controls().Lbl_Ghost_Title->setText(texts()[39] + text);
}

void TfmGhost::ShowEditedGhost() {
    const GhostDialogControls& ui = controls();
    // Text set here is kept whole, however long: only typing stops at the limit.
    ui.nameLength->admit(EditedGhost.Name.size());
    ui.Edit_Ghost_Name->setText(EditedGhost.Name);
    // A name longer than the field shows its beginning.
    ui.Edit_Ghost_Name->setCursorPosition(0);
    ui.Edit_Ghost_Num->setText(QString::number(SelectedGhost));
    for (QWidget* control :
         {static_cast<QWidget*>(ui.Img_Regime), static_cast<QWidget*>(ui.Lbl_Regime),
          static_cast<QWidget*>(ui.Img_Special), static_cast<QWidget*>(ui.Lbl_Special)})
        control->setToolTip(QString());
    for (int n = 1; n <= 4; ++n)
        ShowTemper(n);
    ShowRegime();
    ShowSpecial();
}

void TfmGhost::ShowGhostOn() {
    const GhostDialogControls& ui = controls();
    const bool on = EditedGhost.ON;
    showEntry(ui.Sb_Ghost_ON, BitmapList_Yellow,
              on ? YellowImage::SwitchOn : YellowImage::SwitchOff);
    ui.Sb_Ghost_ON->setToolTip(texts()[on ? 41 : 42]);
    for (QGroupBox* group : {ui.GB_2, ui.GB_Regime, ui.GB_Special})
        group->setVisible(on);
}

qint32& TfmGhost::temper(int n) {
    switch (n) {
    case 1:
        return EditedGhost.Nrav_1;
    case 2:
        return EditedGhost.Nrav_2;
    case 3:
        return EditedGhost.Nrav_3;
    default:
        return EditedGhost.Nrav_4;
    }
}

void TfmGhost::ShowTemper(int n) {
    const qint32 value = temper(n);
    showEntry(controls().Cb_Nrav[n - 1], BitmapList_Yellow,
              value == 0 ? YellowImage::CheckboxClear : YellowImage::CheckboxTicked);
    setCaption(controls().Lbl_Nrav[n - 1], texts()[temperEntry(n, value)]);
}

void TfmGhost::ShowRegime() {
    const GhostDialogControls& ui = controls();
    EditedGhost.Regime = wrapSix(EditedGhost.Regime);
    const RegimeView view = regimeView(EditedGhost.Regime);
    showEntry(ui.Img_Regime, BitmapList_GhostPassport, view.picture);
    setCaption(ui.Lbl_Regime, texts()[view.labelEntry]);
    ui.Img_Regime->setToolTip(texts()[view.hintEntry]);
    ui.Lbl_Regime->setToolTip(texts()[view.hintEntry]);
    const bool preset = view.from == nullptr;
    if (preset) {
        ShowToHour();
        ShowFromHour();
    } else {
        ui.Edit_Regime_Dop_1->setText(QLatin1String(view.from));
        ui.Edit_Regime_Dop_1a->setText(QLatin1String(view.to));
    }
    ui.showHourArrows(preset);
}

void TfmGhost::ShowFromHour() {
    EditedGhost.Regime_Dop_1 = GhostActor::wrapHour(EditedGhost.Regime_Dop_1);
    controls().Edit_Regime_Dop_1->setText(twoDigits(EditedGhost.Regime_Dop_1));
}

void TfmGhost::ShowToHour() {
    EditedGhost.Regime_Dop_1a = GhostActor::wrapHour(EditedGhost.Regime_Dop_1a);
    controls().Edit_Regime_Dop_1a->setText(twoDigits(EditedGhost.Regime_Dop_1a));
}

void TfmGhost::ShowSpecial() {
    const GhostDialogControls& ui = controls();
    EditedGhost.Special = wrapSix(EditedGhost.Special);
    const qint32 special = EditedGhost.Special;
    showEntry(ui.Img_Special, BitmapList_GhostPassport, specialPicture(special));
    setCaption(ui.Lbl_Special, texts()[specialLabelEntry(special)]);
    // No specialty has no description; the previous one's would describe the wrong ghost.
    const int hint = specialHintEntry(special);
    const QString description = hint ? texts()[hint] : QString();
    ui.Img_Special->setToolTip(description);
    ui.Lbl_Special->setToolTip(description);
    ShowSensor();
}

void TfmGhost::ShowSensor() {
    QLineEdit* field = controls().Edit_Special_Dop_1;
    field->setText(QStringLiteral("Не выбрано"));
    EditedGhost.Special_Dop_1 = wrapSensor(EditedGhost.Special, EditedGhost.Special_Dop_1);
    if (const int entry = sensorEntry(EditedGhost.Special, EditedGhost.Special_Dop_1))
        field->setText(texts()[entry]);
    controls().Panel_Special_Dop_1->setToolTip(sensorHint(texts()[TextEntry::SensorChoiceHint],
                                                          EditedGhost.Special,
                                                          EditedGhost.Special_Dop_1, russian()));
}

void TfmGhost::Sb_Ghost_ONClick() {
    EditedGhost.ON = !EditedGhost.ON;
    ShowGhostOn();
}

void TfmGhost::Cb_NravClick(int n) {
    qint32& value = temper(n);
    value = value == 0 ? 1 : 0;
    ShowTemper(n);
}

void TfmGhost::stepRegime(int delta) {
    EditedGhost.Regime = steppedStoredValue(EditedGhost.Regime, delta);
    ShowRegime();
}

void TfmGhost::stepSpecial(int delta) {
    EditedGhost.Special = steppedStoredValue(EditedGhost.Special, delta);
    ShowSpecial();
}

void TfmGhost::stepFromHour(int delta) {
    EditedGhost.Regime_Dop_1 = steppedStoredValue(EditedGhost.Regime_Dop_1, delta);
    ShowFromHour();
}

void TfmGhost::stepToHour(int delta) {
    EditedGhost.Regime_Dop_1a = steppedStoredValue(EditedGhost.Regime_Dop_1a, delta);
    ShowToHour();
}

void TfmGhost::stepSensor(int delta) {
    EditedGhost.Special_Dop_1 = steppedStoredValue(EditedGhost.Special_Dop_1, delta);
    ShowSensor();
}

void TfmGhost::trackPointer() {
    const GhostDialogControls& ui = controls();
    for (int n = 1; n <= 8; ++n) {
        QLabel* tab = ui.Btn_Yellow[n - 1];
        const bool lit = n == SelectedGhost || hovered(tab);
        const int first = russian() ? (lit ? TabImage::RussianHighlighted : TabImage::Russian)
                                    : (lit ? TabImage::EnglishHighlighted : TabImage::English);
        showEntry(tab, BitmapList_YellowMenu, first + n);
    }
    for (QLabel* up : {ui.Scroll_Regime_Up, ui.Scroll_Special_Up})
        showEntry(up, BitmapList_Scroll_1, hovered(up) ? ScrollImage::UpHover : ScrollImage::Up);
    for (QLabel* down : {ui.Scroll_Regime_Down, ui.Scroll_Special_Down})
        showEntry(down, BitmapList_Scroll_1,
                  hovered(down) ? ScrollImage::DownHover : ScrollImage::Down);
    for (QLabel* up : {ui.Sb_Regime_Dop_1_Up, ui.Sb_Regime_Dop_1a_Up, ui.Sb_Special_Dop_1_Up})
        showEntry(up, BitmapList_Btn, hovered(up) ? BtnImage::SmallUpHover : BtnImage::SmallUp);
    for (QLabel* down :
         {ui.Sb_Regime_Dop_1_Down, ui.Sb_Regime_Dop_1a_Down, ui.Sb_Special_Dop_1_Down})
        showEntry(down, BitmapList_Btn,
                  hovered(down) ? BtnImage::SmallDownHover : BtnImage::SmallDown);
}
