#pragma once
// What brisel-cli's print=WHAT words print, each listed once: parsing and
// --help read this table.

#include <iosfwd>
#include <span>
#include <string_view>

#include "core/workspace.h"

namespace brisel::cli {

struct Printout {
  std::string_view what;  // the word after "print="
  std::string_view help;  // one line of --help
  void (*print)(const Workspace& workspace, std::ostream& out);
};

// In the order --help lists them; the first is what "print" alone prints.
std::span<const Printout> printouts();

// The printout of print=WHAT, or null.
const Printout* findPrintout(std::string_view what);

}  // namespace brisel::cli
