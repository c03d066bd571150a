// Undo and redo on a board of 65,535 components: the history after the origin
// moved (every X and Y rewritten) and after a sort (every row moved), and
// the record that follows an operation.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <optional>

#include "app/buttons.h"
#include "app/history.h"
#include "bench/board.h"
#include "bench/board_table.h"
#include "core/numbers.h"
#include "core/platform.h"
#include "core/text.h"

namespace {

using namespace brisel;

constexpr int kComponents = 65535;

Workspace boardWorkspace() {
  Workspace w = bench::boardWorkspace(kComponents);
  w.BU_FootPrintEnabled = true;
  return w;
}

Controls middleCursor(int column) {
  Controls controls;
  controls.Row = kComponents / 2;
  controls.Col = column;
  return controls;
}

// One step of `operation` in the history, then undo (or redo) timed alone.
void timeRecall(benchmark::State& state, Operation operation, const Controls& controls,
                bool forward) {
  Workspace workspace = boardWorkspace();
  History history(workspace);
  Progress quiet;
  operation(workspace, controls, quiet);
  history.record(workspace);
  for (auto _ : state) {
    if (forward) {
      state.PauseTiming();
      history.undo(workspace);
      state.ResumeTiming();
      benchmark::DoNotOptimize(history.redo(workspace));
    } else {
      benchmark::DoNotOptimize(history.undo(workspace));
      state.PauseTiming();
      history.redo(workspace);
      state.ResumeTiming();
    }
  }
}

void BM_UndoReference(benchmark::State& state) {
  timeRecall(state, setReference, middleCursor(1), false);
}
void BM_RedoReference(benchmark::State& state) {
  timeRecall(state, setReference, middleCursor(1), true);
}
void BM_UndoSort(benchmark::State& state) {
  timeRecall(state, sortByCursorColumn, middleCursor(5), false);
}
void BM_RedoSort(benchmark::State& state) {
  timeRecall(state, sortByCursorColumn, middleCursor(5), true);
}
BENCHMARK(BM_UndoReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoSort)->Unit(benchmark::kMillisecond);

// The record after an operation that rewrote every row, and after one that
// changed one cell: what every step costs on top of its operation.
void BM_RecordEveryRowChanged(benchmark::State& state) {
  Workspace workspace = boardWorkspace();
  History history(workspace);
  Progress quiet;
  Controls controls = middleCursor(1);
  for (auto _ : state) {
    state.PauseTiming();
    controls.Row = controls.Row % 60000 + 997;  // a new origin: every X and Y changes
    setReference(workspace, controls, quiet);
    state.ResumeTiming();
    benchmark::DoNotOptimize(history.record(workspace));
  }
}
BENCHMARK(BM_RecordEveryRowChanged)->Unit(benchmark::kMillisecond);

void BM_RecordOneCellTyped(benchmark::State& state) {
  Workspace workspace = boardWorkspace();
  History history(workspace);
  int turn = 0;
  for (auto _ : state) {
    workspace.StringGrid1.setCell(2, kComponents / 2, "typed" + std::to_string(++turn));
    benchmark::DoNotOptimize(history.record(workspace));
  }
}
BENCHMARK(BM_RecordOneCellTyped)->Unit(benchmark::kMillisecond);

// The history's own bytes after 50 steps that each rewrite every row, and the
// memory the process holds resident before and after those steps: the
// history's count against the system's.
void BM_MemoryOfFiftyFullSteps(benchmark::State& state) {
  constexpr double kMB = 1 << 20;
  for (auto _ : state) {
    Workspace workspace = boardWorkspace();
    History history(workspace);
    Progress quiet;
    Controls controls = middleCursor(1);
    const std::optional<std::size_t> before = platform::residentBytes();
    for (int step = 0; step < 50; ++step) {
      controls.Row = 100 + step * 997;  // a new origin: every X and Y changes
      setReference(workspace, controls, quiet);
      history.record(workspace);
    }
    const std::optional<std::size_t> after = platform::residentBytes();
    state.counters["MB"] = static_cast<double>(history.memoryUsed()) / kMB;
    state.counters["steps"] = static_cast<double>(history.undoSteps());
    if (before && after) {
      state.counters["RSS_before_MB"] = static_cast<double>(*before) / kMB;
      state.counters["RSS_after_MB"] = static_cast<double>(*after) / kMB;
      state.counters["RSS_grown_MB"] =
          (static_cast<double>(*after) - static_cast<double>(*before)) / kMB;
    }
  }
}
BENCHMARK(BM_MemoryOfFiftyFullSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
