// The board preview's core at the largest table, 65,535 components: the
// placements model built from the table, and the SVG picture written to disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "bench/board.h"
#include "core/placements.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "output/board_svg.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kComponents = 65535;

// The board as an import leaves it in the table.
const brisel::Grid& fullTable() {
  static const brisel::Grid table = [] {
    brisel::Grid grid(brisel::kTableColumns, static_cast<int>(kComponents) + 10);
    const brisel::bench::Board board = brisel::bench::makeBoard(kComponents);
    int row = brisel::kFirstDataRow;
    for (const brisel::bench::Component& c : board.components) {
      grid.setCell(brisel::col::Number, row, std::to_string(row));
      grid.setCell(brisel::col::Reference, row, c.reference);
      grid.setCell(brisel::col::Value, row, c.value);
      grid.setCell(brisel::col::X, row, brisel::formatReal(static_cast<float>(c.x), '.'));
      grid.setCell(brisel::col::Y, row, brisel::formatReal(static_cast<float>(c.y), '.'));
      grid.setCell(brisel::col::Angle, row, std::to_string(c.angle));
      grid.setCell(brisel::col::Footprint, row, c.footprint);
      ++row;
    }
    return grid;
  }();
  return table;
}

void BM_PreviewModel(benchmark::State& state) {
  const brisel::Grid& table = fullTable();
  for (auto _ : state) benchmark::DoNotOptimize(brisel::buildBoard(table, {'.', false}));
}

void BM_PreviewSvg(benchmark::State& state) {
  const brisel::Board board = brisel::buildBoard(fullTable(), {'.', false});
  std::random_device seed;
  const fs::path path =
      fs::temp_directory_path() / ("brisel-preview-" + std::to_string(seed()) + ".svg");
  for (auto _ : state) brisel::writeBoardSvg(path, board);
  std::error_code error;
  state.counters["bytes"] = static_cast<double>(fs::file_size(path, error));
  fs::remove(path, error);
}

BENCHMARK(BM_PreviewModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewSvg)->Unit(benchmark::kMillisecond);

}  // namespace
