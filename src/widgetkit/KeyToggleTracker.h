// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// Neither Qt nor X11 reports a key's toggle state (the one Caps Lock has for its own key), so it
// is tracked from the presses the program sees: each fresh press flips it.
class KeyToggleTracker : public QObject {
    Q_OBJECT
public:
    explicit KeyToggleTracker(int key, QObject* parent = nullptr);

    bool toggled() const { return m_toggled; }
    bool held() const { return m_held; }
    // Toggled on and not held.
    bool toggledAndReleased() const { return m_toggled && !m_held; }

    // Fed by the application-wide event filter; public for tests.
    void keyPressed(bool autoRepeat);
    void keyReleased(bool autoRepeat);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_key;
    bool m_toggled = false;
    bool m_held = false;
};
