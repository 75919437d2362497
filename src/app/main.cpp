// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"
#include "app/Program.h"
#include "app/ShutdownSignals.h"
#include "app/SplashStandIn.h"
#include "app/StoreRefusal.h"
#include "app/TfmLogo.h"
#include "core/Clock.h"
#include "core/CommandLineAnswer.h"
#include "core/DesktopShell.h"
#include "core/Edition.h"
#include "core/LoopLagProbe.h"
#include "core/PointerSource.h"
#include "core/ProgramState.h"
#include "core/RandomSource.h"
#include "core/SettingsStore.h"
#include "core/StoreLock.h"
#include "core/TimerFdAlarm.h"
#include "device/SystemHidBackends.h"
#include "home/MosquittoConnection.h"
#include "sound/AlsaMixerDevice.h"
#include "sound/LoadedSoundPlayer.h"
#include "widgetkit/KeyToggleTracker.h"
#include "widgetkit/ProgramIcon.h"
#include "widgetkit/QtPlatform.h"

#include <QApplication>

#include <cstdio>
#include <memory>

#ifndef GLOAMERY_EDITION_LANGUAGE
#error "GLOAMERY_EDITION_LANGUAGE selects the edition: 0 English, 1 Russian"
#endif
#ifndef GLOAMERY_VERSION
#error "GLOAMERY_VERSION names the project's version"
#endif

namespace {

// Past the splash and the main window's first show, which are start-up, not the evening.
constexpr int LoopProbeStartMs = 10000;

QString environment(const char* name) {
    return qEnvironmentVariable(name);
}

} // namespace

int main(int argc, char** argv) {
    const auto edition = static_cast<Language>(GLOAMERY_EDITION_LANGUAGE);
    // Answered before anything starts: a user asking for help may have no display at all.
    const CommandLineAnswer answer = CommandLineAnswer::of(programArguments(argc, argv), edition,
                                                           QStringLiteral(GLOAMERY_VERSION));
    if (answer.kind() != CommandLineAnswer::Kind::Run) {
        std::fputs(answer.text().toLocal8Bit().constData(),
                   answer.kind() == CommandLineAnswer::Kind::Refused ? stderr : stdout);
        return answer.exitCode();
    }
    // A signal while the libraries start waits for the program to hear it, below.
    HeldSignals held = ShutdownSignals::holdUntilListening();
    const QString platform = DisplayCheck::preferredPlatform(environment);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toUtf8());
    const QString problem = DisplayCheck::problem(environment, DisplayCheck::localDisplayReachable,
                                                  DisplayCheck::qtPluginsPath());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return 1;
    }

    QApplication app(argc, argv);
    if (const QString note = DisplayCheck::platformNote(QGuiApplication::platformName());
        !note.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(note));
    QApplication::setApplicationName(QStringLiteral("Gloamery"));
    QApplication::setApplicationVersion(QStringLiteral(GLOAMERY_VERSION));
    // Lets the desktop match the windows to the edition's menu entry and its icon.
    QGuiApplication::setDesktopFileName(editionName(edition));
    // Only the main window's close ends the program; the splash and dialogs come and go.
    QApplication::setQuitOnLastWindowClosed(false);

    // Beside the program without windows on the same settings, each would overwrite at its end
    // what the other saved: this one leaves first, having loaded and saved nothing. Held to the
    // end.
    const QString storePath = SettingsStore::defaultPath();
    const StoreLock storeLock = StoreLock::take(storePath, StoreLock::Mode::Shared);
    if (const QString refusal = storeRefusal(storeLock.outcome(), storeLock.reason(), edition);
        !refusal.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(refusal));
        QtMessageBoxes().showError(refusal);
        return 1;
    }
    SettingsStore store(storePath);
    QtMessageBoxes messages;
    ScreenDesktop desktop;
    // The splash's look, up before the rest loads; a store that cannot be used is told first.
    std::unique_ptr<SplashStandIn> standIn;
    if (store.isAvailable()) {
        standIn = std::make_unique<SplashStandIn>();
        standIn->showAt(desktop.availableArea());
    }
    QApplication::setWindowIcon(ProgramIcon::load());
    KeyToggleTracker deleteKey(Qt::Key_Delete);
    app.installEventFilter(&deleteKey);
    SystemClock clock;
    ClockSeededRandom random(clock);
    AlsaMixerDevice mixer; // first: it quiets ALSA's own messages, which SDL would print too
    LoadedSoundPlayer player;
    CursorPointerSource pointer;
    DesktopServicesShell shell;
    SystemHidBackends boards(environment("GLOAMERY_BOARDS"));
    const PlatformServices platformServices{.store = &store,
                                            .messages = &messages,
                                            .desktop = &desktop,
                                            .deleteKey = &deleteKey,
                                            .clock = &clock,
                                            .random = &random,
                                            .player = &player,
                                            .mixer = &mixer,
                                            .pointer = &pointer,
                                            .shell = &shell,
                                            .boards = &boards,
                                            .mqtt = makeMosquittoConnection,
                                            .alarm = [] {
                                                return std::make_unique<TimerFdAlarm>();
                                            }};

    // Caught from here on; the program listens before its first window loads, and a signal that
    // comes before that waits for it.
    ShutdownSignals signalSource;
    held.release();
    ProgramState state;
    int exitCode = 0;
    std::unique_ptr<LoopLagProbe> loopProbe;
    if (const QString report = environment("GLOAMERY_LOOP_PROBE"); !report.isEmpty())
        loopProbe = std::make_unique<LoopLagProbe>(report, LoopProbeStartMs);
    {
        Program program(state, platformServices, edition, &signalSource);
        if (standIn)
            program.windows().fmLogo->setStandIn(std::move(standIn));
        program.start();
        exitCode = QApplication::exec();
    }
    return exitCode;
}
