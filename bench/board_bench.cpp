// How long the synthetic boards themselves take to make: the baseline under
// every other figure, which starts from a generated board.
#include <benchmark/benchmark.h>

#include "bench/board.h"

namespace {

void BM_MakeBoard(benchmark::State& state) {
  for (auto _ : state) {
    auto board = brisel::bench::makeBoard(static_cast<std::size_t>(state.range(0)));
    benchmark::DoNotOptimize(board);
  }
}
BENCHMARK(BM_MakeBoard)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
