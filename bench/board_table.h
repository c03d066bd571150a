#pragma once
// A synthetic board as the component table holds it after an import.

#include <string>

#include "bench/board.h"
#include "core/grid.h"
#include "core/numbers.h"
#include "core/table_shape.h"
#include "core/text.h"
#include "core/workspace.h"

namespace brisel::bench {

inline void fillTable(Grid& table, const Board& board) {
  table.growFor(static_cast<int>(board.components.size()));
  int row = kFirstDataRow - 1;
  for (const Component& c : board.components) {
    ++row;
    table.setCell(col::Number, row, std::to_string(row));
    table.setCell(col::Reference, row, c.reference);
    table.setCell(col::Value, row, c.value);
    table.setCell(col::X, row, formatReal(static_cast<float>(c.x), '.'));
    table.setCell(col::Y, row, formatReal(static_cast<float>(c.y), '.'));
    table.setCell(col::Angle, row, std::to_string(low16(c.angle)));
    table.setCell(col::Footprint, row, c.footprint);
  }
}

// A workspace whose table holds a generated board of `components` parts.
inline Workspace boardWorkspace(int components) {
  Workspace w;
  fillTable(w.StringGrid1, makeBoard(components));
  return w;
}

}  // namespace brisel::bench
