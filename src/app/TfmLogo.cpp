// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfmLogo.h"

#include "app/FirstRun.h"
#include "app/SplashArt.h"
#include "core/ProgramState.h"
#include "core/ScreenPlacement.h"
#include "device/BoardPoller.h"
#include "device/HouseBoards.h"
#include "device/MonitorTexts.h"
#include "device/TMyDataFrame.h"
#include "widgetkit/KeyToggleTracker.h"
#include "widgetkit/WindowDrag.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

namespace {

// Progress by tick: +5 on most ticks, +3 on ticks 6, 13 and 21, so the bar stops at 99.
int progressStep(int tick) {
    if (tick == 6 || tick == 13 || tick == 21)
        return 3;
    if (tick >= 1 && tick <= 20)
        return 5;
    return 0;
}

} // namespace

TfmLogo::TfmLogo(ProgramState& state, const PlatformServices& platform, FirstRun& firstRun,
                 Language editionLanguage, HouseBoards& boards)
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_platform(platform)
    , m_firstRun(firstRun)
    , m_boards(boards) {
    setObjectName(QStringLiteral("fmLogo"));
    setWindowTitle(QStringLiteral("Gloamery"));
    setModal(true);
    createControls();
    Timer_Work.setInterval(100);
    connect(&Timer_Work, &QTimer::timeout, this, &TfmLogo::Timer_WorkTimer);

    SplashTick = 0;
    m_state.InterfaceLanguage = editionLanguage;
    if (m_boards.searchDone())
        addBoardPages();
    else
        connect(&m_boards, &HouseBoards::boardsFound, this, &TfmLogo::addBoardPages);
}

TfmLogo::~TfmLogo() {
    destroyBoardMonitors();
}

void TfmLogo::destroyBoardMonitors() {
    while (PageControl_USB->count() > 0)
        delete PageControl_USB->widget(0);
}

void TfmLogo::createControls() {
    Img_Logo = new QLabel(this);
    Img_Logo->setObjectName(QStringLiteral("Img_Logo"));
    WindowDrag::install(this, Img_Logo);

    Img_Loading = new QLabel(this);
    Img_Loading->setObjectName(QStringLiteral("Img_Loading"));
    Img_Loading->installEventFilter(this);
    Img_Ready = new QLabel(this);
    Img_Ready->setObjectName(QStringLiteral("Img_Ready"));

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->setStyleSheet(
        QStringLiteral("QProgressBar { background: %1; border: 1px solid %2; }"
                       "QProgressBar::chunk { background: %2; }")
            .arg(SplashArt::ProgressBack.name(), SplashArt::ProgressGold.name()));

    PageControl_USB = new QTabWidget(this);
    PageControl_USB->setObjectName(QStringLiteral("PageControl_USB"));
    QFont pageFont(QStringLiteral("Arial"));
    pageFont.setPixelSize(12);
    PageControl_USB->setFont(pageFont);
    PageControl_USB->setStyleSheet(QStringLiteral("QTabBar { color: navy; }"));
    PageControl_USB->hide();

    // Out of sight below the splash until the device view enlarges the window.
    Btn_Close = new QPushButton(QStringLiteral("Закрыть"), this);
    Btn_Close->setObjectName(QStringLiteral("Btn_Close"));
    Btn_Close->setGeometry(8, 512, 75, 25);
    // A dialog's first push button becomes its default: Enter would close the splash early, and
    // as the only focusable control it would take Space too. It is clicked, never keyed, until
    // the device view shows it.
    Btn_Close->setAutoDefault(false);
    Btn_Close->setFocusPolicy(Qt::NoFocus);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::close);
}

bool TfmLogo::firstRun() const {
    return m_firstRun.pending();
}

void TfmLogo::presentationUsedUp() {
    m_firstRun.usedUp();
}

void TfmLogo::addBoardPages() {
    for (const auto& poller : m_boards.pollers()) {
        const int productId = poller->productId();
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet_USB_%1").arg(productId));
        new TMyDataFrame(page, *poller);
        PageControl_USB->addTab(page, MonitorTexts::pageCaption(productId));
    }
}

void TfmLogo::prepareSplash(const QRect& area) {
    // Drawn for each showing and let go when the splash closes: it is up for three seconds of
    // an evening's run.
    Img_Logo->setPixmap(SplashArt::picture(SplashWidth, SplashHeight));
    Img_Loading->setPixmap(SplashArt::loadingImage());
    Img_Ready->setPixmap(SplashArt::finishedImage());
    setGeometry(place(area));
    PageControl_USB->hide();
    PageControl_USB->setGeometry(0, 0, 400, 500);
    Img_Logo->setGeometry(0, 0, SplashWidth, SplashHeight);
    ProgressBar->setGeometry(SplashArt::ProgressPlace);
    ProgressBar->setValue(0);
    ProgressBar->show();
    Img_Loading->setGeometry(SplashArt::StatusPlace);
    Img_Loading->show();
    Img_Ready->setGeometry(SplashArt::StatusPlace);
    Img_Ready->hide();
    Timer_Work.start();
}

QRect TfmLogo::place(const QRect& area) {
    return {ScreenPlacement::centred(area, SplashWidth, SplashTop),
            QSize(SplashWidth, SplashHeight)};
}

void TfmLogo::ShowSplash(const QRect& area) {
    prepareSplash(area);
    exec();
    m_standIn.reset();
    // The splash shows once a run: its window, and the picture of it the window system keeps,
    // go back to the system until then.
    destroy();
}

void TfmLogo::setStandIn(std::unique_ptr<QWidget> standIn) {
    m_standIn = std::move(standIn);
}

void TfmLogo::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Gone once this paint has reached the screen, so nothing shows through in between.
    if (m_standIn)
        QTimer::singleShot(0, this, [this] { m_standIn.reset(); });
}

void TfmLogo::Timer_WorkTimer() {
    ++SplashTick;
    ProgressBar->setValue(ProgressBar->value() + progressStep(SplashTick));
    if (SplashTick == 20) {
        Img_Loading->hide();
        Img_Ready->show();
    }
    if (SplashTick == LastTick)
        close();
}

void TfmLogo::showDeviceView() {
    resize(SplashWidth, 550);
    Btn_Close->move(8, 512);
    PageControl_USB->show();
    PageControl_USB->raise();
    Btn_Close->raise();
    Btn_Close->setFocusPolicy(Qt::StrongFocus);
    Timer_Work.stop();
}

void TfmLogo::done(int result) {
    // Every way out (schedule, close button, a shutdown request) passes here.
    Timer_Work.stop();
    m_state.SplashShown = true;
    QDialog::done(result);
    for (QLabel* picture : {Img_Logo, Img_Loading, Img_Ready})
        picture->setPixmap({});
}

bool TfmLogo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Img_Loading && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const KeyToggleTracker* deleteKey = m_platform.deleteKey;
        if (deleteKey && deleteKey->toggledAndReleased()) {
            showDeviceView();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmLogo::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog and Enter accept it; the splash closes only by its schedule
    // or its button.
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
