#pragma once
// Placement files as CAD tools write them (KiCad, Altium, EasyEDA/JLC,
// DipTrace, LibrePCB, Allegro, any CSV or text table): the shape the importer
// finds in a file, the rows it would write, and the import itself.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/workspace.h"

namespace brisel::placements {

// What the importer makes of a file: for the column dialog and the messages.
struct FileShape {
  std::vector<std::vector<std::string>> lines;  // the first (up to 20) lines that are not empty,
                                                // split as the importer splits them, as UTF-8
  int headerLine = -1;    // index into `lines` of the header; -1 when none was found
  std::string columns;    // the columns used, as --columns says them ("ref=Designator,x=Mid X,y=Mid
                          // Y,..."); the found ones merged with those given
  std::string unit;       // the unit that applies: "mm", "mil", "in"; empty when the file says none
  bool complete = false;  // reference, X and Y are known
};

// The shape of the file's bytes with `columns` and `unit` given as --columns / --units give them
// (empty: none).
FileShape readShape(std::string_view bytes, std::string_view columns, std::string_view unit);

// The first `limit` components as they would land in the table: cells of columns 1 to 8 (index 0 is
// column 1).
std::vector<std::array<std::string, 8>> previewRows(std::string_view bytes,
                                                    const Controls& controls, std::size_t limit);

// The import from bytes in memory; `name` is the file's name for messages.
Outcome importPlacementBytes(std::string_view bytes, std::string_view name, Workspace& workspace,
                             const Controls& controls, Progress& progress);

// Whether brisel-cli's --columns and --units texts say something the importer understands.
bool validColumns(std::string_view columns);
bool validUnit(std::string_view unit);

}  // namespace brisel::placements
