// The board steps on a board of 65,535 components, one in three on the bottom
// side, and the panel that makes 65,535 components of a board, each timed
// with the undo step it records, as the window runs it.
#include <benchmark/benchmark.h>

#include "bench/board.h"
#include "bench/board_table.h"
#include "bench/timed_step.h"
#include "table/operations.h"

namespace {

using namespace brisel;

constexpr int kComponents = 65535;

const Workspace& twoSidedBoard() {
  static const Workspace workspace = [] {
    Workspace w = bench::boardWorkspace(kComponents);
    for (int row = kFirstDataRow; row < w.StringGrid1.RowCount(); row += 3)
      w.StringGrid1.setCell(col::Side, row, "B");
    return w;
  }();
  return workspace;
}

// The board a panel of 15 is made of: 4,369 components, 65,535 in the panel.
constexpr int kPanelColumns = 5;
constexpr int kPanelRows = 3;

Controls panelControls() {
  Controls controls;
  controls.panelColumns = kPanelColumns;
  controls.panelRows = kPanelRows;
  controls.panelPitchX = 310.5;  // the generated board is 300 by 200 mm
  controls.panelPitchY = 210.25;
  return controls;
}

const Workspace& loneBoard() {
  static const Workspace workspace =
      bench::boardWorkspace(kComponents / (kPanelColumns * kPanelRows));
  return workspace;
}

const Workspace& panel() {
  static const Workspace workspace = [] {
    Workspace w = loneBoard();
    Progress quiet;
    buildPanel(w, panelControls(), quiet);
    return w;
  }();
  return workspace;
}

void timeStep(benchmark::State& state, Operation step, const Controls& controls,
              const Workspace& (*board)() = twoSidedBoard) {
  bench::timeStep(state, step, controls, board);
}

void BM_KeepSideB(benchmark::State& state) {
  Controls controls;
  controls.keepSide = 'B';
  timeStep(state, keepBoardSide, controls);
}
BENCHMARK(BM_KeepSideB)->Unit(benchmark::kMillisecond);

void BM_FlipX(benchmark::State& state) {
  timeStep(state, flipBoard, Controls{});
}
BENCHMARK(BM_FlipX)->Unit(benchmark::kMillisecond);

void BM_Rotate90(benchmark::State& state) {
  timeStep(state, turnBoard, Controls{});
}
BENCHMARK(BM_Rotate90)->Unit(benchmark::kMillisecond);

void BM_Rotate30(benchmark::State& state) {
  Controls controls;
  controls.turnDegrees = 30;
  timeStep(state, turnBoard, controls);
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond);

void BM_Offset(benchmark::State& state) {
  Controls controls;
  controls.shiftX = 2.5;
  controls.shiftY = -3;
  timeStep(state, shiftBoard, controls);
}
BENCHMARK(BM_Offset)->Unit(benchmark::kMillisecond);

void BM_OriginCorner(benchmark::State& state) {
  timeStep(state, originToCorner, Controls{});
}
BENCHMARK(BM_OriginCorner)->Unit(benchmark::kMillisecond);

// A panel of 65,535 components from one board, and four of its boards left out.
void BM_Panel(benchmark::State& state) {
  timeStep(state, buildPanel, panelControls(), loneBoard);
}
BENCHMARK(BM_Panel)->Unit(benchmark::kMillisecond);

void BM_SkipBoards(benchmark::State& state) {
  Controls controls;
  controls.skipBoards = "2,5-7,12";
  timeStep(state, skipPanelBoards, controls, panel);
}
BENCHMARK(BM_SkipBoards)->Unit(benchmark::kMillisecond);

}  // namespace
