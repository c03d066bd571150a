#pragma once
// A text the program says to the operator, kept as a key and its arguments so
// that each front end says it in its own language: brisel-cli in Italian, as
// the key stands; the window looks the key up among its translations and puts
// the arguments in.
//
// The key is the Italian text with %1 to %9 where the arguments go, marked
// for the translations with BRISEL_TRANSLATE_NOOP("Message", ...). An
// argument is either data (a reference, a number, a file name: UTF-8, shown as
// it is in every language) or a text of its own, said in the same language.
//
//   Text("%1 componenti importati", {Text::data("12")})  -> "12 componenti importati"

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace brisel {

class Text {
 public:
  Text() = default;
  // A key without arguments; a text nobody translates is shown as it stands.
  Text(std::string key) : key_(std::move(key)) {}
  Text(const char* key) : key_(key) {}
  Text(std::string key, std::vector<Text> args) : key_(std::move(key)), args_(std::move(args)) {}

  // Data, never looked up: shown as it is in every language.
  static Text data(std::string utf8);
  static Text number(long long value) { return data(std::to_string(value)); }

  const std::string& key() const { return key_; }
  const std::vector<Text>& args() const { return args_; }
  bool isData() const { return data_; }
  bool empty() const { return key_.empty() && args_.empty(); }

  // This text followed by `next`, each said in the same language.
  Text then(Text next) const;

  // The text in Italian: the keys as they stand, the arguments in place.
  std::string italian() const;

  // The text with each key turned by `translate` (a key to the pattern in
  // another language; std::string to std::string) before the arguments go in.
  template <class Translate>
  std::string said(const Translate& translate) const {
    if (data_) return key_;
    std::vector<std::string> args;
    args.reserve(args_.size());
    for (const Text& arg : args_) args.push_back(arg.said(translate));
    return fill(translate(key_), args);
  }

  // Puts args[n - 1] where the pattern says %n (n from 1 to 9), in one pass,
  // so an argument holding "%1" stays as it is; a %n with no argument stays
  // too.
  static std::string fill(std::string_view pattern, const std::vector<std::string>& args);

  friend bool operator==(const Text&, const Text&) = default;
  // What the tests and brisel-cli compare: the Italian text.
  template <class String>
  requires std::convertible_to<const String&, std::string_view>
  friend bool operator==(const Text& text, const String& italian) {
    return text.italian() == std::string_view(italian);
  }
  friend std::ostream& operator<<(std::ostream& out, const Text& text) {
    return out << text.italian();
  }

 private:
  std::string key_;
  std::vector<Text> args_;
  bool data_ = false;
};

}  // namespace brisel
