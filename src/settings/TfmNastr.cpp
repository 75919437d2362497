// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TfmNastr.h"

#include "core/DesktopAutostart.h"
#include "core/LogCategories.h"
#include "core/ProgramState.h"
#include "core/StoredStep.h"
#include "language/LanguagePhrases.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

const QColor DurationColour = SkinColors::HeadingYellow;

constexpr int ImageBackground = YellowImage::DialogBackgroundTall;
constexpr int ImageTrack = YellowImage::DurationTrack;
constexpr int ImageUnticked = YellowImage::CheckboxClear;
constexpr int ImageTicked = YellowImage::CheckboxTicked;

struct KnobPlace {
    int image;
    int left;
};
constexpr KnobPlace KnobPlaces[] = {{YellowImage::DurationKnobFirst, 23},
                                    {YellowImage::DurationKnobMiddle, 120},
                                    {YellowImage::DurationKnobMiddle, 217},
                                    {YellowImage::DurationKnobUnlimited, 315}};
constexpr int DurationLabelLefts[] = {14, 110, 208, 308};

} // namespace

TfmNastr::TfmNastr(ProgramState& state, const PlatformServices& platform,
                   AttractionOptions& options, const ImageList& yellow,
                   std::function<void()> applyLanguage, const QWidget* mainWindow)
    : SkinnedDialog("fmNastr", state,
                    requireService(platform.pointer, "The settings dialog", "pointer"), yellow)
    , m_yellow(yellow)
    , m_applyLanguage(std::move(applyLanguage))
    , m_options(options) {
    setMainWindow(mainWindow);
    setWindowTitle(QStringLiteral("Настройки аттракциона:"));
    Timer_WorkTimer();
}

TfmNastr::~TfmNastr() {
    closeIfOpen();
}

void TfmNastr::buildControls() {
    createControls();
    GB_Autostart->setVisible(m_autostart != nullptr);
    ShowAttractionTime();
    ShowAttractionOver();
    ShowAttractionAutostart();
    ShowAutostart();
    showLanguage();
}

void TfmNastr::createControls() {
    using namespace SkinParts;

    Img_Fon = picture(this, QStringLiteral("Img_Fon"), {13, 40, 764, 410});
    showEntry(Img_Fon, m_yellow, ImageBackground);

    Lbl_Ghost_Title = new GradientTitle(this, {8, 0, 274, 25});
    Lbl_Ghost_Title->setObjectName(QStringLiteral("Lbl_Ghost_Title"));
    Lbl_Ghost_Title->setText(QStringLiteral("Настройки аттракциона:"));

    GB_Attraction_Time = group(this, QStringLiteral("GB_Attraction_Time"),
                               QStringLiteral(" Длительность Аттракциона "), {28, 64, 360, 121});
    const QString durations[] = {QStringLiteral("15 мин."), QStringLiteral("30 мин."),
                                 QStringLiteral("60 мин."), QStringLiteral("Неогр.")};
    for (int position = 0; position < 4; ++position) {
        QLabel* label =
            text(GB_Attraction_Time, QStringLiteral("Lbl_%1").arg(position + 1),
                 durations[position], {DurationLabelLefts[position], 36}, DurationColour, false);
        label->setCursor(Qt::PointingHandCursor);
        connect(ClickSource::on(label), &ClickSource::clicked, this,
                [this, position] { selectAttractionTime(position); });
        Lbl_Time[static_cast<size_t>(position)] = label;
    }
    Scroll_Attraction_Time_Fon =
        button(GB_Attraction_Time, QStringLiteral("Scroll_Attraction_Time_Fon"), {24, 54, 311, 30});
    showEntry(Scroll_Attraction_Time_Fon, m_yellow, ImageTrack);
    const KnobPlace& start = KnobPlaces[3];
    Scroll_Attraction_Time_Btn = button(
        GB_Attraction_Time, QStringLiteral("Scroll_Attraction_Time_Btn"), {start.left, 62, 23, 23});
    showEntry(Scroll_Attraction_Time_Btn, m_yellow, start.image);
    for (QLabel* part : {Scroll_Attraction_Time_Fon, Scroll_Attraction_Time_Btn})
        connect(ClickSource::on(part), &ClickSource::clicked, this,
                &TfmNastr::Scroll_Attraction_Time_BtnClick);

    GB_Attraction_Over = group(this, QStringLiteral("GB_Attraction_Over"),
                               QStringLiteral(" По окончании Аттракциона "), {402, 64, 360, 121});
    // A checkbox picture and its underlined label, both taking the click.
    const auto makeOption = [this](QGroupBox* owner, const QString& boxName,
                                   const QString& labelName, const QString& caption, QPoint at,
                                   void (TfmNastr::*click)()) {
        QLabel* box = button(owner, boxName, {at.x(), at.y(), 23, 23});
        QLabel* label =
            text(owner, labelName, caption, at + QPoint(26, 2), SkinColors::CaptionGreen, true);
        label->setCursor(Qt::PointingHandCursor);
        for (QLabel* target : {box, label})
            connect(ClickSource::on(target), &ClickSource::clicked, this, click);
        return std::pair{box, label};
    };
    std::tie(Cb_Attraction_Over_1, Lbl_Attraction_Over_1) =
        makeOption(GB_Attraction_Over, QStringLiteral("Cb_Attraction_Over_1"),
                   QStringLiteral("Lbl_Attraction_Over_1"), QStringLiteral("Открыть дверь"),
                   {8, 38}, &TfmNastr::Cb_Attraction_Over_1Click);
    std::tie(Cb_Attraction_Over_2, Lbl_Attraction_Over_2) =
        makeOption(GB_Attraction_Over, QStringLiteral("Cb_Attraction_Over_2"),
                   QStringLiteral("Lbl_Attraction_Over_2"), QStringLiteral("Финальный звук"),
                   {8, 62}, &TfmNastr::Cb_Attraction_Over_2Click);

    // Below the two option groups, in their style; its caption stays Russian like theirs, the
    // option speaks the interface language.
    GB_Autostart = group(this, QStringLiteral("GB_Autostart"), QStringLiteral(" Рабочий стол "),
                         {28, 199, 734, 60});
    std::tie(Cb_Autostart, Lbl_Autostart) =
        makeOption(GB_Autostart, QStringLiteral("Cb_Autostart"), QStringLiteral("Lbl_Autostart"),
                   QString(), {8, 24}, &TfmNastr::Cb_AutostartClick);
    GB_Autostart->hide();

    GB_Attraction_Start = group(this, QStringLiteral("GB_Attraction_Start"),
                                QStringLiteral(" При запуске программы "), {28, 273, 734, 60});
    std::tie(Cb_Attraction_Autostart, Lbl_Attraction_Autostart) =
        makeOption(GB_Attraction_Start, QStringLiteral("Cb_Attraction_Autostart"),
                   QStringLiteral("Lbl_Attraction_Autostart"), QString(), {8, 24},
                   &TfmNastr::Cb_Attraction_AutostartClick);

    GB_Lang = group(this, QStringLiteral("GB_Lang"), QStringLiteral(" Язык Интерфейса"),
                    {28, 360, 734, 80});
    Cb_Lang_1 = makeOption(GB_Lang, QStringLiteral("Cb_Lang_1"), QStringLiteral("Lbl_Lang_1"),
                           QStringLiteral("Engl"), {8, 22}, &TfmNastr::Cb_Lang_1Click)
                    .first;
    Cb_Lang_2 = makeOption(GB_Lang, QStringLiteral("Cb_Lang_2"), QStringLiteral("Lbl_Lang_2"),
                           QStringLiteral("Русс"), {158, 22}, &TfmNastr::Cb_Lang_2Click)
                    .first;
}

void TfmNastr::setAutostart(const DesktopAutostart* autostart) {
    m_autostart = autostart;
    if (!controlsBuilt())
        return;
    GB_Autostart->setVisible(m_autostart != nullptr);
    ShowAutostart();
}

void TfmNastr::FormShow() {
    Img_Fon->setGeometry(13, 40, 764, 410);
    Img_Fon->show();
    Img_Fon->lower();
    if (m_applyLanguage)
        m_applyLanguage();
    ShowAttractionTime();
    ShowAttractionOver();
    ShowAttractionAutostart();
    ShowAutostart();
    showLanguage();
}

void TfmNastr::Scroll_Attraction_Time_BtnClick() {
    // The step goes towards the pointer from where the knob stands on the screen.
    ensureControls();
    const int x = readPointer().x();
    const int knob = screenRect(Scroll_Attraction_Time_Btn).left();
    // One position per click towards the pointer, whatever the distance.
    qint32 position = m_options.Attraction_Time;
    if (knob < x)
        position = steppedStoredValue(position, 1);
    else if (x < knob)
        position = steppedStoredValue(position, -1);
    m_options.Attraction_Time = std::clamp(position, 0, 3);
    ShowAttractionTime();
}

void TfmNastr::selectAttractionTime(qint32 position) {
    m_options.Attraction_Time = position;
    ShowAttractionTime();
}

// The Show functions fill the controls from the options, the language and the disk; while the
// controls are not built there is nothing to fill, and building them shows the same.
void TfmNastr::ShowAttractionTime() {
    if (!controlsBuilt())
        return;
    const qint32 position = m_options.Attraction_Time;
    // A value stored outside 0..3 leaves the knob where it was.
    if (position < 0 || position > 3)
        return;
    const KnobPlace& place = KnobPlaces[position];
    SkinParts::showEntry(Scroll_Attraction_Time_Btn, m_yellow, place.image);
    Scroll_Attraction_Time_Btn->move(place.left, 62);
}

void TfmNastr::ShowAttractionOver() {
    if (!controlsBuilt())
        return;
    SkinParts::showEntry(Cb_Attraction_Over_1, m_yellow,
                         m_options.Attraction_Over_1 ? ImageTicked : ImageUnticked);
    SkinParts::showEntry(Cb_Attraction_Over_2, m_yellow,
                         m_options.Attraction_Over_2 ? ImageTicked : ImageUnticked);
}

// The entry's presence is the setting: it is read again at each show, as the user may have
// removed it in the desktop's own settings meanwhile.
void TfmNastr::ShowAutostart() {
    if (!m_autostart || !controlsBuilt())
        return;
    SkinParts::showEntry(Cb_Autostart, m_yellow,
                         m_autostart->isEnabled() ? ImageTicked : ImageUnticked);
    SkinParts::setCaption(Lbl_Autostart,
                          phrase(Phrase::StartWithDesktop, state().InterfaceLanguage));
}

void TfmNastr::ShowAttractionAutostart() {
    if (!controlsBuilt())
        return;
    SkinParts::showEntry(Cb_Attraction_Autostart, m_yellow,
                         m_options.Attraction_Autostart ? ImageTicked : ImageUnticked);
    SkinParts::setCaption(Lbl_Attraction_Autostart,
                          phrase(Phrase::StartAttractionWithProgram, state().InterfaceLanguage));
}

void TfmNastr::showLanguage() {
    if (!controlsBuilt())
        return;
    SkinParts::showEntry(Cb_Lang_1, m_yellow, russian() ? ImageUnticked : ImageTicked);
    SkinParts::showEntry(Cb_Lang_2, m_yellow, russian() ? ImageTicked : ImageUnticked);
}

void TfmNastr::Cb_Attraction_Over_1Click() {
    m_options.Attraction_Over_1 = !m_options.Attraction_Over_1;
    ShowAttractionOver();
}

void TfmNastr::Cb_Attraction_Over_2Click() {
    m_options.Attraction_Over_2 = !m_options.Attraction_Over_2;
    ShowAttractionOver();
}

void TfmNastr::Cb_Attraction_AutostartClick() {
    m_options.Attraction_Autostart = !m_options.Attraction_Autostart;
    ShowAttractionAutostart();
}

void TfmNastr::Cb_AutostartClick() {
    if (!m_autostart)
        return;
    const QString error = m_autostart->setEnabled(!m_autostart->isEnabled());
    if (!error.isEmpty())
        qCWarning(lcApp) << "start with the desktop:" << m_autostart->entryPath() << error;
    ShowAutostart();
}

void TfmNastr::Cb_Lang_1Click() {
    state().InterfaceLanguage = Language::English;
    showLanguage();
    ShowAutostart();
    ShowAttractionAutostart();
    if (m_applyLanguage)
        m_applyLanguage();
}

void TfmNastr::Cb_Lang_2Click() {
    state().InterfaceLanguage = Language::Russian;
    showLanguage();
    ShowAutostart();
    ShowAttractionAutostart();
    if (m_applyLanguage)
        m_applyLanguage();
}
