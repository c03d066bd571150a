// One libFuzzer target: BRISEL_FUZZ_TARGET names the reader it feeds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const brisel::fuzz::Target* target = brisel::fuzz::findTarget(BRISEL_FUZZ_TARGET);
  target->run(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
