// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Hands a document or a web address to whatever the user's desktop opens it with. Whether that
// worked is the desktop's business: the program reports nothing either way.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // `target` is a local file path or an absolute URL ("https://...").
    virtual void open(const QString& target) = 0;
};
