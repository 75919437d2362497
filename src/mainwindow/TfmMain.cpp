#include "mainwindow/TfmMain.h"

#include "app/core/LogCategories.h"
#include "app/core/ProgramState.h"
#include "app/core/SettingsStore.h"
#include "app/core/WindowDrag.h"
#include "language/LanguageTexts.h"
#include "mainwindow/IndicatorLamp.h"
#include "mainwindow/MainWindowColors.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

const QString ProgramKey = QStringLiteral("SoftWare\\Brannoch\\Gloamery\\");

constexpr int GhostLefts[] = {45, 225, 420, 615};

QRect GhostPlace(int ghost) {
    return {GhostLefts[ghost - 1], 152, 120, 120};
}

// Sends a left click on a label to `onClick`.
class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* target, std::function<void()> onClick)
        : QObject(target)
        , m_onClick(std::move(onClick)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_onClick();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onClick;
};

} // namespace

TfmMain::TfmMain(ProgramState& state, SettingsStore* store)
    : QWidget(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_store(store)
    , StartButtonBuffer(164, 50, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Gloamery"));
    m_state.SplashShown = false;
    // From the first start on the program key exists, whatever else fails.
    if (m_store)
        m_store->openKey(ProgramKey, true);
    m_state.AttractionRunning = false;
    StartButtonBuffer.fill(MainWindowColors::Background);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, MainWindowColors::Background);
    colours.setColor(QPalette::WindowText, MainWindowColors::Text);
    setPalette(colours);
    setAutoFillBackground(true);
    resize(WindowWidth, WindowHeight);
    createControls();
    WindowDrag::install(this, this);
}

TfmMain::~TfmMain() {
    // The main window writes nothing; it only makes sure the program key is there.
    if (m_store)
        m_store->openKey(ProgramKey, true);
}

QLabel* TfmMain::makeButton(const char* name, const QRect& place) {
    auto* button = new QLabel(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void TfmMain::createControls() {
    Sb_Attraction_Show = makeButton("Sb_Attraction_Show", {316, 318, 164, 50});
    Sb_Close = makeButton("Sb_Close", {710, 13, 48, 48});
    Sb_Close->setText(QStringLiteral("\u2715"));
    Sb_Close->setAlignment(Qt::AlignCenter);
    new ClickFilter(Sb_Close, [this] { Sb_CloseClick(); });
    // Beyond the window's bottom edge: reached only through the menus.
    Sb_Help = makeButton("Sb_Help", {2, 840, 22, 23});
    Sb_Internet = makeButton("Sb_Internet", {32, 840, 22, 23});
    Sb_Min = makeButton("Sb_Min", {62, 840, 22, 23});

    const auto makeLamp = [this](const char* panelName, const char* lampName, int left,
                                 QWidget*& panel, IndicatorLamp*& lamp) {
        panel = new QWidget(this);
        panel->setObjectName(QLatin1String(panelName));
        panel->setGeometry(left, 870, 20, 20);
        lamp = new IndicatorLamp(panel);
        lamp->setObjectName(QLatin1String(lampName));
        lamp->setGeometry(2, 1, 16, 8);
    };
    makeLamp("Panel_Indicator_Attraction_Show", "Indicator_Attraction_Show", 2,
             Panel_Indicator_Attraction_Show, Indicator_Attraction_Show);
    makeLamp("Panel_Indicator_Web", "Indicator_Web", 62, Panel_Indicator_Web, Indicator_Web);

    Lbl1 = new QLabel(this);
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->move(45, 100);
    Lbl2 = new QLabel(this);
    Lbl2->setObjectName(QStringLiteral("Lbl2"));
    Lbl2->move(45, 300);

    for (int ghost = 1; ghost <= 4; ++ghost) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Img_Ghost_%1").arg(ghost));
        image->setGeometry(GhostPlace(ghost));
        image->setCursor(Qt::PointingHandCursor);
        image->hide();
        Img_Ghost[static_cast<size_t>(ghost - 1)] = image;

        auto* panel = new QWidget(this);
        panel->setObjectName(QStringLiteral("Panel_Ghost_%1").arg(ghost));
        panel->setGeometry(GhostPlace(ghost));
        panel->hide();
        Panel_Ghost[static_cast<size_t>(ghost - 1)] = panel;
    }
    setAttractionIndicator(false);
    setWebIndicator(false);
}

void TfmMain::ShowMainWindow() {
    if (m_showSequence && !m_showSequence())
        return;
    show();
    // The presentation only moves while this window is active; after the modal splash nothing
    // else would make it so.
    raise();
    activateWindow();
}

int TfmMain::centredLeft(int desktopWidth) {
    return (desktopWidth - WindowWidth) / 2;
}

void TfmMain::placeOnDesktop(int desktopWidth) {
    setGeometry(centredLeft(desktopWidth), WindowTop, WindowWidth, WindowHeight);
}

void TfmMain::setAttractionIndicator(bool running) {
    Indicator_Attraction_Show->setFill(running ? MainWindowColors::AttractionLampRunning
                                               : MainWindowColors::LampStopped);
    if (!m_texts)
        return;
    const LanguageTexts& texts = *m_texts;
    Indicator_Attraction_Show->setToolTip(texts[running ? 20 : 19]);
    Sb_Attraction_Show->setToolTip(texts[running ? 75 : 74]);
}

void TfmMain::setWebIndicator(bool running) {
    Indicator_Web->setFill(running ? MainWindowColors::WebLampRunning
                                   : MainWindowColors::LampStopped);
    if (m_texts)
        Indicator_Web->setToolTip((*m_texts)[running ? 7 : 6]);
}

void TfmMain::applyLanguageTexts(const LanguageTexts& texts) {
    m_texts = &texts;
    Sb_Help->setToolTip(texts[85]);
    Sb_Internet->setToolTip(texts[86]);
    Sb_Min->setToolTip(texts[87]);
    Sb_Close->setToolTip(texts[88]);
    setAttractionIndicator(m_state.AttractionRunning);
    setWebIndicator(m_state.WebServerRunning);
}

void TfmMain::PlaceMainControls() {
    Sb_Close->setGeometry(710, 13, 48, 48);
    Sb_Close->show();
    for (int ghost = 1; ghost <= 4; ++ghost) {
        QLabel* image = Img_Ghost[static_cast<size_t>(ghost - 1)];
        image->setGeometry(GhostPlace(ghost));
        image->show();
    }
}

void TfmMain::ShowGhostImages() {
    for (QLabel* image : Img_Ghost)
        image->show();
}

void TfmMain::hidePresentationLabels() {
    Lbl1->hide();
    Lbl2->hide();
}

void TfmMain::StartPresentation() {
    qCInfo(lcApp) << "first start: presentation";
    emit presentationStarted();
}

void TfmMain::RefreshQuickPanels() {
    // The quick panels' refreshers run here: specialty, regime, temper and volume of all ghosts.
}

void TfmMain::Sb_CloseClick() {
    close();
}

void TfmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    // Only this window's close ends the program; the windows are then destroyed by the program
    // itself, in reverse order of creation.
    QCoreApplication::quit();
}
