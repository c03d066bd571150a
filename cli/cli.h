#pragma once
// brisel-cli: the window's operations from the command line.
//
//   brisel-cli [SETTING...] OPERATION...
//
// The settings stand for the window's controls and apply to the whole run;
// the operations run in the order given, each as its button does, on one
// workspace that starts as a freshly opened window. Exit status: 0, 1 after a
// failed operation, 2 for bad usage.

#include <iosfwd>
#include <string>
#include <vector>

namespace brisel {

// Runs the words after the program name. `localeSeparator` is the decimal
// separator to use when no --decimal-separator is given.
int runCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           char localeSeparator);
// As above, with `in` as the standard input that a `-` path reads.
int runCli(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
           std::ostream& err, char localeSeparator);

}  // namespace brisel
