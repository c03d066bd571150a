#include "core/said.h"

namespace brisel {

Text Text::data(std::string utf8) {
  Text text(std::move(utf8));
  text.data_ = true;
  return text;
}

Text Text::then(Text next) const {
  if (empty()) return next;
  if (next.empty()) return *this;
  return Text("%1%2", {*this, std::move(next)});
}

std::string Text::italian() const {
  return said([](const std::string& key) -> const std::string& { return key; });
}

std::string Text::fill(std::string_view pattern, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += args[n];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace brisel
