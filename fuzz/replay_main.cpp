// Replays inputs through a fuzz target without libFuzzer, in any build: every
// file named, and every file under a folder named.
// usage: fuzz_replay TARGET PATH...
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/targets.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: fuzz_replay TARGET PATH...\n";
    return 2;
  }
  const brisel::fuzz::Target* target = brisel::fuzz::findTarget(argv[1]);
  if (target == nullptr) {
    std::cerr << "no target " << argv[1] << "\n";
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int i = 2; i < argc; ++i) {
    if (!fs::exists(argv[i])) continue;  // a target with no findings has no folder
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::recursive_directory_iterator(argv[i]))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.push_back(argv[i]);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::cout << input.string() << std::endl;  // the last one named is the culprit of a crash
    target->run(bytes);
  }
  std::cout << inputs.size() << " inputs replayed through " << argv[1] << "\n";
  return 0;
}
