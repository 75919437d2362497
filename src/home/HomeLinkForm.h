// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "home/HomeSettingsCheck.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class Clock;
class HomeLinkControl;

// What the home automation window does, without its widgets. Changes take effect at once, as in
// every other window, but a text only when its control is left: applying a half-typed host name
// would reconnect at every key. A value the checks refuse is not applied; the note says why.
class HomeLinkForm : public QObject {
    Q_OBJECT
public:
    // What the controls hold, as typed.
    struct Typed {
        bool enabled = false;
        QString host;
        QString port;
        QString user;
        QString password;
        bool tls = false;
        QString caFile;
        QString nodeId;
        QString baseTopic;
        QString discoveryPrefix;
    };
    enum class Lamp { Off, Waiting, Lit };

    // `language` is read at each text, so the window follows a change of language; all three
    // must outlive the form. With a clock the time to the next try counts down; the link only
    // says it when the pause begins.
    HomeLinkForm(HomeLinkControl& link, const Language& language, const Clock* clock = nullptr);

    static Typed typed(const HomeSettings& settings);

    // `field`'s control was left or toggled: its typed value, with the link's other values,
    // is applied when the checks take it and it changes something. False when refused.
    bool finish(HomeField field, const Typed& typed);
    // One attempt with everything as typed, when the checks take it; ignored while one runs.
    void test(const Typed& typed);
    bool testing() const { return m_testing; }

    Lamp lamp() const;
    // The link's phase in one line: where to, and why not with the time left to the next try.
    QString stateLine() const;
    // The last refusal or test, or empty.
    const QString& note() const { return m_note; }
    // What an empty node id and an empty base topic stand for, with the link's node id.
    QString nodeIdDefault() const;
    QString baseTopicDefault() const;

signals:
    // The lamp and the state line may have changed.
    void stateShown();
    void noteChanged(const QString& note);

private:
    // Takes `field` from `typed` into `settings`; false (with the note set) when it is no value.
    bool take(HomeField field, const Typed& typed, HomeSettings& settings);
    void setNote(const QString& note);
    QString address(const HomeSettings& settings) const;

    HomeLinkControl& m_link;
    const Language& m_language;
    const Clock* m_clock;
    QDateTime m_pauseBegan;
    QString m_note;
    bool m_testing = false;
};
