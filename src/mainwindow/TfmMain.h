#pragma once

#include "language/LanguageTarget.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class IndicatorLamp;
class QLabel;
class SettingsStore;
struct ProgramState;

// The main window (form fmMain): a borderless 800 by 600 window; closing it ends the program.
class TfmMain : public QWidget, public LanguageTarget {
    Q_OBJECT
public:
    static constexpr int WindowWidth = 800;
    static constexpr int WindowHeight = 600;
    static constexpr int WindowTop = 10;

    TfmMain(ProgramState& state, SettingsStore* store);
    ~TfmMain() override;

    // Runs before every show, so the splash comes up first and the window appears already laid
    // out; returning false keeps the window hidden (the program is being ended).
    void setShowSequence(std::function<bool()> sequence) { m_showSequence = std::move(sequence); }
    void ShowMainWindow();

    // Centred horizontally (the halving truncates toward zero, so a narrow desktop gives a
    // negative left), top 10.
    void placeOnDesktop(int desktopWidth);
    static int centredLeft(int desktopWidth);

    void setAttractionIndicator(bool running);
    void setWebIndicator(bool running);
    void PlaceMainControls();
    void ShowGhostImages();
    void hidePresentationLabels();
    void StartPresentation();
    // Brings every ghost's quick panel up to date with the ghost table.
    void RefreshQuickPanels();

    void applyLanguageTexts(const LanguageTexts& texts) override;

    const QImage& startButtonBuffer() const { return StartButtonBuffer; }

signals:
    void presentationStarted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    QLabel* makeButton(const char* name, const QRect& place);
    void Sb_CloseClick();

    ProgramState& m_state;
    SettingsStore* m_store;
    std::function<bool()> m_showSequence;
    const LanguageTexts* m_texts = nullptr;
    QImage StartButtonBuffer;

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
    std::array<QWidget*, 4> Panel_Ghost{};
    std::array<QLabel*, 4> Img_Ghost{};
};
