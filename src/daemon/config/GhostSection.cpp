// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/FirstStoreMessage.h"
#include "daemon/config/ModelSection.h"
#include "ghosts/GhostShowRules.h"
#include "ghosts/GhostTable.h"
#include "ghosts/GhostTableStore.h"

using namespace ConfigValues;

namespace {

constexpr Choice Regimes[] = {{0, "never"},   {1, "any-time"}, {2, "night"},
                              {3, "daytime"}, {4, "pre-set"},  {5, "random"}};
constexpr Choice Specialties[] = {{0, "none"},    {1, "doorman"}, {2, "electrician"},
                                  {3, "plumber"}, {4, "postman"}, {5, "pedestrian"}};
// The first temper as the quick panels step it; the dialog offers the first two.
constexpr Choice Tempers[] = {{0, "kind"}, {1, "evil"},     {2, "merry"},
                              {3, "sad"},  {4, "taciturn"}, {5, "talkative"}};
constexpr Choice Moods[] = {{0, "merry"}, {1, "sad"}};
constexpr Choice Voices[] = {{0, "low"}, {1, "loud"}};
constexpr Choice Speech[] = {{0, "taciturn"}, {1, "talkative"}};
constexpr qint32 LastHour = 23;
constexpr qint32 LastSensor = 2;

// The sensors the dialog offers for the ghost's specialty: 1 and 2, or only 1 for a pedestrian.
ConfigKey sensorKey(const QString& name, GhostSettings& ghost) {
    ConfigKey key = integerKey(name, ghost.Special_Dop_1, 0, LastSensor);
    key.set = [&ghost, byRange = key.set](const QString& text) -> QString {
        const qint32 before = ghost.Special_Dop_1;
        if (QString refusal = byRange(text); !refusal.isEmpty())
            return refusal;
        const qint32 last = GhostShowRules::wrapSensor(ghost.Special, LastSensor) == LastSensor
                                ? LastSensor
                                : LastSensor - 1;
        if (ghost.Special_Dop_1 > last) {
            ghost.Special_Dop_1 = before;
            return outOfRange(text, 0, last);
        }
        return {};
    };
    return key;
}

void addGhostKeys(std::vector<ConfigKey>& keys, int n, GhostSettings& ghost) {
    const auto name = [n](const char* setting) {
        return QStringLiteral("ghost.%1.%2").arg(n).arg(QLatin1String(setting));
    };
    const auto nameFits = [](const QString& text) -> QString {
        if (text.size() <= GhostSettings::NameTypedLength)
            return {};
        return QStringLiteral("'%1' is longer than %2 characters")
            .arg(text)
            .arg(GhostSettings::NameTypedLength);
    };
    const std::span<const Choice> tempers(
        Tempers, static_cast<size_t>(GhostShowRules::temperMaximum(n) + 1));
    keys.push_back(textKey(name("name"), ghost.Name, nameFits));
    keys.push_back(boolKey(name("on"), ghost.ON));
    keys.push_back(choiceKey(name("temper"), ghost.Nrav_1, tempers));
    keys.push_back(choiceKey(name("mood"), ghost.Nrav_2, Moods));
    keys.push_back(choiceKey(name("voice"), ghost.Nrav_3, Voices));
    keys.push_back(choiceKey(name("speech"), ghost.Nrav_4, Speech));
    keys.push_back(choiceKey(name("regime"), ghost.Regime, Regimes));
    keys.push_back(choiceKey(name("specialty"), ghost.Special, Specialties));
    keys.push_back(integerKey(name("from-hour"), ghost.Regime_Dop_1, 0, LastHour));
    keys.push_back(integerKey(name("to-hour"), ghost.Regime_Dop_1a, 0, LastHour));
    keys.push_back(sensorKey(name("sensor"), ghost));
}

} // namespace

std::unique_ptr<ConfigSection> ghostSection(SettingsStore& store) {
    return makeModelSection<GhostTable>(
        [&store](GhostTable& table) {
            FirstStoreMessage message;
            GhostTableStore(&store, &message).load(table);
            return message.message();
        },
        [&store](const GhostTable& table) {
            FirstStoreMessage message;
            GhostTableStore(&store, &message).save(table);
            return message.message();
        },
        [](GhostTable& table) {
            std::vector<ConfigKey> keys;
            for (int n = 1; n <= GhostTable::GhostCount; ++n)
                addGhostKeys(keys, n, table[n]);
            return keys;
        });
}
