// The table operations on a board of 65,535 components, the table filled as
// the coordinate and component imports leave it (nine spare rows below).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "bench/board.h"
#include "bench/board_table.h"
#include "core/numbers.h"
#include "core/text.h"
#include "table/operations.h"

namespace {

using namespace brisel;

constexpr int kComponents = 65535;

const Workspace& boardWorkspace() {
  static const Workspace workspace = [] {
    Workspace w = bench::boardWorkspace(kComponents);
    w.BU_FootPrintEnabled = true;
    return w;
  }();
  return workspace;
}

// Runs `operation` on a fresh copy of the board each time; only the operation
// is timed.
void timeOperation(benchmark::State& state, Operation operation, const Controls& controls,
                   const Workspace& start = boardWorkspace()) {
  Progress quiet;
  for (auto _ : state) {
    state.PauseTiming();
    Workspace workspace = start;
    state.ResumeTiming();
    benchmark::DoNotOptimize(operation(workspace, controls, quiet));
  }
}

std::filesystem::path writeRules(const std::string& name, const std::string& text) {
  auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

void BM_Reference(benchmark::State& state) {
  Controls controls;
  controls.Row = 1000;
  timeOperation(state, setReference, controls);
}
BENCHMARK(BM_Reference)->Unit(benchmark::kMillisecond);

// Load, sort and apply: rules named after the board's values first, so that
// every component is kept.
void BM_ApplyRak500Rules(benchmark::State& state) {
  Controls controls;
  controls.Edit7 = writeRules("brisel-bench-500.RAK", bench::rakFile(500));
  timeOperation(state, applyRak, controls);
  std::filesystem::remove(controls.Edit7);
}
BENCHMARK(BM_ApplyRak500Rules)->Unit(benchmark::kMillisecond);

// Rules for a few values only: most rows are removed.
void BM_ApplyRakRemovingMostRows(benchmark::State& state) {
  Controls controls;
  controls.Edit7 = writeRules("brisel-bench-few.RAK", "10K:90\n100nF:0\nLM358:270\n");
  timeOperation(state, applyRak, controls);
  std::filesystem::remove(controls.Edit7);
}
BENCHMARK(BM_ApplyRakRemovingMostRows)->Unit(benchmark::kMillisecond);

// A hostile rule file: 50,000 rules of a few dozen values in a shuffled order,
// whose list has the exact order of the exchange sort.
void BM_ApplyRak50000EqualRules(benchmark::State& state) {
  std::mt19937 random(9);
  const auto& values = bench::partValues();
  std::string text;
  for (int i = 0; i < 50000; ++i) text += values[random() % values.size()] + ":" + "90\n";
  Controls controls;
  controls.Edit7 = writeRules("brisel-bench-hostile.RAK", text);
  timeOperation(state, applyRak, controls);
  std::filesystem::remove(controls.Edit7);
}
BENCHMARK(BM_ApplyRak50000EqualRules)->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State& state) {
  Controls controls;
  controls.Col = static_cast<int>(state.range(0));
  timeOperation(state, sortByCursorColumn, controls);
}
// Column 2: distinct references; 3: a few dozen values; 7: five angles.
BENCHMARK(BM_Sort)->ArgName("column")->Arg(2)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);

// Column 9 holding 256 keys round-robin (000, 001 ... 255, 000 ...): the most
// turns of the queues that order equal keys.
void BM_SortRoundRobinKeys(benchmark::State& state) {
  Workspace board = boardWorkspace();
  for (int row = 1; row < board.StringGrid1.RowCount(); ++row) {
    std::string key = std::to_string(1000 + row % 256).substr(1);
    board.StringGrid1.setCell(9, row, key);
  }
  Controls controls;
  controls.Col = 9;
  timeOperation(state, sortByCursorColumn, controls, board);
}
BENCHMARK(BM_SortRoundRobinKeys)->Unit(benchmark::kMillisecond);

void BM_Delete(benchmark::State& state) {
  Controls controls;
  controls.Selection = {1, static_cast<int>(state.range(0)), 1, static_cast<int>(state.range(1))};
  timeOperation(state, deleteSelectedRows, controls);
}
BENCHMARK(BM_Delete)
    ->ArgNames({"top", "bottom"})
    ->Args({1, 1})
    ->Args({1000, 40000})
    ->Args({1, kComponents + 9})
    ->Args({kComponents, kComponents + 9})
    ->Unit(benchmark::kMillisecond);

void BM_MergeFootprints(benchmark::State& state) {
  timeOperation(state, mergeFootprints, Controls{});
}
BENCHMARK(BM_MergeFootprints)->Unit(benchmark::kMillisecond);

}  // namespace
