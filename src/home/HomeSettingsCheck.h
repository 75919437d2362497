// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "home/HomeSettings.h"

#include <QString>

#include <optional>

// One value of HomeSettings, as the window's controls and `config`'s keys name them.
enum class HomeField {
    Enabled,
    Host,
    Port,
    User,
    Password,
    Tls,
    CaFile,
    NodeId,
    BaseTopic,
    DiscoveryPrefix,
};

// What the window and `gloameryd config` both refuse, worded in the language asked for. A
// message is one line starting in lower case, so it can follow a key's name or a prefix.
namespace HomeSettingsCheck {

// Why `field` may not take the value it has in `settings`, or empty. A value is judged with the
// others it depends on: TLS with the CA file, turning the link on with every value.
QString problem(const HomeSettings& settings, HomeField field, Language language);
// The first problem of any value that the link would use.
QString firstProblem(const HomeSettings& settings, Language language);

// A port typed as text, read "as an integer"; none when it is no port.
std::optional<int> portFromText(const QString& text);
QString portTextProblem(const QString& text, Language language);

} // namespace HomeSettingsCheck
