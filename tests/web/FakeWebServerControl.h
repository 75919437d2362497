// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "web/WebServerControl.h"

#include <vector>

// Records each start and stop; a test sets what the next ones answer.
class FakeWebServerControl : public WebServerControl {
public:
    QString start(quint16 port) override {
        starts.push_back(port);
        listening = startFailure.isEmpty();
        return startFailure;
    }
    QString stop() override {
        ++stops;
        listening = false;
        return stopFailure;
    }
    bool isListening() const override { return listening; }
    void setPageHandler(PageHandler* handler) override { page = handler; }

    std::vector<quint16> starts;
    int stops = 0;
    bool listening = false;
    PageHandler* page = nullptr;
    QString startFailure;
    QString stopFailure;
};
