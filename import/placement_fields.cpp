#include "import/placement_fields.h"

namespace brisel::placements {

Separator separatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return Separator::tab;
  if (line.find(';') != std::string_view::npos) return Separator::semicolon;
  if (line.find(',') != std::string_view::npos) return Separator::comma;
  return Separator::spaces;
}

std::string pieceText(const Piece& piece) {
  if (!piece.doubledQuotes) return std::string(trim(piece.text));
  std::string out;
  for (std::size_t i = 0; i < piece.text.size(); ++i) {
    out += piece.text[i];
    if (piece.text[i] == '"' && i + 1 < piece.text.size() && piece.text[i + 1] == '"') ++i;
  }
  return std::string(trim(out));
}

void split(std::string_view line, Separator separator, std::vector<Piece>& pieces) {
  pieces.clear();
  if (separator == Separator::spaces) {
    std::size_t at = 0;
    while (true) {
      while (at < line.size() && isBlank(line[at])) ++at;
      if (at >= line.size()) return;
      if (line[at] == '"') {
        pieces.push_back(quoted(line, at));
        continue;
      }
      std::size_t start = at;
      while (at < line.size() && !isBlank(line[at])) ++at;
      pieces.push_back({line.substr(start, at - start), start, at, false});
    }
  }
  const char mark = markOf(separator);
  std::size_t at = 0;
  while (true) {
    pieces.push_back(separatedField(line, at, mark));
    if (at >= line.size()) return;
    ++at;  // the separator
  }
}

}  // namespace brisel::placements
