// The placement-file import on the largest board, as KiCad and Altium write
// it, beside a plain split of the same bytes: every line cut at its commas,
// quotes dropped, and the fields written into the table. The import does that
// and sniffs the header, converts the units and rounds the angles.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench/board.h"
#include "core/grid.h"
#include "core/table_shape.h"
#include "import/placement_file.h"

namespace {

constexpr std::size_t kComponents = 65535;

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", value);
  return text;
}

std::string kicadCsv(const brisel::bench::Board& board) {
  std::string out = "Ref,Val,Package,PosX,PosY,Rot,Side\n";
  for (const auto& c : board.components)
    out += "\"" + c.reference + "\",\"" + c.value + "\",\"" + c.footprint + "\"," + number(c.x) +
           "," + number(c.y) + "," + number(c.angle) + ",top\n";
  return out;
}

std::string altiumCsv(const brisel::bench::Board& board) {
  std::string out =
      "Altium Designer Pick and Place Locations\r\nC:\\BOARD\\Pick Place for BOARD.csv\r\n\r\n"
      "========================================\r\nFile Design Information:\r\n\r\n"
      "Date:       01/12/26\r\nTime:       10:12\r\nRevision:   Not in VersionControl\r\n"
      "Variant:    No variations\r\nUnits used: mm\r\n\r\n"
      "\"Designator\",\"Comment\",\"Layer\",\"Footprint\",\"Center-X(mm)\",\"Center-Y(mm)\","
      "\"Rotation\",\"Description\"\r\n";
  for (const auto& c : board.components)
    out += "\"" + c.reference + "\",\"" + c.value + "\",\"TopLayer\",\"" + c.footprint + "\",\"" +
           number(c.x) + "\",\"" + number(c.y) + "\",\"" + std::to_string(c.angle) + "\",\"\"\r\n";
  return out;
}

const std::string& file(bool altium) {
  static const brisel::bench::Board board = brisel::bench::makeBoard(kComponents);
  static const std::string kicad = kicadCsv(board);
  static const std::string pickPlace = altiumCsv(board);
  return altium ? pickPlace : kicad;
}

// The baseline: lines cut at commas into the table, nothing read into them.
void plainSplit(std::string_view bytes, brisel::Grid& table) {
  int row = 0;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    table.growFor(++row);
    int column = 1;
    while (column < table.ColCount()) {
      std::size_t comma = line.find(',');
      std::string_view field = line.substr(0, comma);
      if (field.size() >= 2 && field.front() == '"') field = field.substr(1, field.size() - 2);
      table.setCell(column++, row, field);
      if (comma == std::string_view::npos) break;
      line.remove_prefix(comma + 1);
    }
  }
}

void BM_PlainSplit(benchmark::State& state) {
  const std::string& bytes = file(state.range(0) != 0);
  for (auto _ : state) {
    brisel::Grid table(brisel::kTableColumns, 10);
    plainSplit(bytes, table);
    benchmark::DoNotOptimize(table.RowCount());
  }
}
BENCHMARK(BM_PlainSplit)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("altium")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ImportPlacements(benchmark::State& state) {
  const std::string& bytes = file(state.range(0) != 0);
  brisel::Controls controls;
  brisel::Progress progress;
  for (auto _ : state) {
    brisel::Workspace workspace;
    auto outcome =
        brisel::placements::importPlacementBytes(bytes, "BOARD.csv", workspace, controls, progress);
    if (workspace.StringGrid1.RowCount() != static_cast<int>(kComponents) + 10)
      state.SkipWithError("not every component imported");
    benchmark::DoNotOptimize(outcome);
  }
}
// Wall-clock time: a large file is read on two threads.
BENCHMARK(BM_ImportPlacements)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("altium")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The import against the split, each import timed right after a split of
// the same bytes: a machine whose speed wanders gives both of a pair the same
// speed. The ratio is the median of the pairs'.
void BM_ImportAgainstSplit(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const std::string& bytes = file(state.range(0) != 0);
  brisel::Controls controls;
  brisel::Progress progress;
  std::vector<double> ratios;
  for (auto _ : state) {
    const auto start = Clock::now();
    {
      brisel::Grid table(brisel::kTableColumns, 10);
      plainSplit(bytes, table);
    }
    const auto split = Clock::now();
    {
      brisel::Workspace workspace;
      brisel::placements::importPlacementBytes(bytes, "BOARD.csv", workspace, controls, progress);
    }
    const auto imported = Clock::now();
    ratios.push_back(std::chrono::duration<double>(imported - split).count() /
                     std::chrono::duration<double>(split - start).count());
  }
  std::sort(ratios.begin(), ratios.end());
  state.counters["ratio"] = ratios[ratios.size() / 2];
}
BENCHMARK(BM_ImportAgainstSplit)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("altium")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(60);

}  // namespace
