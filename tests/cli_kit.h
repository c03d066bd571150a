#pragma once
// brisel-cli run in the test's own process, as a script would run it.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace brisel::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult run(const std::vector<std::string>& words, char separator = '.') {
  std::ostringstream out, err;
  int status = runCli(words, out, err, separator);
  return {status, out.str(), err.str()};
}

}  // namespace brisel::testing
