#pragma once
// brisel-cli run in the test's own process, as a script would run it.

#include <filesystem>
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

// The sample board's input files as settings, with a point as the user's
// decimal separator; then `more`.
inline std::vector<std::string> sampleBoardSettings(const std::vector<std::string>& more = {}) {
  const std::filesystem::path samples = BRISEL_SAMPLES;
  std::vector<std::string> words;
  for (auto [setting, name] : {std::pair{"--qpf-template", "TEMPLATE.QPF"},
                               {"--rep", "BOARD.REP"},
                               {"--cmp", "BOARD.CMP"},
                               {"--mnt", "BOARD.MNT"},
                               {"--bom", "BOARD.BOM"},
                               {"--txt", "BOARD.TXT"},
                               {"--rak", "BOARD.RAK"}}) {
    words.push_back(setting);
    words.push_back((samples / name).string());
  }
  words.push_back("--decimal-separator");
  words.push_back(".");
  words.insert(words.end(), more.begin(), more.end());
  return words;
}

}  // namespace brisel::testing
