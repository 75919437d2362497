// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgetkit/PointerPoll.h"
#include "widgetkit/PointerProbe.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

#include <array>
#include <memory>

class ImageList;
class PointerSource;
class QLabel;
class QLineEdit;
struct ProgramState;

// What every skinned dialog of the program shares: a borderless 790 by 520 window in the window
// blue, dragged by its background, opened over the main window at its left + 6, top + 55, with
// a close button that lights under the pointer, a focus field out of sight, and the main
// window's DialogOpen flag up exactly while it is open.
//
// Opening and closing pass through setVisible(), so every way in (show, exec, open) and out
// (the close button, Escape, the window manager, an opener's hide) is the same. A minimise and
// its restore are neither: the dialog is still open and keeps what the user was doing.
class SkinnedDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize Size{790, 520};
    static constexpr QPoint OffsetFromMainWindow{6, 55};

    // What a dialog of another cut changes: its size, background and close button. The close
    // button's entries are given per state (ButtonState) for English and for Russian.
    struct Frame {
        QSize size = Size;
        QColor background;
        const ImageList* closeImages = nullptr;
        QRect closePlace{608, 460, 164, 50};
        std::array<int, 3> closeEnglish{};
        std::array<int, 3> closeRussian{};
    };

    ~SkinnedDialog() override;

    enum class Placement { OverMainWindow, OwnPlace };
    // The dialog belongs to this window: no taskbar entry of its own, kept above it. It opens
    // over it unless it has a place of its own; with no main window, where it stood last.
    void setMainWindow(const QWidget* mainWindow, Placement placement = Placement::OverMainWindow) {
        m_mainWindow = mainWindow;
        m_placement = placement;
    }

    // The dialog's top-left on the screen: the one origin from which every hover rectangle and
    // every click's arithmetic is taken.
    QPoint screenOrigin() const { return geometry().topLeft(); }
    QRect screenRect(const QWidget* control) const;

    bool isOpen() const { return m_open; }
    bool closePressed() const { return m_closePressed; }

    // Hover images from a fresh reading of the pointer; the poll's ticks run them every 100 ms
    // while the dialog is shown.
    void Timer_WorkTimer();
    // Takes its ticks from `poll`, the one the program's other windows share, instead of a poll
    // of its own.
    void sharePointerPoll(PointerPoll& poll);
    const PointerPoll& pointerPoll() const { return *m_poll; }

    void setVisible(bool visible) override;

    // The dialog's controls, built now if they are not yet. A dialog is made at start-up but its
    // controls only at its first opening: most evenings never open it, and its widgets would
    // hold up the splash and sit in memory for nothing.
    void ensureControls();
    bool controlsBuilt() const { return m_controlsBuilt; }

protected:
    // `yellow` is the main window's BitmapList_Yellow, which holds the close button's images.
    SkinnedDialog(const char* formName, ProgramState& state, const PointerSource& pointer,
                  const ImageList& yellow);
    SkinnedDialog(const char* formName, ProgramState& state, const PointerSource& pointer,
                  const Frame& frame);

    // Builds the dialog's own controls and shows in them what the dialog holds by then; runs
    // once, before the first opening or when something asks for the controls.
    virtual void buildControls() {}
    // The dialog's own part of each opening, run once it is placed and before it shows.
    virtual void FormShow() {}
    // The dialog's own part of each closing.
    virtual void FormClose() {}
    // The dialog's own hover images, run by each tick after the pointer was read, once the
    // controls are built.
    virtual void trackPointer() {}

    // A derived dialog's destructor calls this: closing needs the derived part still alive.
    void closeIfOpen();

    // The pointer lies strictly inside `control`'s screen rectangle, at the last reading.
    bool hovered(const QWidget* control) const;
    QPoint pointerPosition() const { return m_probe.position(); }
    // Reads the pointer now (a click handler's arithmetic).
    QPoint readPointer();

    ProgramState& state() const { return m_state; }
    bool russian() const;
    QLabel* closeButton() const { return Sb_Close; }

private:
    void belongToMainWindow();
    void showCloseButton();
    void trackReading(QPoint pointer);
    void watchPointer(PointerPoll& poll);

    ProgramState& m_state;
    Frame m_frame;
    const QWidget* m_mainWindow = nullptr;
    Placement m_placement = Placement::OverMainWindow;
    PointerProbe m_probe;
    // Until the dialog shares the program's poll (a dialog on its own, as in the tests).
    std::unique_ptr<PointerPoll> m_ownPoll;
    QPointer<PointerPoll> m_poll;
    QLabel* Sb_Close = nullptr;
    QLineEdit* Edit_Focus = nullptr;
    bool m_closePressed = false;
    bool m_open = false;
    bool m_controlsBuilt = false;
};
