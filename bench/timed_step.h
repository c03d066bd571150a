#pragma once
// A table step timed as the window runs it: on a fresh copy of the board
// (not timed), then its undo step recorded.

#include <benchmark/benchmark.h>

#include "app/history.h"
#include "core/workspace.h"

namespace brisel::bench {

inline void timeStep(benchmark::State& state, Operation step, const Controls& controls,
                     const Workspace& (*board)()) {
  Progress quiet;
  for (auto _ : state) {
    state.PauseTiming();
    Workspace workspace = board();
    History history(workspace);
    state.ResumeTiming();
    benchmark::DoNotOptimize(step(workspace, controls, quiet));
    benchmark::DoNotOptimize(history.record(workspace));
  }
}

}  // namespace brisel::bench
