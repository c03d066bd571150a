#pragma once
// A data line of a placement file read into the cells of a table row, and
// the loop over the data lines that hands on each component.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "core/workspace.h"
#include "import/placement_columns.h"
#include "import/placement_fields.h"
#include "import/placement_text.h"
#include "import/reading.h"

namespace brisel::placements {

// A row's cells as views, before they are copied: columns 1 to 9.
using Cells = std::array<std::string_view, 9>;

// What a data line holds.
enum class RowKind { component, noReference, notToPlace };

// The data lines that wrote no row.
struct Passed {
  long noReference = 0;  // the lines without a reference
  long notToPlace = 0;   // the components marked not to place, left out
};

// A whole number's text, in `buffer`.
std::string_view decimal(long value, std::array<char, 32>& buffer);

class Reader {
 public:
  Reader(const Layout& layout, Unit givenUnit, const Controls& controls, std::string_view name);

  // The row of component `k` in `cells` when the line holds a component to
  // place. The cells view the line and the reader's buffers: they hold until
  // the next row is read.
  RowKind row(std::string_view line, long number, long k);

  Cells cells;

 private:
  [[noreturn]] void fail(const Piece& piece, long line) const;
  void fieldsOf(std::string_view line);
  void cut(std::string_view line, char mark);
  void byPosition(std::string_view line);
  float coordinate(Field f, long line) const;
  int angle(long line) const;

  const Layout& layout_;
  Unit givenUnit_;
  const Controls& controls_;
  std::string_view name_;
  // The file has a column that may mark a row not to place, and such rows go.
  bool askNotToPlace_;
  std::vector<Piece> pieces_;
  std::array<Piece, kFieldCount> fields_;
  std::vector<unsigned> fieldsAt_;  // by column: a bit for each field read there
  bool markedNotToPlace();

  std::array<std::string, 5> texts_;             // fields that had to change
  std::array<std::array<char, 32>, 2> numbers_;  // the whole numbers' texts
  std::array<RealText, 2> reals_;
};

// Every component of the file to `take`, in order, numbered from
// `numberedAfter` + 1; false from `take` stops. Returns the data lines that
// wrote no row.
template <class Take>
Passed eachRow(Lines lines, Layout layout, Unit givenUnit, const Controls& controls,
               std::string_view name, Take take, long numberedAfter = 0) {
  Reader reader(layout, givenUnit, controls, name);
  std::string_view line;
  long k = 0;
  Passed passed;
  while (lines.next(line)) {
    if (lines.number() <= layout.headerLine || skippable(line)) continue;
    if (!layout.header) {
      if (auto unit = declaration(line)) {
        layout.declared = *unit;
        continue;
      }
    }
    const RowKind kind = reader.row(line, lines.number(), numberedAfter + k + 1);
    if (kind != RowKind::component) {
      ++(kind == RowKind::noReference ? passed.noReference : passed.notToPlace);
      continue;
    }
    ++k;
    importing::checkRowNumber(k, lines.number(), importing::kLastRow);
    if (!take(reader.cells, k)) break;
  }
  return passed;
}

}  // namespace brisel::placements
