#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/locale.h"
#include "core/platform.h"

int main(int argc, char** argv) {
  // A run stopped by SIGINT or SIGTERM leaves no half-written temporary file.
  brisel::platform::removeTemporariesOnSignals();
  brisel::platform::useBinaryStandardStreams();
  std::ios::sync_with_stdio(false);
  return brisel::runCli(brisel::platform::commandLineWords(argc, argv), std::cin, std::cout,
                        std::cerr, brisel::decimalSeparatorFromEnvironment());
}
