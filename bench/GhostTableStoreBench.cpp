// SPDX-License-Identifier: GPL-3.0-or-later
// How long the ghost table takes to reach the disk and come back: it is saved at every orderly end
// of the program and loaded at every start, so both must stay well under a blink.
#include "core/SettingsStore.h"
#include "ghosts/GhostTable.h"
#include "ghosts/GhostTableStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

GhostTable sampleTable() {
    GhostTable table;
    for (int n = 1; n <= GhostTable::GhostCount; ++n) {
        table[n].Name = QStringLiteral("Призрак %1").arg(n);
        table[n].Regime = n % 6;
        table[n].Special = (n + 1) % 6;
    }
    return table;
}

void SaveGhostTable(benchmark::State& state) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.db")));
    const GhostTable table = sampleTable();
    const GhostTableStore ghosts(&store, nullptr);
    for (auto _ : state)
        ghosts.save(table);
}
BENCHMARK(SaveGhostTable)->Unit(benchmark::kMillisecond);

void LoadGhostTable(benchmark::State& state) {
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("settings.db")));
    const GhostTableStore ghosts(&store, nullptr);
    ghosts.save(sampleTable());
    GhostTable table;
    for (auto _ : state) {
        ghosts.load(table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(LoadGhostTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
