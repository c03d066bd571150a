// "Applica regole" on a board of 65,535 components with 500 package rules,
// timed with the undo step it records, as the window runs it. The rules that
// match come last, so each of the board's footprints is first matched against
// the 480 wildcard patterns before them; every row then turns and moves.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/board.h"
#include "bench/board_table.h"
#include "bench/timed_step.h"
#include "table/operations.h"

namespace {

using namespace brisel;

constexpr int kComponents = 65535;

const Workspace& board() {
  static const Workspace workspace = bench::boardWorkspace(kComponents);
  return workspace;
}

// 500 rules looking at `field`: 480 patterns with wildcards that match
// nothing, the rules that match every part, then some no part reaches.
std::string rulesFile(const char* field, const char* catchAll) {
  std::string text = "Modello;Rotazione;DX;DY;Campo\r\n";
  char line[96];
  for (int n = 0; n < 480; ++n) {
    std::snprintf(line, sizeof line, "QX%03d*[0-9]?;90;0.1;0;%s\r\n", n, field);
    text += line;
  }
  for (const char* rule : {"R0*;0;0.1;0", "C*;90;0;0.2", "SOIC*;-90;0;0.5", "LQFP*;-90;0;0",
                           "SOT23;180;0;0", "USB_B;90;0;-1.25"}) {
    text += rule;
    text += std::string(";") + field + "\r\n";
  }
  text += std::string(catchAll) + ";180;0.25;-0.25;" + field + "\r\n";
  for (int n = 0; n < 13; ++n) text += "NEVER" + std::to_string(n) + ";0;0;0;footprint\r\n";
  return text;
}

void timeRules(benchmark::State& state, const std::string& rules) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "brisel-bench-rules.csv";
  std::ofstream(file, std::ios::binary) << rules;
  Controls controls;
  controls.ED_Regole = file;
  bench::timeStep(state, applyPackageRules, controls, board);
  std::filesystem::remove(file);
}

void BM_ApplyRules500(benchmark::State& state) {
  timeRules(state, rulesFile("footprint", "*"));
}
BENCHMARK(BM_ApplyRules500)->Unit(benchmark::kMillisecond);

// The same rules looking at the reference, which differs on every row: each
// row is matched against the wildcard patterns itself.
void BM_ApplyRules500ByReference(benchmark::State& state) {
  timeRules(state, rulesFile("riferimento", "*"));
}
BENCHMARK(BM_ApplyRules500ByReference)->Unit(benchmark::kMillisecond);

}  // namespace
