// The writers and viewers at the largest table, 65,535 components. Writers
// include the flush to disk; viewers start from a freshly opened window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "bench/board.h"
#include "core/text.h"
#include "core/workspace.h"
#include "output/operations.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kComponents = 65535;

// A folder of its own for the files, removed when the program ends.
struct Folder {
  Folder() {
    std::random_device seed;
    path = fs::temp_directory_path() / ("brisel-output-bench-" + std::to_string(seed()));
    fs::create_directories(path);
  }
  ~Folder() {
    std::error_code error;
    fs::remove_all(path, error);
  }
  fs::path path;
};

const Folder& folder() {
  static const Folder instance;
  return instance;
}

// The board as an import leaves it in the table: positions in the general
// real-to-text form of their single-precision value.
void fillTable(brisel::Grid& table) {
  brisel::bench::Board board = brisel::bench::makeBoard(kComponents);
  table.setRowCount(static_cast<int>(kComponents) + 10);
  int row = 1;
  for (const brisel::bench::Component& c : board.components) {
    table.setCell(1, row, std::to_string(row));
    table.setCell(2, row, c.reference);
    table.setCell(3, row, c.value);
    table.setCell(5, row, brisel::formatReal(static_cast<float>(c.x), '.'));
    table.setCell(6, row, brisel::formatReal(static_cast<float>(c.y), '.'));
    table.setCell(7, row, std::to_string(c.angle));
    table.setCell(8, row, c.footprint);
    ++row;
  }
}

brisel::Controls controls() {
  brisel::Controls c;
  c.Edit1 = folder().path / "TEMPLATE.QPF";
  c.Edit4 = folder().path / "BOARD.QPF";
  c.Edit9 = folder().path / "BOARD.ZRK";
  return c;
}

// The full board written once, for the viewers.
const brisel::Controls& writtenBoard() {
  static const brisel::Controls written = [] {
    brisel::Controls c = controls();
    std::ofstream(c.Edit1, std::ios::binary) << std::string(127, 'H');
    brisel::Workspace workspace;
    fillTable(workspace.StringGrid1);
    brisel::Progress progress;
    brisel::writeQpf(workspace, c, progress);
    brisel::writeZirkan(workspace, c, progress);
    return c;
  }();
  return written;
}

void runWriter(benchmark::State& state, brisel::Operation write) {
  const brisel::Controls& c = writtenBoard();
  brisel::Workspace workspace;
  fillTable(workspace.StringGrid1);
  brisel::Progress progress;
  for (auto _ : state) benchmark::DoNotOptimize(write(workspace, c, progress));
}

void runViewer(benchmark::State& state, brisel::Operation view) {
  const brisel::Controls& c = writtenBoard();
  brisel::Progress progress;
  std::optional<brisel::Workspace> workspace;
  for (auto _ : state) {
    state.PauseTiming();
    workspace.emplace();
    state.ResumeTiming();
    benchmark::DoNotOptimize(view(*workspace, c, progress));
  }
}

void BM_WriteQpf(benchmark::State& state) {
  runWriter(state, brisel::writeQpf);
}
void BM_ViewQpf(benchmark::State& state) {
  runViewer(state, brisel::viewQpf);
}
void BM_WriteZirkan(benchmark::State& state) {
  runWriter(state, brisel::writeZirkan);
}
void BM_ViewZirkan(benchmark::State& state) {
  runViewer(state, brisel::viewZirkan);
}

BENCHMARK(BM_WriteQpf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewQpf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteZirkan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewZirkan)->Unit(benchmark::kMillisecond);

}  // namespace
