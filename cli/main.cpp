#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/locale.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  return brisel::runCli(words, std::cout, std::cerr, brisel::decimalSeparatorFromEnvironment());
}
