#pragma once
// Tables for the tests of the table operations, written and read as rows of
// cells joined by '|' (the form of testing::rowText).

#include <string>
#include <string_view>
#include <vector>

#include "core/grid.h"
#include "tests/testkit.h"

namespace brisel::testing {

// Writes the '|'-separated cells of `cells` into `row` from column 0 on.
inline void putRow(Grid& grid, int row, std::string_view cells) {
  int column = 0;
  while (true) {
    std::size_t bar = cells.find('|');
    grid.setCell(column++, row, cells.substr(0, bar));
    if (bar == std::string_view::npos) break;
    cells.remove_prefix(bar + 1);
  }
}

// Every row of the grid from row 1 on, in rowText form.
inline std::vector<std::string> dataRows(const Grid& grid) {
  std::vector<std::string> rows;
  for (int row = 1; row < grid.RowCount(); ++row) rows.push_back(rowText(grid, row));
  return rows;
}

// A table of `rows` rows whose rows 1, 2 ... hold `cells`.
inline Grid tableOf(int rows, const std::vector<std::string>& cells) {
  Grid grid(10, rows);
  for (std::size_t i = 0; i < cells.size(); ++i) putRow(grid, static_cast<int>(i) + 1, cells[i]);
  return grid;
}

inline const std::string kEmptyRow = "|||||||||";

}  // namespace brisel::testing
