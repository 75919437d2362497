// SPDX-License-Identifier: GPL-3.0-or-later
#include "daemon/config/ConfigSections.h"

std::vector<std::unique_ptr<ConfigSection>> configSections(SettingsStore& store) {
    std::vector<std::unique_ptr<ConfigSection>> sections;
    for (auto make : {languageSection, attractionSection, soundSection, ghostSection, webSection,
                      netServerSection, netClientSection, homeSection, scheduleSection})
        sections.push_back(make(store));
    return sections;
}
