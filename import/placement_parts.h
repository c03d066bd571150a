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
#include "import/placement_row.h"

namespace brisel::placements {

// Whether a file with a header is read in parts. A file with more lines
// after its header than the table numbers is read whole all the same.
enum class Split {
  // A file of 64 KB or more when there are two cores or more: the import's own choice.
  bySize,
  // At any size and on any number of cores: n >= 2 lines after the header in min(8, n) parts.
  always,
  // Whole, on the calling thread.
  never,
};

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
  Passed passed;
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
// Only a file with a header is cut, since one without may declare a new unit
// between its components; and its lines after the header must be fewer than
// the table's rows, so that the table's limit never falls in a later part.
// The first part holds the header, and its table makes room for every row:
// the others' rows join it.
std::vector<Part> cutInParts(std::string_view text, const Reading& reading, Split split);

// Every part read, the later ones joined to the first: its table, its rows
// written and skipped, and the first failure in the file's order.
void readParts(std::vector<Part>& parts, const Reading& reading);

// The import as importPlacementBytes does it, the file split as `split` says;
// `parts` gets how many parts it is read in as soon as it is cut, so that a
// failing line leaves it too (0 when the file has no line, or no reference,
// X and Y to read). For the tests and the fuzz target, which read each file
// both ways.
Outcome importPlacementBytes(std::string_view bytes, std::string_view name, Workspace& workspace,
                             const Controls& controls, Progress& progress, Split split,
                             std::size_t& parts);

}  // namespace brisel::placements
