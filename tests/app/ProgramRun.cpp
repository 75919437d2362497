// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"

#include "app/TfmLogo.h"
#include "mainwindow/TfmMain.h"

#include <QApplication>
#include <QTimer>

ProgramRun::ProgramRun(SettingsStore& settings, int desktopWidth, int language)
    : store(settings)
    , editionLanguage(language) {
    desktop.setWidth(desktopWidth);
}

bool ProgramRun::run(const std::function<void(Program&)>& whileRunning,
                     const std::function<void(Program&)>& onSplash) {
    bool ended = true;
    {
        PlatformServices services = platform.services(&store);
        if (boxes)
            services.messages = boxes;
        services.boards = boards;
        Program program(
            state, services, static_cast<Language>(editionLanguage), signalSource,
            [this](const QString& form, bool created) { lifecycle.emplace_back(form, created); });
        TfmMain* main = program.windows().fmMain;
        QObject::connect(main, &TfmMain::presentationStarted, [this] { ++presentations; });

        bool splashHandled = false;
        bool mainHandled = false;
        QTimer watcher;
        watcher.setInterval(5);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (!splashHandled && program.windows().fmLogo->isVisible()) {
                splashHandled = true;
                if (onSplash)
                    onSplash(program);
                else
                    program.windows().fmLogo->close();
            }
            if (!mainHandled && main->isVisible()) {
                mainHandled = true;
                mainWindowShown = true;
                if (whileRunning)
                    whileRunning(program);
                main->close();
            }
        });
        watcher.start();
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [&] {
            ended = false;
            QApplication::quit();
        });
        deadline.start(10000);
        program.start();
        QApplication::exec();
    }
    return ended;
}
