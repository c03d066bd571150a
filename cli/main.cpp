#include <iostream>
#include <string>
#include <vector>

#include "core/locale.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  return brisel::runCli(words, std::cout, std::cerr, brisel::decimalSeparatorFromEnvironment());
}
