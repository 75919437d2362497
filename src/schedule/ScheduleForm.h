// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "schedule/ScheduleSettings.h"
#include "schedule/ScheduleText.h"

#include <QObject>
#include <QStringList>
#include <QTimeZone>

#include <functional>

class Clock;

// What the schedule window does, without its widgets: the plans and quiet hours being edited,
// the place the sun is reckoned for, the week they make, and why they cannot be applied yet.
// Edits stay in the form until applied, so a half-made plan never starts the attraction.
class ScheduleForm : public QObject {
    Q_OBJECT
public:
    // Empty, or why the settings were not taken.
    using Apply = std::function<QString(const ScheduleSettings&)>;
    using Current = std::function<ScheduleSettings()>;

    // `language` and `clock` must outlive the form; `language` is read at each text. The week
    // is shown in `zone`, the one the schedule runs in.
    ScheduleForm(const Language& language, const Clock& clock, QTimeZone zone, Current current,
                 Apply apply);

    // Takes the settings in force anew; a stored text that does not read leaves no plans and
    // says why.
    void reload();

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    const QList<SchedulePlan>& plans() const { return m_rules.plans; }
    // The index of the new plan.
    int addPlan();
    void removePlan(int index);
    void setPlan(int index, const SchedulePlan& plan);
    QStringList planLines() const;

    const QList<QuietHours>& quiet() const { return m_rules.quiet; }
    int addQuiet();
    void removeQuiet(int index);
    void setQuiet(int index, const QuietHours& quiet);
    QStringList quietLines() const;

    // The cities in the interface language; city() is -1 for coordinates of no city.
    QStringList cityNames() const;
    int city() const;
    void chooseCity(int index);
    // As typed, in degrees: both empty is no place, a comma may stand for the point.
    void typeCoordinates(const QString& latitude, const QString& longitude);
    const QString& latitudeText() const { return m_latitude; }
    const QString& longitudeText() const { return m_longitude; }

    // The plans and quiet hours in their text form.
    QString text() const { return ScheduleText::write(m_rules); }
    // What the settings would be; valid only when problem() is empty.
    ScheduleSettings settings() const;
    // Why the edits cannot be applied, in the interface language, or empty.
    QString problem() const;
    // The merged evenings of today and the six days after it, then the notes about them.
    QStringList week() const;

    // Hands the settings over when they can be; false, with the note saying why, if not.
    bool apply();
    // What the last reload or apply said.
    const QString& note() const { return m_note; }

signals:
    // Anything shown may have changed.
    void changed();

private:
    void edited();
    std::optional<ScheduleLocation> place(QString* problem) const;

    const Language& m_language;
    const Clock& m_clock;
    QTimeZone m_zone;
    Current m_current;
    Apply m_apply;
    bool m_enabled = false;
    ScheduleRules m_rules;
    QString m_latitude;
    QString m_longitude;
    QString m_note;
};
