#pragma once
// What the importers share: fields taken off the front of a line, coordinates
// and angles as the table holds them, the placement row they write, the limit
// of the 16-bit row numbers, and the loop over a file's lines that names the
// line of a failure.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/grid.h"
#include "core/lines.h"
#include "core/numbers.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/workspace.h"

namespace brisel::importing {

// The last row a component can take: its number is 16-bit in the machine program.
constexpr long kLastRow = kMaxComponents;

// The text before the next space of `rest`, taken off it together with that
// space. With no space left the field is empty and `rest` keeps its text, so
// a last field that no space follows stays in the rest of the line.
std::string_view takeField(std::string_view& rest);

void skipSpaces(std::string_view& rest);

// Positions `first` to `first + count - 1` (from 0) of a fixed-column line:
// what of them the line reaches, possibly nothing.
std::string_view columns(std::string_view line, std::size_t first, std::size_t count);

// A coordinate field: text to real held as a 32-bit float, then millimetres
// from mils when RB_mils is checked. A value beyond the float range fails like
// any text that is not a coordinate.
float coordinate(std::string_view text, const Controls& controls);

// A rotation read leniently: the leading number with a point, 0 for none.
std::uint16_t leadingAngle(std::string_view text);

// One component placed in a row of the table.
struct Placement {
  long row;
  std::string_view reference;
  std::string_view value;
  float x;
  float y;
  std::uint16_t angle;
};

// Grows the table for the row and writes columns 1, 2, 3, 5, 6 and 7.
void writePlacement(Grid& table, const Placement& placement, char decimalSeparator);

// Stops an import whose next component would need a row number past 65535.
// `maxComponents` is what the format fits before that happens.
void checkRowNumber(long row, long line, long maxComponents);

// Hands every line to `visit` with its number; a conversion failure comes out
// naming the file, the line and the text as the line holds it (before the
// separator swap), with the separator hint when it applies. A read error of
// the file is a failure too. `visit` must leave the line as it was read.
void forEachLine(LineReader& reader, const std::filesystem::path& path, const NumberFormat& format,
                 const std::function<void(std::string& line, long number)>& visit);

// Where the line holds `converted`, a text the separator swap may have
// changed: the same bytes, a point and a comma counting as alike. The first
// such place; `converted` itself when there is none.
std::string_view originalText(std::string_view line, std::string_view converted);

// Heterogeneous lookup of a key held as a view, for the reference indexes.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

// The references that the rows of the table look up (column 2 of rows 1 to
// RowCount - 1, trimmed, blanks left out), each with what a file says of it
// once found. Built from the table, so that a file of any size costs no more
// memory than the table itself.
template <class Found>
using ReferenceIndex =
    std::unordered_map<std::string, std::optional<Found>, TextHash, std::equal_to<>>;

template <class Found>
ReferenceIndex<Found> tableReferences(const Grid& table) {
  ReferenceIndex<Found> index;
  index.reserve(static_cast<std::size_t>(table.RowCount()));
  for (int row = kFirstDataRow; row < table.RowCount(); ++row) {
    std::string_view key = trim(table.cell(col::Reference, row));
    if (!key.empty() && !index.contains(key)) index.emplace(std::string(key), std::nullopt);
  }
  return index;
}

// What the file says of a row's reference; nullptr when it says nothing.
template <class Found>
const Found* lookUp(const ReferenceIndex<Found>& index, std::string_view reference) {
  if (reference.empty()) return nullptr;
  auto found = index.find(reference);
  return found == index.end() || !found->second ? nullptr : &*found->second;
}

}  // namespace brisel::importing
