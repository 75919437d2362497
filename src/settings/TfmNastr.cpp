#include "settings/TfmNastr.h"

#include "core/ProgramState.h"
#include "core/SettingsStore.h"
#include "core/StoreAccess.h"
#include "core/StoredStep.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/WindowDrag.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

const QString TimeName = QStringLiteral("Attraction_Time");
const QString Over1Name = QStringLiteral("Attraction_Over_1");
const QString Over2Name = QStringLiteral("Attraction_Over_2");

const QColor Background{0x36, 0x6A, 0xB3};
const QColor GroupColour{0x12, 0x5B, 0xA1};
const QColor CaptionColour{0xC8, 0xE1, 0xBB};
const QColor DurationColour{0xD9, 0xD9, 0x00};

// BitmapList_Yellow entries.
constexpr int ImageBackground = 49;
constexpr int ImageTrack = 39;
constexpr int ImageUnticked = 57;
constexpr int ImageTicked = 58;
constexpr int CloseEnglish = 6;
constexpr int CloseRussian = 21;

struct KnobPlace {
    int image;
    int left;
};
constexpr KnobPlace KnobPlaces[] = {{42, 23}, {43, 120}, {43, 217}, {44, 315}};
constexpr int DurationLabelLefts[] = {14, 110, 208, 308};

} // namespace

TfmNastr::TfmNastr(ProgramState& state, const PlatformServices& platform, const ImageList& yellow,
                   std::function<void()> applyLanguage, const QWidget* mainWindow)
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_platform(platform)
    , m_yellow(yellow)
    , m_applyLanguage(std::move(applyLanguage))
    , m_mainWindow(mainWindow)
    , m_probe(requireService(platform.pointer, "The settings dialog", "pointer")) {
    createControls();
    loadSettings();
}

TfmNastr::~TfmNastr() {
    saveSettings();
}

QLabel* TfmNastr::makePicture(QWidget* parent, const char* name, const QRect& place) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QLatin1String(name));
    picture->setGeometry(place);
    return picture;
}

QLabel* TfmNastr::makeText(QWidget* parent, const char* name, const QString& text, QPoint place,
                           const QColor& colour, bool underlined) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(FormFont("Verdana", 11, false, underlined));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    label->move(place);
    label->adjustSize();
    return label;
}

QGroupBox* TfmNastr::makeGroup(const char* name, const QString& caption, const QRect& place) {
    auto* group = new QGroupBox(caption, this);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place);
    group->setFont(FormFont("Verdana", 12));
    group->setStyleSheet(
        QStringLiteral("QGroupBox { background-color: %1; border: 1px solid %2; border-radius: 3px;"
                       " margin-top: 7px; }"
                       "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px;"
                       " color: %3; background-color: %1; }")
            .arg(GroupColour.name(), GroupColour.lighter(150).name(), CaptionColour.name()));
    return group;
}

void TfmNastr::createControls() {
    setObjectName(QStringLiteral("fmNastr"));
    setWindowTitle(QStringLiteral("Настройки аттракциона:"));
    resize(WindowWidth, WindowHeight);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Background);
    setPalette(colours);
    setAutoFillBackground(true);
    WindowDrag::install(this, this);

    Img_Fon = makePicture(this, "Img_Fon", {13, 40, 764, 410});
    Img_Fon->setPixmap(m_yellow.pixmap(ImageBackground));
    WindowDrag::install(this, Img_Fon);

    Lbl_Ghost_Title = new GradientTitle(this, {8, 0, 274, 25});
    Lbl_Ghost_Title->setObjectName(QStringLiteral("Lbl_Ghost_Title"));
    Lbl_Ghost_Title->setText(QStringLiteral("Настройки аттракциона:"));
    WindowDrag::install(this, Lbl_Ghost_Title);

    GB_Attraction_Time = makeGroup(
        "GB_Attraction_Time", QStringLiteral(" Длительность Аттракциона "), {28, 64, 360, 121});
    const QString durations[] = {QStringLiteral("15 мин."), QStringLiteral("30 мин."),
                                 QStringLiteral("60 мин."), QStringLiteral("Неогр.")};
    for (int position = 0; position < 4; ++position) {
        const QByteArray name = "Lbl_" + QByteArray::number(position + 1);
        QLabel* label = makeText(GB_Attraction_Time, name.constData(), durations[position],
                                 {DurationLabelLefts[position], 36}, DurationColour, false);
        label->setCursor(Qt::PointingHandCursor);
        connect(ClickSource::on(label), &ClickSource::clicked, this,
                [this, position] { selectAttractionTime(position); });
        Lbl_Time[static_cast<size_t>(position)] = label;
    }
    Scroll_Attraction_Time_Fon =
        makePicture(GB_Attraction_Time, "Scroll_Attraction_Time_Fon", {24, 54, 311, 30});
    Scroll_Attraction_Time_Fon->setPixmap(m_yellow.pixmap(ImageTrack));
    const KnobPlace& start = KnobPlaces[3];
    Scroll_Attraction_Time_Btn =
        makePicture(GB_Attraction_Time, "Scroll_Attraction_Time_Btn", {start.left, 62, 23, 23});
    Scroll_Attraction_Time_Btn->setPixmap(m_yellow.pixmap(start.image));
    for (QLabel* part : {Scroll_Attraction_Time_Fon, Scroll_Attraction_Time_Btn}) {
        part->setCursor(Qt::PointingHandCursor);
        connect(ClickSource::on(part), &ClickSource::clicked, this,
                &TfmNastr::Scroll_Attraction_Time_BtnClick);
    }

    GB_Attraction_Over = makeGroup(
        "GB_Attraction_Over", QStringLiteral(" По окончании Аттракциона "), {402, 64, 360, 121});
    const auto makeOption = [this](const char* boxName, const char* labelName, const QString& text,
                                   int top, QLabel*& box, QLabel*& label,
                                   void (TfmNastr::*click)()) {
        box = makePicture(GB_Attraction_Over, boxName, {8, top, 23, 23});
        label = makeText(GB_Attraction_Over, labelName, text, {34, top + 2}, CaptionColour, true);
        for (QLabel* target : {box, label}) {
            target->setCursor(Qt::PointingHandCursor);
            connect(ClickSource::on(target), &ClickSource::clicked, this, click);
        }
    };
    makeOption("Cb_Attraction_Over_1", "Lbl_Attraction_Over_1", QStringLiteral("Открыть дверь"), 38,
               Cb_Attraction_Over_1, Lbl_Attraction_Over_1, &TfmNastr::Cb_Attraction_Over_1Click);
    makeOption("Cb_Attraction_Over_2", "Lbl_Attraction_Over_2", QStringLiteral("Финальный звук"),
               62, Cb_Attraction_Over_2, Lbl_Attraction_Over_2,
               &TfmNastr::Cb_Attraction_Over_2Click);

    GB_Lang = makeGroup("GB_Lang", QStringLiteral(" Язык Интерфейса"), {28, 360, 734, 80});
    const auto makeLanguage = [this](const char* boxName, const char* labelName,
                                     const QString& text, int left, QLabel*& box,
                                     void (TfmNastr::*click)()) {
        box = makePicture(GB_Lang, boxName, {left, 22, 23, 23});
        QLabel* label = makeText(GB_Lang, labelName, text, {left + 26, 24}, CaptionColour, true);
        for (QLabel* target : {box, label}) {
            target->setCursor(Qt::PointingHandCursor);
            connect(ClickSource::on(target), &ClickSource::clicked, this, click);
        }
    };
    makeLanguage("Cb_Lang_1", "Lbl_Lang_1", QStringLiteral("Engl"), 8, Cb_Lang_1,
                 &TfmNastr::Cb_Lang_1Click);
    makeLanguage("Cb_Lang_2", "Lbl_Lang_2", QStringLiteral("Русс"), 158, Cb_Lang_2,
                 &TfmNastr::Cb_Lang_2Click);

    Sb_Close = makePicture(this, "Sb_Close", {608, 460, 164, 50});
    Sb_Close->setCursor(Qt::PointingHandCursor);
    auto* closeClicks = ClickSource::on(Sb_Close);
    connect(closeClicks, &ClickSource::pressed, this, [this] { m_closePressed = true; });
    connect(closeClicks, &ClickSource::released, this, [this] { m_closePressed = false; });
    connect(closeClicks, &ClickSource::clicked, this, &QDialog::reject);

    // Below the visible area: it holds the keyboard focus so that no control shows a focus frame.
    Edit_Focus = new QLineEdit(this);
    Edit_Focus->setObjectName(QStringLiteral("Edit_Focus"));
    Edit_Focus->move(8, 671);

    Timer_Work.setInterval(100);
    connect(&Timer_Work, &QTimer::timeout, this, &TfmNastr::Timer_WorkTimer);
    Timer_Work.start();
    Timer_WorkTimer();
}

void TfmNastr::loadSettings() {
    const auto key = m_platform.store ? m_platform.store->openKey(ProgramKey, true) : nullptr;
    const StoreReader read(key.get(), m_platform.messages);
    m_options.Attraction_Time = read.integer(TimeName, 3);
    m_options.Attraction_Over_1 = read.boolean(Over1Name, false);
    m_options.Attraction_Over_2 = read.boolean(Over2Name, false);
}

void TfmNastr::saveSettings() {
    const auto key = m_platform.store ? m_platform.store->openKey(ProgramKey, true) : nullptr;
    if (!key)
        return;
    StoreWriter write(key.get(), m_platform.messages);
    write.integer(TimeName, m_options.Attraction_Time);
    write.boolean(Over1Name, m_options.Attraction_Over_1);
    write.boolean(Over2Name, m_options.Attraction_Over_2);
    write.close();
}

void TfmNastr::showEvent(QShowEvent* event) {
    m_state.DialogOpen = true;
    resize(WindowWidth, WindowHeight);
    if (m_mainWindow)
        move(m_mainWindow->x() + 6, m_mainWindow->y() + 55);
    Img_Fon->setGeometry(13, 40, 764, 410);
    Img_Fon->show();
    Img_Fon->lower();
    Sb_Close->setGeometry(608, 460, 164, 50);
    Sb_Close->show();
    if (m_applyLanguage)
        m_applyLanguage();
    ShowAttractionTime();
    ShowAttractionOver();
    showLanguage();
    if (Edit_Focus->isEnabled())
        Edit_Focus->setFocus();
    setWindowOpacity(245.0 / 255.0);
    Timer_WorkTimer();
    QDialog::showEvent(event);
}

void TfmNastr::done(int result) {
    m_state.DialogOpen = false;
    QDialog::done(result);
}

void TfmNastr::Scroll_Attraction_Time_BtnClick() {
    m_probe.sample();
    const int x = m_probe.position().x();
    const int knob =
        mapToGlobal(QPoint(0, 0)).x() + GB_Attraction_Time->x() + Scroll_Attraction_Time_Btn->x();
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

void TfmNastr::ShowAttractionTime() {
    const qint32 position = m_options.Attraction_Time;
    // A value stored outside 0..3 leaves the knob where it was.
    if (position < 0 || position > 3)
        return;
    const KnobPlace& place = KnobPlaces[position];
    Scroll_Attraction_Time_Btn->setPixmap(m_yellow.pixmap(place.image));
    Scroll_Attraction_Time_Btn->move(place.left, 62);
}

void TfmNastr::ShowAttractionOver() {
    Cb_Attraction_Over_1->setPixmap(
        m_yellow.pixmap(m_options.Attraction_Over_1 ? ImageTicked : ImageUnticked));
    Cb_Attraction_Over_2->setPixmap(
        m_yellow.pixmap(m_options.Attraction_Over_2 ? ImageTicked : ImageUnticked));
}

void TfmNastr::showLanguage() {
    const bool russian = m_state.InterfaceLanguage == 1;
    Cb_Lang_1->setPixmap(m_yellow.pixmap(russian ? ImageUnticked : ImageTicked));
    Cb_Lang_2->setPixmap(m_yellow.pixmap(russian ? ImageTicked : ImageUnticked));
}

void TfmNastr::Cb_Attraction_Over_1Click() {
    m_options.Attraction_Over_1 = !m_options.Attraction_Over_1;
    ShowAttractionOver();
}

void TfmNastr::Cb_Attraction_Over_2Click() {
    m_options.Attraction_Over_2 = !m_options.Attraction_Over_2;
    ShowAttractionOver();
}

void TfmNastr::Cb_Lang_1Click() {
    m_state.InterfaceLanguage = 0;
    showLanguage();
    if (m_applyLanguage)
        m_applyLanguage();
}

void TfmNastr::Cb_Lang_2Click() {
    m_state.InterfaceLanguage = 1;
    showLanguage();
    if (m_applyLanguage)
        m_applyLanguage();
}

void TfmNastr::Timer_WorkTimer() {
    m_probe.sample();
    const bool hovered = m_probe.inside(Sb_Close);
    const int base = m_state.InterfaceLanguage == 0 ? CloseEnglish : CloseRussian;
    const int image = base + (hovered ? (m_closePressed ? 2 : 1) : 0);
    Sb_Close->setPixmap(m_yellow.pixmap(image));
}
