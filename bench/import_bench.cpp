// The importers on the largest boards: 65,535 components for REP and MNT,
// 65,534 for TXT (its first component goes to row 2, so that is all it can
// number), and CMP and BOM files of 65,535 components looked up by a table of
// 65,535 rows.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "bench/board.h"
#include "import/operations.h"

namespace {

using brisel::Controls;
using brisel::Workspace;

constexpr std::size_t kComponents = 65535;

// The board's files, written once into a folder that goes when the run ends.
class BoardFiles {
 public:
  BoardFiles() {
    std::random_device seed;
    folder_ = std::filesystem::temp_directory_path() / ("brisel-bench-" + std::to_string(seed()));
    std::filesystem::create_directories(folder_);
    brisel::bench::Board board = brisel::bench::makeBoard(kComponents);
    controls.Edit2 = write("BOARD.REP", brisel::bench::repFile(board));
    controls.Edit3 = write("BOARD.CMP", brisel::bench::cmpFile(board));
    controls.Edit5 = write("BOARD.MNT", brisel::bench::mntFile(board));
    controls.Edit6 = write("BOARD.BOM", brisel::bench::bomFile(board));
    board.components.pop_back();
    controls.Edit8 = write("BOARD.TXT", brisel::bench::txtFile(board));
    controls.CB_Format = false;
    controls.RB_EN = true;
  }
  ~BoardFiles() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  BoardFiles(const BoardFiles&) = delete;
  BoardFiles& operator=(const BoardFiles&) = delete;

  Controls controls;

 private:
  std::filesystem::path write(const char* name, const std::string& bytes) {
    std::filesystem::path path = folder_ / name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path;
  }

  std::filesystem::path folder_;
};

const BoardFiles& files() {
  static const BoardFiles board;
  return board;
}

// A coordinate import into a fresh table each time.
void importIntoNewTable(benchmark::State& state, brisel::Operation operation) {
  const Controls& controls = files().controls;
  brisel::Progress progress;
  for (auto _ : state) {
    state.PauseTiming();
    auto workspace = std::make_unique<Workspace>();
    state.ResumeTiming();
    operation(*workspace, controls, progress);
    benchmark::DoNotOptimize(workspace->StringGrid1.RowCount());
    state.PauseTiming();
    workspace.reset();
    state.ResumeTiming();
  }
}

void BM_ImportRep(benchmark::State& state) {
  importIntoNewTable(state, brisel::importRep);
}
void BM_ImportMnt(benchmark::State& state) {
  importIntoNewTable(state, brisel::importMnt);
}
void BM_ImportTxt(benchmark::State& state) {
  importIntoNewTable(state, brisel::importTxt);
}

// A lookup import over the table of the REP file: 65,545 rows.
void lookUpEveryRow(benchmark::State& state, brisel::Operation operation) {
  const Controls& controls = files().controls;
  brisel::Progress progress;
  Workspace workspace;
  brisel::importRep(workspace, controls, progress);
  for (auto _ : state) {
    operation(workspace, controls, progress);
    benchmark::DoNotOptimize(workspace.StringGrid1.cell(3, 1).data());
  }
}

void BM_ImportCmp(benchmark::State& state) {
  lookUpEveryRow(state, brisel::importCmp);
}
void BM_ImportBom(benchmark::State& state) {
  lookUpEveryRow(state, brisel::importBom);
}

BENCHMARK(BM_ImportRep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportMnt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTxt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportBom)->Unit(benchmark::kMillisecond);

}  // namespace
