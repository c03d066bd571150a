#pragma once
// What the importers share: fields taken off the front of a line, coordinates
// and angles as the table holds them, the placement row they write, the limit
// of the 16-bit row numbers, and the loop over a file's lines that names the
// line of a failure.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/grid.h"
#include "app/lines.h"
#include "app/numbers.h"
#include "app/workspace.h"

namespace brisel::importing {

// Row numbers are 16-bit in the machine program: 65535 is the last one.
constexpr long kLastRow = 65535;

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
// naming the line. A read error of the file is a failure too.
void forEachLine(LineReader& reader, const std::filesystem::path& path,
                 const std::function<void(std::string& line, long number)>& visit);

// Heterogeneous lookup of a key held as a view, for the reference indexes.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};

}  // namespace brisel::importing
