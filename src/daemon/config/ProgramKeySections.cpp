// SPDX-License-Identifier: GPL-3.0-or-later
// The values kept directly in the program key, each section saved by its owner's store code.
#include "core/DaemonLanguage.h"
#include "daemon/config/ConfigSections.h"
#include "daemon/config/ConfigValues.h"
#include "daemon/config/FirstStoreMessage.h"
#include "daemon/config/ModelSection.h"
#include "ghosts/AttractionOptionsStore.h"
#include "sound/MixerScale.h"
#include "sound/ValueMaxStore.h"

using namespace ConfigValues;

namespace {

constexpr Choice Languages[] = {{0, "en"}, {1, "ru"}};
constexpr Choice Durations[] = {{0, "15"}, {1, "30"}, {2, "60"}, {3, "unlimited"}};

} // namespace

std::unique_ptr<ConfigSection> languageSection(SettingsStore& store) {
    return makeModelSection<qint32>(
        [&store](qint32& language) {
            FirstStoreMessage message;
            language = static_cast<qint32>(DaemonLanguage::load(&store, &message));
            return message.message();
        },
        [&store](const qint32& language) {
            FirstStoreMessage message;
            DaemonLanguage::save(&store, &message, static_cast<Language>(language));
            return message.message();
        },
        [](qint32& language) {
            return std::vector<ConfigKey>{
                choiceKey(QStringLiteral("language"), language, Languages)};
        });
}

std::unique_ptr<ConfigSection> attractionSection(SettingsStore& store) {
    return makeModelSection<AttractionOptions>(
        [&store](AttractionOptions& options) {
            FirstStoreMessage message;
            options = AttractionOptionsStore(&store, &message).load();
            return message.message();
        },
        [&store](const AttractionOptions& options) {
            FirstStoreMessage message;
            AttractionOptionsStore(&store, &message).save(options);
            return message.message();
        },
        [](AttractionOptions& options) {
            return std::vector<ConfigKey>{
                choiceKey(QStringLiteral("attraction.duration"), options.Attraction_Time,
                          Durations),
                boolKey(QStringLiteral("attraction.open-door"), options.Attraction_Over_1),
                boolKey(QStringLiteral("attraction.final-sound"), options.Attraction_Over_2),
                boolKey(QStringLiteral("attraction.start-on-launch"),
                        options.Attraction_Autostart)};
        });
}

std::unique_ptr<ConfigSection> soundSection(SettingsStore& store) {
    return makeModelSection<qint32>(
        [&store](qint32& valueMax) {
            FirstStoreMessage message;
            valueMax = ValueMaxStore(&store, &message).load();
            return message.message();
        },
        [&store](const qint32& valueMax) {
            FirstStoreMessage message;
            ValueMaxStore(&store, &message).save(valueMax);
            return message.message();
        },
        [](qint32& valueMax) {
            return std::vector<ConfigKey>{integerKey(QStringLiteral("sound.volume-max"), valueMax,
                                                     LowestValueMax, HighestValueMax)};
        });
}
