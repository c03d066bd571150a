#pragma once
// The fuzz targets: each feeds one input to one reader of the program, then
// runs the table operations, the writers and the viewers on whatever table
// results. A failure the program reports (brisel::Error) is an answer, not a
// finding; anything else (a crash, another exception, a sanitizer report) is.

#include <array>
#include <string_view>

namespace brisel::fuzz {

struct Target {
  std::string_view name;
  void (*run)(std::string_view input);
};

extern const std::array<Target, 12> kTargets;

// The target of that name, or null.
const Target* findTarget(std::string_view name);

}  // namespace brisel::fuzz
