// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/ScheduleForm.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int BerlinCity = 6;

// Wednesday 9 December 2026, noon, as the fixed clock has it.
struct Form {
    explicit Form(const QString& rules = {}, Language shown = Language::English,
                  std::optional<ScheduleLocation> where = std::nullopt)
        : language(shown) {
        stored = {true, rules, where};
        form.reload();
    }

    Language language;
    FixedClock clock;
    ScheduleSettings stored;
    QList<ScheduleSettings> applied;
    QString refusal;
    ScheduleForm form{language, clock, QTimeZone("Europe/Berlin"), [this] { return stored; },
                      [this](const ScheduleSettings& settings) {
                          applied << settings;
                          return refusal;
                      }};
};

SchedulePlan plan(const char* text) {
    return ScheduleText::parse(QString::fromUtf8(text)).rules.value().plans.value(0);
}

struct EditCase {
    const char* what;
    std::function<void(ScheduleForm&)> edit;
    const char* text;
};

TEST(ScheduleForm, EditsMakeTheTextForm) {
    const EditCase cases[] = {
        {"a new evening", [](ScheduleForm& f) { f.addPlan(); }, "daily 19:00..23:00"},
        {"an evening edited",
         [](ScheduleForm& f) {
             f.setPlan(f.addPlan(), plan("fri,sat sunset-15..22:30 final-sound"));
         },
         "fri,sat sunset-15..22:30 final-sound"},
        {"two evenings, the first removed",
         [](ScheduleForm& f) {
             f.addPlan();
             f.setPlan(f.addPlan(), plan("10-24..10-31 dusk..sunrise open-door"));
             f.removePlan(0);
         },
         "10-24..10-31 dusk..sunrise open-door"},
        {"no such evening to remove or edit",
         [](ScheduleForm& f) {
             f.addPlan();
             f.removePlan(1);
             f.setPlan(-1, plan("mon 18:00..+60"));
         },
         "daily 19:00..23:00"},
        {"quiet hours after the evenings",
         [](ScheduleForm& f) {
             f.setQuiet(f.addQuiet(), {QTime(12, 30), QTime(13, 30)});
             f.setPlan(f.addPlan(), plan("sat 18:00..+120"));
         },
         "sat 18:00..+120; quiet 12:30..13:30"},
        {"quiet hours removed", [](ScheduleForm& f) { f.removeQuiet(f.addQuiet()); }, ""},
    };
    for (const EditCase& c : cases) {
        Form f;
        c.edit(f.form);
        EXPECT_EQ(f.form.text(), QString::fromUtf8(c.text)) << c.what;
    }
}

struct ShownCase {
    const char* rules;
    Language language;
    QStringList plans;
    QStringList quiet;
};

TEST(ScheduleForm, StoredTextIsShownInWordsAndKeptAsIs) {
    const ShownCase cases[] = {
        {"fri,sat sunset-15..22:30 final-sound; quiet 22:00..07:00",
         Language::English,
         {"Fri, Sat: sunset−15..22:30, final sound"},
         {"22:00–07:00"}},
        {"fri,sat sunset-15..22:30 final-sound; quiet 22:00..07:00",
         Language::Russian,
         {"пт, сб: закат−15..22:30, финальный звук"},
         {"22:00–07:00"}},
        {"10-24..10-31 dusk+30..+90 open-door; daily 19:00..sunrise",
         Language::English,
         {"24 Oct–31 Oct: dusk+30..90 min, open the door", "every day: 19:00..sunrise"},
         {}},
        {"10-24..10-31 dusk+30..+90 open-door; daily 19:00..sunrise",
         Language::Russian,
         {"24 окт.–31 окт.: сумерки+30..90 мин, открыть дверь", "ежедневно: 19:00..рассвет"},
         {}},
    };
    for (const ShownCase& c : cases) {
        const Form f(QString::fromUtf8(c.rules), c.language, ScheduleLocation{52.52, 13.4});
        EXPECT_EQ(f.form.planLines(), c.plans) << c.rules;
        EXPECT_EQ(f.form.quietLines(), c.quiet) << c.rules;
        EXPECT_EQ(f.form.text(), QString::fromUtf8(c.rules)) << c.rules;
        EXPECT_EQ(f.form.city(), BerlinCity) << c.rules;
        EXPECT_TRUE(f.form.note().isEmpty()) << c.rules;
    }
}

struct WeekCase {
    const char* rules;
    ScheduleLocation where;
    Language language;
    QStringList lines;
};

TEST(ScheduleForm, WeekShowsTheMergedEveningsAndWhyOneDoesNotRun) {
    const ScheduleLocation berlin{52.52, 13.4};
    const ScheduleLocation tromso{69.65, 18.96};
    const WeekCase cases[] = {
        {"wed,fri 19:00..23:00",
         berlin,
         Language::English,
         {"Wed 9 Dec 19:00–23:00", "Fri 11 Dec 19:00–23:00"}},
        {"wed,fri 19:00..23:00",
         berlin,
         Language::Russian,
         {"ср 9 дек. 19:00–23:00", "пт 11 дек. 19:00–23:00"}},
        {"wed 22:00..+180; wed 23:00..01:30",
         berlin,
         Language::English,
         {"Wed 9 Dec 22:00–01:30", "Wed 9 Dec: evenings 1 and 2 overlap and run as one"}},
        {"wed 22:00..+180; wed 23:00..01:30",
         berlin,
         Language::Russian,
         {"ср 9 дек. 22:00–01:30", "ср 9 дек.: вечера 1 и 2 пересекаются и идут как один"}},
        {"thu 20:00..+1440", berlin, Language::English, {"Thu 10 Dec 20:00–Fri 11 Dec 20:00"}},
        {"wed sunset..23:00",
         tromso,
         Language::English,
         {"Wed 9 Dec: evening 1 does not run, the sun does not rise"}},
        {"wed sunset..23:00",
         tromso,
         Language::Russian,
         {"ср 9 дек.: вечер 1 не идёт, солнце не восходит"}},
        {"10-24..10-31 19:00..20:00", berlin, Language::English, {"Nothing planned"}},
    };
    for (const WeekCase& c : cases) {
        const Form f(QString::fromUtf8(c.rules), c.language, c.where);
        EXPECT_EQ(f.form.week(), c.lines) << c.rules;
    }
}

struct ProblemCase {
    const char* what;
    std::function<void(ScheduleForm&)> edit;
    const char* english; // empty: none
    const char* russian;
};

TEST(ScheduleForm, RefusesWhatCannotBeKeptInBothLanguages) {
    const auto typed = [](const char* latitude, const char* longitude) {
        return [=](ScheduleForm& f) {
            f.setPlan(f.addPlan(), plan("fri sunset..23:00"));
            f.typeCoordinates(QString::fromUtf8(latitude), QString::fromUtf8(longitude));
        };
    };
    const ProblemCase cases[] = {
        {"a place typed with commas", typed("52,52", " 13,4 "), "", ""},
        {"no days",
         [](ScheduleForm& f) {
             SchedulePlan none = plan("mon 18:00..20:00");
             none.days = ScheduleDays::weekdays(0);
             f.addPlan();
             f.setPlan(f.addPlan(), none);
         },
         "evening 2 has no days chosen", "у вечера 2 не выбраны дни"},
        {"the sun without a place", typed("", ""),
         "evening 1 follows the sun: choose a city or type the coordinates",
         "вечер 1 зависит от солнца: выберите город или введите координаты"},
        {"half a place", typed("52.5", ""), "type both the latitude and the longitude",
         "введите и широту, и долготу"},
        {"not a number", typed("52.5", "east"), "\"east\" is not a number of degrees",
         "«east» - не число градусов"},
        {"out of range", typed("95", "13"), "latitude must be between -90 and 90 degrees",
         "широта должна быть от -90 до 90 градусов"},
        {"no such date",
         [](ScheduleForm& f) {
             SchedulePlan leap = plan("02-29 19:00..23:00");
             leap.days = ScheduleDays::stretch(2, 30, 3, 1);
             f.setPlan(f.addPlan(), leap);
         },
         "entry 1 \"02-30..03-01 19:00..23:00\": 02-30 is not a date",
         "запись 1 «02-30..03-01 19:00..23:00»: даты 02-30 нет в календаре"},
        {"empty quiet hours",
         [](ScheduleForm& f) {
             f.setQuiet(f.addQuiet(), {QTime(12, 0), QTime(12, 0)});
         },
         "entry 1 \"quiet 12:00..12:00\": quiet hours from 12:00 to 12:00 are empty",
         "запись 1 «quiet 12:00..12:00»: тихие часы с 12:00 до 12:00 пусты"},
    };
    for (const ProblemCase& c : cases) {
        for (const Language language : {Language::English, Language::Russian}) {
            Form f({}, language);
            c.edit(f.form);
            const char* expected = language == Language::English ? c.english : c.russian;
            EXPECT_EQ(f.form.problem(), QString::fromUtf8(expected)) << c.what;
            // A refused schedule has no week to show and is not handed over.
            EXPECT_EQ(f.form.week().isEmpty(), *expected != 0) << c.what;
            EXPECT_EQ(f.form.apply(), *expected == 0) << c.what;
            EXPECT_EQ(f.applied.size(), *expected == 0 ? 1 : 0) << c.what;
        }
    }
}

struct ApplyCase {
    const char* what;
    QString refusal;
    Language language;
    bool taken;
    const char* note;
};

TEST(ScheduleForm, ApplyHandsOverTheSettingsAndSaysWhatCameOfIt) {
    const ApplyCase cases[] = {
        {"taken", {}, Language::English, true, "Schedule applied"},
        {"taken, Russian", {}, Language::Russian, true, "Расписание применено"},
        {"refused", QStringLiteral("the store is read-only"), Language::English, false,
         "the store is read-only"},
    };
    for (const ApplyCase& c : cases) {
        Form f(QStringLiteral("sat 18:00..+120"), c.language);
        f.refusal = c.refusal;
        f.form.setEnabled(false);
        f.form.chooseCity(BerlinCity);
        f.form.setQuiet(f.form.addQuiet(), {QTime(12, 30), QTime(13, 30)});
        EXPECT_EQ(f.form.apply(), c.taken) << c.what;
        ASSERT_EQ(f.applied.size(), 1) << c.what;
        EXPECT_EQ(f.applied[0], (ScheduleSettings{false, "sat 18:00..+120; quiet 12:30..13:30",
                                                  ScheduleLocation{52.52, 13.4}}))
            << c.what;
        EXPECT_EQ(f.form.note(), QString::fromUtf8(c.note)) << c.what;
        // The note told of what was applied; an edit makes it stale.
        f.form.addPlan();
        EXPECT_TRUE(f.form.note().isEmpty()) << c.what;
    }
}

TEST(ScheduleForm, UnreadableStoredTextLeavesNoPlansAndSaysWhy) {
    const struct {
        Language language;
        const char* note;
    } cases[] = {
        {Language::English, "the stored schedule was not read: entry 1 \"mon 25:00..+5\": 25:00 "
                            "is not a time of day"},
        // A reason without a Russian wording stays in English.
        {Language::Russian, "сохранённое расписание не прочитано: запись 1 «mon 25:00..+5»: "
                            "25:00 is not a time of day"},
    };
    for (const auto& c : cases) {
        const Form f(QStringLiteral("mon 25:00..+5"), c.language);
        EXPECT_TRUE(f.form.plans().isEmpty());
        EXPECT_TRUE(f.form.enabled());
        EXPECT_EQ(f.form.note(), QString::fromUtf8(c.note));
    }
}

TEST(ScheduleForm, CitiesAreNamedInTheInterfaceLanguage) {
    const struct {
        Language language;
        const char* berlin;
    } cases[] = {{Language::English, "Berlin"}, {Language::Russian, "Берлин"}};
    for (const auto& c : cases) {
        Form f({}, c.language);
        EXPECT_EQ(f.form.city(), -1);
        f.form.chooseCity(BerlinCity);
        EXPECT_EQ(f.form.cityNames().value(f.form.city()), QString::fromUtf8(c.berlin));
        EXPECT_EQ(f.form.latitudeText(), "52.52");
        EXPECT_EQ(f.form.longitudeText(), "13.4");
    }
}

} // namespace
