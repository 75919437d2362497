// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PlatformServices.h"
#include "home/HomeLinkForm.h"
#include "widgetkit/SkinnedDialog.h"

#include <QColor>
#include <QTimer>

#include <functional>
#include <memory>

class HomeLinkControl;
class ImageList;
struct HomeAutomationControls;
struct ProgramState;

// The home automation window: the MQTT broker, the names Home Assistant knows the room by, the
// link's lamp and state, and a test of the settings as typed. A view of the home link, which
// lives on when the window closes; a text is applied when its field is left, a box when toggled.
class TfmHomeAutomation : public SkinnedDialog {
    Q_OBJECT
public:
    static const QColor LampOff;
    static const QColor LampWaiting;
    static const QColor LampLit;

    // Asks for the CA certificate's file, starting at `current`; empty when none was chosen.
    using FileChooser =
        std::function<QString(QWidget* parent, const QString& title, const QString& current)>;

    // `yellow` is the main window's BitmapList_Yellow; `link` must outlive the window. Without a
    // chooser the desktop's file dialog asks.
    TfmHomeAutomation(ProgramState& state, const PlatformServices& platform,
                      const ImageList& yellow, HomeLinkControl& link, FileChooser chooser = {});
    ~TfmHomeAutomation() override;

    const HomeLinkForm& form() const { return m_form; }

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;

private:
    void connectControls();
    void showSettings();
    void showState();
    void showNote();
    void showDefaults();
    void writeTexts();
    void finish(HomeField field);
    void chooseCaFile();
    HomeLinkForm::Typed typed() const;

    const ImageList& m_yellow;
    HomeLinkControl& m_link;
    FileChooser m_chooser;
    HomeLinkForm m_form;
    // Counts the time to the next try down while the window is open.
    QTimer m_countdown;

    // None until the window is first opened.
    std::unique_ptr<HomeAutomationControls> m_ui;
};
