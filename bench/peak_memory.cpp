// Runs brisel-cli's words in this process and tells how far its peak memory
// rose above what the process held at start:
//   peak_memory [brisel-cli words...]
// Reads the kernel's account of the process (Linux); elsewhere says so.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

// A field of /proc/self/status in kB, or -1.
long statusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  long start = statusKb("VmRSS");
  std::vector<std::string> words(argv + 1, argv + argc);
  std::ostringstream out;
  int status = brisel::runCli(words, out, std::cerr, '.');
  long peak = statusKb("VmHWM");
  if (start < 0 || peak < 0) {
    std::cout << "peak memory: unknown on this system\n";
  } else {
    std::cout << "peak memory above start: " << (peak - start) / 1024.0 << " MB\n";
  }
  return status;
}
