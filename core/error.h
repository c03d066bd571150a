#pragma once
// The failures an operation reports to the operator. Each layer derives its
// own kinds (a text that is not a number, a file that cannot be written).

#include <stdexcept>

namespace brisel {

// Base of the failures an operation reports to the operator; what() is UTF-8.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace brisel
