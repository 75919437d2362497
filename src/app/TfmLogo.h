// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "core/PlatformServices.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class FirstRun;
class HouseBoards;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
struct ProgramState;

// The splash window (form fmLogo): shown modally for about three seconds at the first show of the
// main window. Sets the edition's interface language and keeps a hidden monitor page for each
// board the boards' service found.
class TfmLogo : public QDialog {
    Q_OBJECT
public:
    static constexpr int SplashWidth = 400;
    static constexpr int SplashHeight = 300;
    static constexpr int SplashTop = 100;
    static constexpr int LastTick = 31;

    // The first-run flag and the boards must outlive the splash.
    TfmLogo(ProgramState& state, const PlatformServices& platform, FirstRun& firstRun,
            Language editionLanguage, HouseBoards& boards);
    ~TfmLogo() override;

    // Where the splash stands on a screen with that available area.
    static QRect place(const QRect& area);
    // Lays the splash out on that area and starts its timer; ShowSplash also runs it modally
    // until it closes.
    void prepareSplash(const QRect& area);
    void ShowSplash(const QRect& area);

    // True until the presentation has started once; read from "Premier".
    bool firstRun() const;
    // The presentation has started: from the next start on there is none.
    void presentationUsedUp();
    int splashTick() const { return SplashTick; }
    const QTimer& workTimer() const { return Timer_Work; }

    void Timer_WorkTimer();
    // Enlarges the splash to show the board monitors; the splash then stays until closed.
    void showDeviceView();

    QTabWidget* devicePages() const { return PageControl_USB; }

    void done(int result) override;

    // What was shown in the splash's place while the windows were made; it goes once the splash
    // has painted itself.
    void setStandIn(std::unique_ptr<QWidget> standIn);
    bool hasStandIn() const { return m_standIn != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    // One page per board, once the boards' search is over.
    void addBoardPages();
    void destroyBoardMonitors();

    ProgramState& m_state;
    PlatformServices m_platform;
    FirstRun& m_firstRun;
    int SplashTick = 0;
    QTimer Timer_Work;

    QLabel* Img_Logo = nullptr;
    QLabel* Img_Loading = nullptr;
    QLabel* Img_Ready = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* Btn_Close = nullptr;
    QTabWidget* PageControl_USB = nullptr;
    HouseBoards& m_boards;
    std::unique_ptr<QWidget> m_standIn;
};
