#pragma once
// A placement file's bytes as text. They are decoded once: a UTF-16 file to
// UTF-8; other bytes are kept and each field is taken as UTF-8 when it is
// valid, else as Latin-1, since real exports mix the two. Then they are cut
// into lines.

#include <algorithm>
#include <string>
#include <string_view>

#include "core/lines.h"

namespace brisel::placements {

inline char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isLetter(char c) {
  c = lower(c);
  return c >= 'a' && c <= 'z';
}

std::string lowered(std::string_view text);

// The text of the file: its bytes, or UTF-8 made from UTF-16 and held here.
struct Decoded {
  std::string owned;
  std::string_view text;
};

Decoded decode(std::string_view bytes);

inline bool plainAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(),
                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A field as the grid holds text: Latin-1, other characters '?'.
std::string gridText(std::string_view text);

// A field as UTF-8, for the dialog and the messages.
std::string utf8Text(std::string_view text);

// The lines of the text: ends LF or CR LF, or CR in a file that has no LF.
char lineEndOf(std::string_view text);

class Lines {
 public:
  explicit Lines(std::string_view text) : Lines(text, lineEndOf(text), 0) {}
  // A part of a text that ends its lines with `end`, after `before` lines.
  Lines(std::string_view text, char end, long before) : rest_(text), end_(end), number_(before) {}
  bool next(std::string_view& line) {
    if (done_) return false;
    if (++number_ > LineReader::kMaxLines)
      throw InputTooLong("File troppo lungo: supera " + std::to_string(LineReader::kMaxLines) +
                         " righe; lettura interrotta");
    std::size_t at = rest_.find(end_);
    if (at == std::string_view::npos) {
      line = rest_;
      done_ = true;
      if (line.empty()) return false;
    } else {
      line = rest_.substr(0, at);
      rest_.remove_prefix(at + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }
  long number() const { return number_; }

 private:
  std::string_view rest_;
  char end_;
  long number_;
  bool done_ = false;
};

}  // namespace brisel::placements
