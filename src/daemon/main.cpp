// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShutdownSignals.h"
#include "core/Clock.h"
#include "core/CommandLineAnswer.h"
#include "core/LogCategories.h"
#include "core/ProgramState.h"
#include "core/RandomSource.h"
#include "core/SettingsStore.h"
#include "core/StoreLock.h"
#include "core/TimerFdAlarm.h"
#include "daemon/Daemon.h"
#include "daemon/DaemonCommandLine.h"
#include "daemon/LoggedMessages.h"
#include "daemon/ServiceManager.h"
#include "daemon/config/ConfigCommand.h"
#include "device/SystemHidBackends.h"
#include "home/MosquittoConnection.h"
#include "sound/AlsaMixerDevice.h"
#include "sound/LoadedSoundPlayer.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>
#include <optional>

#ifndef GLOAMERY_VERSION
#error "GLOAMERY_VERSION names the project's version"
#endif

namespace {

int refuse(const QString& line) {
    std::fprintf(stderr, "gloameryd: %s\n", qPrintable(line));
    return 1;
}

// One line saying why this store cannot be ours, or empty.
QString lockRefusal(const StoreLock& lock, const QString& storePath) {
    switch (lock.outcome()) {
    case StoreLock::Outcome::Held:
        return {};
    case StoreLock::Outcome::TakenByOther:
        return QStringLiteral("the settings %1 are in use by %2; stop it first")
            .arg(storePath, lock.reason());
    case StoreLock::Outcome::Unusable:
        break;
    }
    return QStringLiteral("cannot use the settings %1: %2").arg(storePath, lock.reason());
}

// A change takes the store alone, as the daemon does: a program running on it would overwrite
// the change with what it saves at its end. Reading needs no lock.
int runConfig(int argc, char** argv, const QStringList& arguments) {
    QCoreApplication app(argc, argv);
    // Its own error line says what is wrong; the services' loading would tell it a second time.
    QLoggingCategory::setFilterRules(QStringLiteral("gloamery.*=false"));
    const QString storePath = SettingsStore::defaultPath();
    std::optional<StoreLock> lock;
    if (arguments.value(0) == QLatin1String("set")) {
        lock = StoreLock::take(storePath, StoreLock::Mode::Exclusive);
        if (const QString refusal = lockRefusal(*lock, storePath); !refusal.isEmpty())
            return refuse(refusal);
    }
    SettingsStore store(storePath);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runConfigCommand(arguments, store, out, err);
}

int runHouse(int argc, char** argv, bool startAttraction) {
    // A signal while the libraries start waits for the program to hear it.
    HeldSignals held = ShutdownSignals::holdUntilListening();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gloameryd"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLOAMERY_VERSION));

    const QString storePath = SettingsStore::defaultPath();
    const StoreLock lock = StoreLock::take(storePath, StoreLock::Mode::Exclusive);
    if (const QString refusal = lockRefusal(lock, storePath); !refusal.isEmpty())
        return refuse(refusal);
    SettingsStore store(storePath);
    if (!store.isAvailable())
        return refuse(
            QStringLiteral("cannot use the settings %1: %2").arg(storePath, store.lastError()));

    // A service's log is all a person sees of it: the acts and the servers' state show, unless
    // QT_LOGGING_RULES says otherwise.
    QLoggingCategory::setFilterRules(QStringLiteral("gloamery.*.info=true"));
    LoggedMessages messages;
    SystemClock clock;
    ClockSeededRandom random(clock);
    AlsaMixerDevice mixer; // first: it quiets ALSA's own messages, which SDL would print too
    LoadedSoundPlayer player;
    SystemHidBackends boards(qEnvironmentVariable("GLOAMERY_BOARDS"));
    const PlatformServices platform{.store = &store,
                                    .messages = &messages,
                                    .clock = &clock,
                                    .random = &random,
                                    .player = &player,
                                    .mixer = &mixer,
                                    .boards = &boards,
                                    .mqtt = makeMosquittoConnection,
                                    .alarm = [] {
                                        return std::make_unique<TimerFdAlarm>();
                                    }};

    ShutdownSignals signalSource;
    QObject::connect(
        &signalSource, &ShutdownSignals::shutdownRequested, &app,
        [](int signalNumber) {
            qCInfo(lcApp) << "ending on signal" << signalNumber;
            ServiceManager::stopping();
            QCoreApplication::quit();
        },
        Qt::QueuedConnection);
    held.release();
    ProgramState state;
    int exitCode = 0;
    {
        Daemon daemon(state, platform);
        daemon.start(startAttraction);
        ServiceManager::ready();
        exitCode = QCoreApplication::exec();
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    const DaemonCommandLine command =
        DaemonCommandLine::of(programArguments(argc, argv), QStringLiteral(GLOAMERY_VERSION));
    switch (command.kind()) {
    case DaemonCommandLine::Kind::Help:
    case DaemonCommandLine::Kind::Version:
        std::fputs(command.text().toLocal8Bit().constData(), stdout);
        return 0;
    case DaemonCommandLine::Kind::Refused:
        std::fputs(command.text().toLocal8Bit().constData(), stderr);
        return 2;
    case DaemonCommandLine::Kind::Config:
        return runConfig(argc, argv, command.configArguments());
    case DaemonCommandLine::Kind::Run:
        break;
    }
    return runHouse(argc, argv, command.startAttraction());
}
