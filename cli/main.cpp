#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/locale.h"
#include "core/platform.h"

int main(int argc, char** argv) {
  // A run stopped by SIGINT or SIGTERM leaves no half-written temporary file.
  brisel::platform::removeTemporariesOnSignals();
  std::vector<std::string> words(argv + 1, argv + argc);
  return brisel::runCli(words, std::cout, std::cerr, brisel::decimalSeparatorFromEnvironment());
}
