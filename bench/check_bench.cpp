// The checks before the machine on a board of 65,535 components: the table
// check on a clean board and on one where every kind of finding occurs, and
// the read-back compare of a written QPF file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/buttons.h"
#include "bench/board.h"
#include "bench/board_table.h"
#include "core/numbers.h"
#include "core/text.h"
#include "table/check.h"

namespace {

using namespace brisel;

constexpr int kComponents = 65535;

Workspace boardWorkspace(bool faulty) {
  Workspace w;
  Grid& table = w.StringGrid1;
  bench::fillTable(table, bench::makeBoard(kComponents));
  if (!faulty) return w;
  // One row in seven carries one fault, each kind in turn, then one in
  // seven of the rest one of what the record cuts or must not place.
  for (int row = kFirstDataRow; row <= kComponents; ++row) {
    switch (row % 98) {
      case 49:
        table.setCell(col::Reference, row, "CONNECTOR" + std::to_string(row % 2));
        break;
      case 56:
        table.setCell(col::Value, row, "GRM155R71C104KA88" + std::to_string(row % 3));
        break;
      case 63:
        table.setCell(col::Number, row, "70000");
        break;
      case 70:
        table.setCell(col::Number, row, "1");
        break;
      case 77:
        table.setCell(col::Reference, row, "FID" + std::to_string(row));
        break;
      case 84:
        table.setCell(col::Value, row, "DNP");
        break;
    }
    switch (row % 49) {
      case 0:
        table.setCell(col::Reference, row, "R1");
        break;
      case 7:
        table.setCell(col::Value, row, "???");
        break;
      case 14:
        table.setCell(col::X, row, "abc");
        break;
      case 21:
        table.setCell(col::Reference, row, "");
        break;
      case 28:
        table.setCell(col::X, row, "10");
        table.setCell(col::Y, row, "10");
        break;
      case 35:
        table.setCell(col::Footprint, row, "SW TACT");
        break;
      case 42:
        table.setCell(col::Angle, row, "45");
        break;
    }
  }
  return w;
}

void BM_CheckTable(benchmark::State& state) {
  const Workspace w = boardWorkspace(state.range(0) != 0);
  std::size_t found = 0;
  for (auto _ : state) {
    std::vector<Finding> findings = checkTable(w.StringGrid1, {'.', false});
    found = findings.size();
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(found);
}
BENCHMARK(BM_CheckTable)->Arg(0)->Arg(1)->ArgNames({"faulty"})->Unit(benchmark::kMillisecond);

void BM_VerifyQpf(benchmark::State& state) {
  Workspace w = boardWorkspace(false);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "brisel_bench_qpf";
  std::filesystem::create_directories(folder);
  Controls controls;
  controls.Edit1 = folder / "TEMPLATE.QPF";
  std::ofstream(controls.Edit1, std::ios::binary) << std::string(127, 'T');
  controls.Edit4 = folder / "OUT.QPF";
  Progress silent;
  writeQpf(w, controls, silent);
  for (auto _ : state) {
    Outcome outcome = verifyQpf(w, controls, silent);
    benchmark::DoNotOptimize(outcome);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_VerifyQpf)->Unit(benchmark::kMillisecond);

}  // namespace
