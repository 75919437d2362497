// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AttractionOptions.h"
#include "core/PlatformServices.h"
#include "widgetkit/SkinnedDialog.h"

#include <array>
#include <functional>

class DesktopAutostart;
class GradientTitle;
class ImageList;
class QGroupBox;
class QLabel;
struct ProgramState;

// The settings dialog (form fmNastr): the attraction's duration, what happens when it ends, and
// the interface language. Every change takes effect at once. The attraction's options are the
// model: the controls, built at the first opening, only show them.
class TfmNastr : public SkinnedDialog {
    Q_OBJECT
public:
    // `options` are the attraction's; `yellow` is the main window's BitmapList_Yellow;
    // `applyLanguage` runs TfmHelp's ApplyLanguage; the dialog opens at `mainWindow`'s left + 6,
    // top + 55 (if given).
    TfmNastr(ProgramState& state, const PlatformServices& platform, AttractionOptions& options,
             const ImageList& yellow, std::function<void()> applyLanguage,
             const QWidget* mainWindow);
    ~TfmNastr() override;

    // The entry that starts this edition with the desktop; without one the option is hidden.
    void setAutostart(const DesktopAutostart* autostart);

    AttractionOptions& options() { return m_options; }
    const AttractionOptions& options() const { return m_options; }

    void Scroll_Attraction_Time_BtnClick();
    void Cb_Attraction_Over_1Click();
    void Cb_Attraction_Over_2Click();
    void Cb_Lang_1Click();
    void Cb_Lang_2Click();
    void Cb_AutostartClick();
    void Cb_Attraction_AutostartClick();

    void ShowAttractionTime();
    void ShowAttractionOver();
    void ShowAutostart();
    void ShowAttractionAutostart();

protected:
    void buildControls() override;
    void FormShow() override;

private:
    void createControls();
    void showLanguage();
    void selectAttractionTime(qint32 position);

    const ImageList& m_yellow;
    std::function<void()> m_applyLanguage;
    AttractionOptions& m_options;
    const DesktopAutostart* m_autostart = nullptr;

    GradientTitle* Lbl_Ghost_Title = nullptr;
    QLabel* Img_Fon = nullptr;
    QGroupBox* GB_Attraction_Time = nullptr;
    std::array<QLabel*, 4> Lbl_Time{}; // Lbl_1 .. Lbl_4
    QLabel* Scroll_Attraction_Time_Fon = nullptr;
    QLabel* Scroll_Attraction_Time_Btn = nullptr;
    QGroupBox* GB_Attraction_Over = nullptr;
    QLabel* Cb_Attraction_Over_1 = nullptr;
    QLabel* Lbl_Attraction_Over_1 = nullptr;
    QLabel* Cb_Attraction_Over_2 = nullptr;
    QLabel* Lbl_Attraction_Over_2 = nullptr;
    QGroupBox* GB_Autostart = nullptr;
    QLabel* Cb_Autostart = nullptr;
    QLabel* Lbl_Autostart = nullptr;
    QGroupBox* GB_Attraction_Start = nullptr;
    QLabel* Cb_Attraction_Autostart = nullptr;
    QLabel* Lbl_Attraction_Autostart = nullptr;
    QGroupBox* GB_Lang = nullptr;
    QLabel* Cb_Lang_1 = nullptr;
    QLabel* Cb_Lang_2 = nullptr;
};
