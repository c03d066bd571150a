#include "output/output_common.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "core/component_row.h"
#include "core/platform.h"
#include "core/text.h"

namespace brisel::output {

bool takeComponentRow(Grid& table, int row) {
  if (!hasComponentNumber(table, row)) return false;
  for (int column = 0; column < table.ColCount(); ++column) {
    std::string_view text = table.cell(column, row);
    std::string_view trimmed = trim(text);
    // Most cells are clean already: rewrite only those that change.
    if (trimmed.size() != text.size()) table.setCell(column, row, trimmed);
  }
  return isComponentRow(table, row);
}

std::string_view valueOrNM(std::string_view value) {
  return value.empty() ? std::string_view("NM") : value;
}

std::uint16_t low16Of(std::string_view text, const NumberFormat& format) {
  return low16(textToInteger(text, format));
}

std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t limit) {
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  constexpr std::size_t kChunk = std::size_t{64} * 1024;
  std::string bytes;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
  while (bytes.size() < limit && in) {
    std::size_t had = bytes.size();
    bytes.resize(std::min(limit, had + kChunk));
    in.read(bytes.data() + had, static_cast<std::streamsize>(bytes.size() - had));
    bytes.resize(had + static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw ReadError(path);
  return bytes;
}

Outcome succeeded() {
  Outcome outcome;
  outcome.messages.push_back(kSuccessMessage);
  return outcome;
}

Outcome cannotOpen(const std::filesystem::path& path) {
  Outcome outcome;
  outcome.messages.push_back(kOpenErrorMessage);
  outcome.unopened = path;
  return outcome;
}

Message tooLongMessage(std::string_view what) {
  return {"Messaggio", "File troppo lungo: mostrati solo i primi " + std::string(what)};
}

ReadError::ReadError(const std::filesystem::path& path)
    : Error("Errore di lettura del file '" + platform::displayPath(path) + "'") {}

}  // namespace brisel::output
