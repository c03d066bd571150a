#pragma once
// The fields of a line of a placement file: cut at tabs, semicolons, commas
// or runs of spaces, quoted or not. What every data line goes through is
// defined here, where the row reader can inline it.

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "import/placement_text.h"

namespace brisel::placements {

enum class Separator { tab, semicolon, comma, spaces };

Separator separatorOf(std::string_view line);

inline char markOf(Separator separator) {
  return separator == Separator::tab ? '\t' : separator == Separator::semicolon ? ';' : ',';
}

// A field of a line: its bytes (inside the quotes when quoted) and where it
// stands in the line.
struct Piece {
  std::string_view text;
  std::size_t start = 0;
  std::size_t end = 0;
  bool doubledQuotes = false;
};

// The field's text, trimmed, with a doubled quote undone.
std::string pieceText(const Piece& piece);

// pieceText without a copy where no doubled quote is undone.
inline std::string_view pieceView(const Piece& piece, std::string& scratch) {
  if (!piece.doubledQuotes) return trim(piece.text);
  scratch = pieceText(piece);
  return scratch;
}

// A field as the grid holds it, without a copy where it is plain.
inline std::string_view gridField(const Piece& piece, std::string& scratch) {
  std::string_view text = pieceView(piece, scratch);
  if (plainAscii(text)) return text;
  std::string latin1 = toLatin1(text);
  scratch = std::move(latin1);
  return scratch;
}

// A quoted field from `at` (on its opening quote); `at` ends after the closing one.
inline Piece quoted(std::string_view line, std::size_t& at) {
  Piece piece;
  piece.start = at;
  const std::size_t open = ++at;
  while (true) {
    while (at < line.size() && line[at] != '"') ++at;
    if (at + 1 >= line.size() || line[at + 1] != '"') break;
    piece.doubledQuotes = true;
    at += 2;
  }
  piece.text = line.substr(open, at - open);
  if (at < line.size()) ++at;  // the closing quote
  piece.end = at;
  return piece;
}

// The field of a line cut at `mark` from `at`; `at` ends on the mark after it,
// or at the end of the line. Fields are short: bytes are compared in a loop
// rather than searched for with a call.
inline Piece separatedField(std::string_view line, std::size_t& at, char mark) {
  const std::size_t start = at;
  while (at < line.size() && line[at] == ' ') ++at;
  if (at < line.size() && line[at] == '"') {
    Piece piece = quoted(line, at);
    while (at < line.size() && line[at] != mark) ++at;
    return piece;
  }
  at = start;
  while (at < line.size() && line[at] != mark) ++at;
  return {line.substr(start, at - start), start, at, false};
}

// Every field of the line into `pieces`.
void split(std::string_view line, Separator separator, std::vector<Piece>& pieces);

}  // namespace brisel::placements
