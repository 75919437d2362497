// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CurrentAct.h"
#include "core/ProgramState.h"
#include "ghosts/GhostTable.h"
#include "language/TfmHelp.h"
#include "mainwindow/TfmMain.h"
#include "support/FakeDesktop.h"
#include "support/FakePlatform.h"
#include "support/FakePointer.h"
#include "support/GhostServices.h"
#include "support/RecordingSoundOutput.h"

#include <QLabel>

#include <string>
#include <vector>

// The main window shown at (240, 10) on a 1280-pixel desktop, with a scriptable pointer.
struct MainWindowFixture {
    ProgramState state;
    FakePointer pointer;
    FakeDesktop desktop{1280};
    RecordingSoundOutput sound;
    FakePlatform fakes;
    PlatformServices platform = [this] {
        PlatformServices p = fakes.services();
        p.pointer = &pointer;
        p.desktop = &desktop;
        return p;
    }();
    GhostServices services{state, platform, &sound};
    GhostTable& table = services.ghosts.table();
    CurrentAct& act = services.ghosts.currentAct();
    TfmMain main{state, platform, services.attraction, services.ghosts};
    TfmHelp help{state};

    MainWindowFixture() {
        help.addLanguageTarget(&main);
        help.ApplyLanguage();
        main.placeOnDesktop(desktop.availableArea());
        main.PlaceMainControls();
        main.RefreshQuickPanels();
        main.show();
        main.findChild<QTimer*>(QStringLiteral("Timer_Work"))
            ->stop(); // ticks are driven by the tests
    }

    // Places the pointer at window coordinates and runs one tick.
    void pointAt(int x, int y) {
        pointer.position = main.mapToGlobal(QPoint(x, y));
        main.TrackPointer();
    }
    QLabel* label(const QString& name) const { return main.findChild<QLabel*>(name); }
    QWidget* widget(const QString& name) const { return main.findChild<QWidget*>(name); }
};
