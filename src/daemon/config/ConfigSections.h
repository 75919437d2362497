// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "daemon/config/ConfigSection.h"

#include <memory>
#include <vector>

class SettingsStore;

// Every section `config` knows, in the order `list` shows them. A feature with settings of its
// own adds its section here.
std::vector<std::unique_ptr<ConfigSection>> configSections(SettingsStore& store);

std::unique_ptr<ConfigSection> languageSection(SettingsStore& store);
std::unique_ptr<ConfigSection> attractionSection(SettingsStore& store);
std::unique_ptr<ConfigSection> soundSection(SettingsStore& store);
std::unique_ptr<ConfigSection> ghostSection(SettingsStore& store);
std::unique_ptr<ConfigSection> webSection(SettingsStore& store);
std::unique_ptr<ConfigSection> netServerSection(SettingsStore& store);
std::unique_ptr<ConfigSection> netClientSection(SettingsStore& store);
std::unique_ptr<ConfigSection> homeSection(SettingsStore& store);
std::unique_ptr<ConfigSection> scheduleSection(SettingsStore& store);
