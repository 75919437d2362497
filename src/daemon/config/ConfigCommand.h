// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

class SettingsStore;

// Runs `config ...` (the arguments after the word "config"): `list`, `get KEY`, `set KEY VALUE`.
// Returns the exit code: 0 done; 2 bad usage, an unknown key or a value refused; 1 the store
// cannot be used, holds a value of the wrong type where the key lives, or refused a write.
// Results go to `out`, one error line starting "gloameryd: " to `err`. The caller holds the
// store's lock for a `set`.
int runConfigCommand(const QStringList& args, SettingsStore& store, QTextStream& out,
                     QTextStream& err);
