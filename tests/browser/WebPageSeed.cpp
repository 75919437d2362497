// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a settings store in which the web access server starts with the program and a phone
// account may switch some ghosts, so that a browser can be pointed at the real program.
//   web_page_seed <settings.db> <port>
#include "core/SettingsStore.h"
#include "ghosts/GhostTableStore.h"
#include "web/WebAccessSettings.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

struct Ghost {
    const char* name;
    int regime; // not 0: the ghost is on after start-up
};

// Names a person would give, one long enough to wrap on a phone.
const Ghost Ghosts[] = {{"Grumbler", 1},
                        {"Nanny Moth", 0},
                        {"Old Hob", 2},
                        {"Whisper", 0},
                        {"Doorkeeper", 1},
                        {"Creak & Squeak", 0},
                        {"Lady of the Landing", 5},
                        {"Pip", 0}};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: web_page_seed <settings.db> <port>\n");
        return 2;
    }
    SettingsStore store(QString::fromLocal8Bit(argv[1]));
    auto web = store.openKey(WebAccessStore::KeyPath, true);
    if (!web)
        return 1;
    web->writeString(QStringLiteral("Port"), QString::fromLatin1(argv[2]));
    web->writeString(QStringLiteral("Page"), QStringLiteral("manage"));
    web->writeString(QStringLiteral("User_Login"), QStringLiteral("phone"));
    web->writeString(QStringLiteral("User_Pass"), QStringLiteral("ghosts4u"));
    web->writeBool(QStringLiteral("Web_Autoconnect"), true);
    web->writeBool(QStringLiteral("User_OK"), true);
    web->writeBool(QStringLiteral("Admin_OK"), false);
    // Every switch but ghost 8's: the page shows one ghost without a switch.
    for (int ghost = 1; ghost <= 8; ++ghost)
        web->writeBool(QStringLiteral("Web_User_%1").arg(ghost, 2, 10, QChar(u'0')), ghost != 8);
    web->writeBool(QStringLiteral("Web_User_50"), true);
    web->close();

    auto ghosts = store.openKey(QString::fromLatin1(GhostTableStore::KeyPath), true);
    if (!ghosts)
        return 1;
    for (int n = 1; n <= 8; ++n) {
        const Ghost& ghost = Ghosts[n - 1];
        ghosts->writeString(QStringLiteral("Ghost_%1_Name").arg(n), QString::fromUtf8(ghost.name));
        ghosts->writeInteger(QStringLiteral("Ghost_%1_Regime").arg(n), ghost.regime);
    }
    ghosts->close();
    return 0;
}
