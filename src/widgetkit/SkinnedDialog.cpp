// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/SkinnedDialog.h"

#include "core/ProgramState.h"
#include "widgetkit/ClickSource.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/ImageList.h"
#include "widgetkit/PointerPoll.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"
#include "widgetkit/WindowDrag.h"

#include <QLabel>
#include <QLineEdit>
#include <QWindow>

namespace {

constexpr qreal Opacity = 245.0 / 255.0;

// The gold "Close" button at the bottom right of a dialog in the window blue.
SkinnedDialog::Frame standardFrame(const ImageList& yellow) {
    SkinnedDialog::Frame frame;
    frame.background = SkinColors::WindowBlue;
    frame.closeImages = &yellow;
    for (int state = 0; state < 3; ++state) {
        frame.closeEnglish[static_cast<size_t>(state)] = YellowImage::CloseEnglish + state;
        frame.closeRussian[static_cast<size_t>(state)] = YellowImage::CloseRussian + state;
    }
    return frame;
}

} // namespace

SkinnedDialog::SkinnedDialog(const char* formName, ProgramState& state,
                             const PointerSource& pointer, const ImageList& yellow)
    : SkinnedDialog(formName, state, pointer, standardFrame(yellow)) {}

SkinnedDialog::SkinnedDialog(const char* formName, ProgramState& state,
                             const PointerSource& pointer, const Frame& frame)
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , m_state(state)
    , m_frame(frame)
    , m_probe(pointer) {
    Q_ASSERT(frame.closeImages);
    setObjectName(QLatin1String(formName));
    setFixedSize(frame.size);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, frame.background);
    setPalette(colours);
    setAutoFillBackground(true);
    WindowDrag::install(this, this);

    Sb_Close = SkinParts::button(this, QStringLiteral("Sb_Close"), frame.closePlace);
    ClickSource* close = ClickSource::on(Sb_Close);
    connect(close, &ClickSource::pressed, this, [this] { m_closePressed = true; });
    connect(close, &ClickSource::released, this, [this] { m_closePressed = false; });
    connect(close, &ClickSource::clicked, this, &QDialog::reject);

    // Below the visible area: it holds the keyboard focus so that no visible field shows a cursor.
    Edit_Focus = new QLineEdit(this);
    Edit_Focus->setObjectName(QStringLiteral("Edit_Focus"));
    Edit_Focus->move(8, 671);

    m_ownPoll = std::make_unique<PointerPoll>(pointer, QStringLiteral("Timer_Work"));
    watchPointer(*m_ownPoll);
}

SkinnedDialog::~SkinnedDialog() {
    if (m_poll)
        m_poll->remove(this);
}

void SkinnedDialog::watchPointer(PointerPoll& poll) {
    m_poll = &poll;
    m_poll->add(this, [this](QPoint pointer) { trackReading(pointer); });
    m_poll->setWatching(this, isVisible());
}

void SkinnedDialog::sharePointerPoll(PointerPoll& poll) {
    if (m_poll == &poll)
        return;
    if (m_poll)
        m_poll->remove(this);
    watchPointer(poll);
    m_ownPoll.reset();
}

void SkinnedDialog::ensureControls() {
    if (m_controlsBuilt)
        return;
    m_controlsBuilt = true;
    buildControls();
    Sb_Close->raise();
}

void SkinnedDialog::setVisible(bool visible) {
    if (visible && !isVisible()) {
        ensureControls();
        // Placed before the window system sees the window: a window that moves itself while it
        // is being shown can be left believing it sits where the window manager first put it.
        if (m_mainWindow && m_placement == Placement::OverMainWindow)
            move(m_mainWindow->pos() + OffsetFromMainWindow);
        belongToMainWindow();
        m_open = true;
        m_state.DialogOpen.opened();
        Sb_Close->raise();
        FormShow();
        QDialog::setVisible(true);
        if (Edit_Focus->isEnabled())
            Edit_Focus->setFocus();
        if (!qFuzzyCompare(windowOpacity(), Opacity))
            setWindowOpacity(Opacity);
        Timer_WorkTimer();
        if (m_poll)
            m_poll->setWatching(this, true);
        return;
    }
    if (!visible)
        closeIfOpen();
    QDialog::setVisible(visible);
    if (!visible && m_poll && m_poll->isWatching(this)) {
        // Hidden, every hover test fails: one last tick leaves the buttons unlit, and from then
        // on nothing can change until the dialog opens again.
        m_poll->setWatching(this, false);
        Timer_WorkTimer();
    }
}

void SkinnedDialog::belongToMainWindow() {
    // Before the window is mapped, so the window manager never sees it as a window of its own.
    // A dialog has no parent widget, which would have Qt delete it and the program's order of
    // destruction decide nothing; the window system's parent is enough.
    QWindow* main = m_mainWindow ? m_mainWindow->windowHandle() : nullptr;
    if (!main)
        return;
    if (!windowHandle())
        create();
    windowHandle()->setTransientParent(main);
}

void SkinnedDialog::closeIfOpen() {
    if (!m_open)
        return;
    m_open = false;
    m_closePressed = false;
    m_state.DialogOpen.closed();
    FormClose();
}

QRect SkinnedDialog::screenRect(const QWidget* control) const {
    return QRect(screenOrigin() + control->mapTo(this, QPoint(0, 0)), control->size());
}

bool SkinnedDialog::hovered(const QWidget* control) const {
    return isVisible() && PointerProbe::strictlyInside(screenRect(control), m_probe.position());
}

QPoint SkinnedDialog::readPointer() {
    m_probe.sample();
    return m_probe.position();
}

bool SkinnedDialog::russian() const {
    return m_state.InterfaceLanguage == Language::Russian;
}

void SkinnedDialog::Timer_WorkTimer() {
    m_probe.sample();
    trackReading(m_probe.position());
}

void SkinnedDialog::trackReading(QPoint pointer) {
    m_probe.use(pointer);
    showCloseButton();
    if (m_controlsBuilt)
        trackPointer();
}

void SkinnedDialog::showCloseButton() {
    const std::array<int, 3>& entries = russian() ? m_frame.closeRussian : m_frame.closeEnglish;
    const int lit = hovered(Sb_Close) ? (m_closePressed ? ButtonState::Pressed : ButtonState::Hover)
                                      : ButtonState::Normal;
    SkinParts::showEntry(Sb_Close, *m_frame.closeImages, entries[static_cast<size_t>(lit)]);
}
