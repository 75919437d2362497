// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "daemon/config/ConfigSection.h"

#include <functional>
#include <memory>

// A section whose values the owner's store code loads into one record and saves from it.
template <typename Model>
class ModelSection : public ConfigSection {
public:
    // Each returns empty, or the store's message.
    using Load = std::function<QString(Model&)>;
    using Save = std::function<QString(const Model&)>;
    // The keys read and change the record they are given, which lives as long as the section.
    using Keys = std::function<std::vector<ConfigKey>(Model&)>;

    ModelSection(Load load, Save save, Keys keys)
        : m_load(std::move(load))
        , m_save(std::move(save))
        , m_keys(std::move(keys)) {}

    QString load() override { return m_load(m_model); }
    QString save() override { return m_save(m_model); }
    std::vector<ConfigKey> keys() override { return m_keys(m_model); }

private:
    Load m_load;
    Save m_save;
    Keys m_keys;
    Model m_model{};
};

template <typename Model>
std::unique_ptr<ConfigSection> makeModelSection(typename ModelSection<Model>::Load load,
                                                typename ModelSection<Model>::Save save,
                                                typename ModelSection<Model>::Keys keys) {
    return std::make_unique<ModelSection<Model>>(std::move(load), std::move(save), std::move(keys));
}
