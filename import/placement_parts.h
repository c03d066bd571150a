#pragma once
// A placement file with a header read in parts on two threads, each part into
// a table of its own, joined in the file's order into the first part's table.

#include <cstddef>
#include <exception>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "core/table_shape.h"
#include "core/workspace.h"
#include "import/placement_columns.h"

namespace brisel::placements {

// Rows of a part of the file, read into a table of their own.
struct Part {
  std::string_view text;
  long linesBefore = 0;
  long room = 0;  // rows the table makes room for at once
  // The rows are numbered on from this: the data lines before the part, as
  // many as the rows before it unless a line was skipped there.
  long numberedAfter = 0;
  Grid table{kTableColumns, 0};
  long written = 0;
  long skipped = 0;
  std::exception_ptr failure;
};

struct Reading {
  const Layout& layout;
  Unit givenUnit;
  const Controls& controls;
  std::string_view name;
  char lineEnd;
};

// The text in parts cut at line ends, one part when the file is read whole.
// Only a large file with a header is cut, since one without may declare a
// new unit between its components; the header must fall in the first part;
// and the lines after it must be fewer than the table's rows, so that the
// table's limit never falls in a later part. The first part's table makes
// room for every row: the others' rows join it.
std::vector<Part> cutInParts(std::string_view text, const Reading& reading);

// Every part read, the later ones joined to the first: its table, its rows
// written and skipped, and the first failure in the file's order.
void readParts(std::vector<Part>& parts, const Reading& reading);

}  // namespace brisel::placements
