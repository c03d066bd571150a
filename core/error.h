#pragma once
// The failures an operation reports to the operator. Each layer derives its
// own kinds (a text that is not a number, a file that cannot be written).

#include <stdexcept>
#include <string>

#include "core/said.h"

namespace brisel {

// Base of the failures an operation reports to the operator: what() is the
// Italian text, UTF-8; said() the same as a key and its arguments, for a
// front end that speaks another language.
class Error : public std::runtime_error {
 public:
  explicit Error(const char* what) : Error(std::string(what)) {}
  explicit Error(const std::string& what) : std::runtime_error(what), text_(what) {}
  explicit Error(Text text) : std::runtime_error(text.italian()), text_(std::move(text)) {}
  const Text& said() const { return text_; }

 private:
  Text text_;
};

}  // namespace brisel
