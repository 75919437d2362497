// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "language/LanguageTarget.h"
#include "mainwindow/EveningPlanHint.h"
#include "mainwindow/MainWindowCommands.h"
#include "mainwindow/MainWindowHost.h"
#include "widgetkit/PictureKeptWhileUsed.h"
#include "widgetkit/PointerProbe.h"
#include "widgetkit/SharedImageLists.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class Attraction;
class GhostQuickPanels;
class Ghosts;
class MainMenus;
class MainPresentationView;
class Presentation;
class TrayIcon;
class PointerPoll;
class WindowCommands;
class IndicatorLamp;
class QLabel;
struct ProgramState;

// The main window (form fmMain): a borderless window of 800 by 600 shaped by its skin, with four
// ghosts, their quick panels and the start button. Hover looks follow the pointer, polled every
// 100 ms. Closing it ends the program. A view of the attraction and the ghosts.
class TfmMain : public QWidget, public LanguageTarget, public MainWindowHost {
    Q_OBJECT
public:
    static constexpr int WindowWidth = 800;
    static constexpr int WindowHeight = 600;
    static constexpr int WindowTop = 10;

    // The windows the main window opens with its (hidden) command labels; null: nothing opens.
    struct Dialogs {
        QWidget* help = nullptr;
        QWidget* ghost = nullptr;
        QWidget* nastr = nullptr;
        QWidget* webServer = nullptr;
        QWidget* net = nullptr;
        QWidget* sound = nullptr;
        QWidget* home = nullptr;
        QWidget* sounds = nullptr;
        QWidget* schedule = nullptr;
    };

    TfmMain(ProgramState& state, const PlatformServices& platform, Attraction& attraction,
            Ghosts& ghosts);
    ~TfmMain() override;

    // Runs before every show, so the splash comes up first and the window appears already laid
    // out; returning false keeps the window hidden (the program is being ended).
    void setShowSequence(std::function<bool()> sequence) { m_showSequence = std::move(sequence); }
    void ShowMainWindow() override;
    // The pointer tracking runs while the window is shown.
    void setVisible(bool visible) override;

    void setDialogs(const Dialogs& dialogs);

    // Centred across the screen's available area, 10 below its top.
    void placeOnDesktop(const QRect& area);

    void setAttractionIndicator(bool running);
    // The lamp's and the tray's hints tell what the evening's plan has in store.
    void setEveningPlan(const EveningPlanHint& plan);
    void setWebIndicator(bool running);
    void PlaceMainControls();
    void ShowGhostImages();
    void hidePresentationLabels();
    void StartPresentation();
    // Brings every ghost's quick panel up to date with the ghost table.
    void RefreshQuickPanels();

    // One tick of the pointer tracking, from a fresh reading of the pointer.
    void TrackPointer();
    // The poll that ticks the tracking, which the dialogs share.
    PointerPoll& pointerPoll() { return *m_pointerPoll; }
    void Sb_Attraction_ShowClick();
    // Shows the window modally unless the attraction runs; a second command hides it again.
    void OpenDialog(MainWindowCommands::Dialog dialog);
    MainWindowCommands& commands();
    const Presentation* presentation() const { return m_presentation.get(); }

    void closeMainWindow() override { close(); }
    void hideMainWindow() override;
    void recentreMainWindow() override;
    void closeHelpWindow() override;
    bool isMainWindowMinimised() const override { return isMinimized(); }
    void dialogOpening(MainWindowCommands::Dialog dialog) override;
    void dialogClosed(MainWindowCommands::Dialog dialog) override;

    void applyLanguageTexts(const LanguageTexts& texts) override;

    GhostQuickPanels& quickPanels() { return *m_panels; }
    const TrayIcon& trayIcon() const { return *m_tray; }
    const QImage& startButtonBuffer() const { return StartButtonBuffer; }
    int startButtonEntry() const { return m_startButtonEntry; }

    // The lists the dialogs borrow.
    const SharedImageLists& imageLists() const { return m_images; }
    bool closeButtonHover() const { return CloseButtonHover; }
    bool startButtonHover() const { return StartButtonHover; }

signals:
    void presentationStarted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void loadSkin();
    void createControls();
    void createCommandLabels();
    void createCommands();
    QLabel* makeImage(const char* name, const QRect& place);
    void trackReading(QPoint pointer);
    void trackCornerButtons();
    void drawStartButton();
    void setGhostPicture(int ghost, int entry);

    ProgramState& m_state;
    EveningPlanHint m_plan;
    PlatformServices m_platform;
    SharedImageLists m_images;
    const ImageList& BitmapList_Btn = m_images.BitmapList_Btn;
    const ImageList& BitmapList_Yellow = m_images.BitmapList_Yellow;
    const ImageList& BitmapList_Ghost = m_images.BitmapList_Ghost;
    const ImageList& MenuPictures = m_images.MenuPictures;
    // Children named after themselves, so tests find them as they find the controls; the
    // poll's timer is Timer_Work.
    PointerPoll* m_pointerPoll = nullptr;
    QTimer Timer_Presentation;
    bool CloseButtonHover = false;
    bool StartButtonHover = false;
    bool StartButtonPressed = false;
    std::function<bool()> m_showSequence;
    const LanguageTexts* m_texts = nullptr;
    Dialogs m_dialogs;
    Attraction& m_attraction;
    PointerProbe m_probe;
    bool m_skinLoaded = false;
    // Three bytes a pixel (the shape cuts the key colour; the skin has no alpha of its own), and
    // only while the window repaints: it sits still for most of an evening.
    PictureKeptWhileUsed m_skin{QStringLiteral("Img/Skin.png"), QImage::Format_RGB888,
                                std::chrono::seconds(10)};
    QImage StartButtonBuffer;
    int m_startButtonEntry = -1;

    QLabel* Sb_Attraction_Show = nullptr;
    QLabel* Sb_Close = nullptr;
    QLabel* Sb_Help = nullptr;
    QLabel* Sb_Internet = nullptr;
    QLabel* Sb_Min = nullptr;
    QWidget* Panel_Indicator_Attraction_Show = nullptr;
    IndicatorLamp* Indicator_Attraction_Show = nullptr;
    QWidget* Panel_Indicator_Web = nullptr;
    IndicatorLamp* Indicator_Web = nullptr;
    QLabel* Lbl1 = nullptr;
    QLabel* Lbl2 = nullptr;
    std::array<QLabel*, 4> Img_Ghost{};
    GhostQuickPanels* m_panels = nullptr;
    TrayIcon* m_tray = nullptr;
    std::unique_ptr<WindowCommands> m_commands;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<MainPresentationView> m_presentationView;
    std::unique_ptr<Presentation> m_presentation;
};
