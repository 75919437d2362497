// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/server/PageRequest.h"

#include <QByteArray>
#include <QString>

// What answers the management page. The server calls it on the thread that owns the server
// (the UI thread in the program), never on its own, so the answer may touch program state.
class PageHandler {
public:
    virtual ~PageHandler() = default;

    // The page's name, as the address ends: "manage" for "/manage". Asked at each start; the
    // page keeps that name until the server stops.
    virtual QString pageName() const = 0;
    // The whole HTTP reply to one request for the page.
    virtual QByteArray answer(const PageRequest& request) = 0;
};
