#include <algorithm>
#include <string_view>
#include <vector>

#include "core/table_shape.h"
#include "table/cursor.h"
#include "table/exchange_sort.h"
#include "table/operations.h"
#include "table/shown_progress.h"

namespace brisel {

namespace {

// Moves whole rows so that place p (row p + 1) holds the row that stood at
// place order[p]: one exchange per row at most.
void arrangeRows(Grid& table, const std::vector<int>& order, ShownProgress& bar) {
  const int rows = table.RowCount();
  const int count = static_cast<int>(order.size());
  std::vector<int> standsAt(order.size()), holds(order.size());
  for (int p = 0; p < count; ++p) standsAt[p] = holds[p] = p;
  for (int p = 0; p < count; ++p) {
    bar.step(p + 1, rows);
    int wanted = order[p];
    int from = standsAt[wanted];
    if (from == p) continue;
    table.swapRows(p + 1, from + 1);
    int displaced = holds[p];
    holds[from] = displaced;
    standsAt[displaced] = from;
    holds[p] = wanted;
    standsAt[wanted] = p;
  }
}

}  // namespace

Outcome sortByCursorColumn(Workspace& workspace, const Controls& controls, Progress& progress) {
  Grid& table = workspace.StringGrid1;
  checkCursorColumn(table, controls.Col);
  ShownProgress bar(progress);
  std::vector<int> ranks;
  {
    // The keys are views into the grid: ranked before any row moves.
    std::vector<std::string_view> keys;
    keys.reserve(static_cast<std::size_t>(std::max(table.RowCount() - 1, 0)));
    for (int row = kFirstDataRow; row < table.RowCount(); ++row)
      keys.push_back(table.cell(controls.Col, row));
    ranks = textRanks(keys, true);
  }
  arrangeRows(table, exchangeSortOrder(ranks), bar);
  return {};
}

Outcome deleteSelectedRows(Workspace& workspace, const Controls& controls, Progress&) {
  Grid& table = workspace.StringGrid1;
  const GridRect& selection = controls.Selection;
  checkSelection(table, selection);
  const int rows = table.RowCount();
  const int count = selection.Bottom - selection.Top + 1;
  const int lastColumn = table.ColCount() - 1;
  for (int row = selection.Bottom + 1; row < rows; ++row)
    table.moveCells(row, row - count, 0, lastColumn);
  for (int row = rows - count; row < rows; ++row)
    for (int column = 0; column <= lastColumn; ++column) table.clearCell(column, row);
  Outcome outcome;
  outcome.cursorCol = selection.Left;
  outcome.cursorRow = selection.Top;
  return outcome;
}

}  // namespace brisel
