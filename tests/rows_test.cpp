// Sorting by the cursor's column and deleting the selected rows.
#include <gtest/gtest.h>

#include "table/operations.h"
#include "tests/table_kit.h"

namespace brisel {
namespace {

using testing::dataRows;
using testing::kEmptyRow;
using testing::tableOf;

// The keys of a column from row 1 down.
std::vector<std::string> column(const Grid& table, int c) {
  std::vector<std::string> keys;
  for (int row = 1; row < table.RowCount(); ++row) keys.emplace_back(table.cell(c, row));
  return keys;
}

struct SortCase {
  const char* name;
  std::vector<std::string> rows;
  int tableRows;
  int col;
  std::vector<std::string> keysAfter;
};

TEST(Sort, OrdersDescendingByTheBytesOfTheCursorColumn) {
  const SortCase cases[] = {
      {"text order, not numbers", {"|1||10", "|2||9", "|3||100"}, 4, 3, {"9", "100", "10"}},
      {"empty keys last",
       {"|1||A", "|2||", "|3||C", "|4||B"},
       8,
       3,
       {"C", "B", "A", "", "", "", ""}},
      {"case and high bytes",
       {"|1||a", "|2||B", "|3||\xE8", "|4||b"},
       5,
       3,
       {"\xE8", "b", "a", "B"}},
      {"a prefix orders first", {"|1||12.5", "|2||12", "|3||100"}, 4, 3, {"12.5", "12", "100"}},
      {"by the number column", {"|10|", "|9|", "|100|"}, 4, 1, {"9", "100", "10"}},
      {"single row", {"|1|R1|10K"}, 2, 3, {"10K"}},
  };
  for (const SortCase& c : cases) {
    Workspace workspace;
    workspace.StringGrid1 = tableOf(c.tableRows, c.rows);
    Controls controls;
    controls.Col = c.col;
    testing::RecordingProgress progress;
    Outcome outcome = sortByCursorColumn(workspace, controls, progress);
    EXPECT_EQ(column(workspace.StringGrid1, c.col), c.keysAfter) << c.name;
    EXPECT_EQ(workspace.StringGrid1.RowCount(), c.tableRows) << c.name;
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_FALSE(outcome.cursorCol || outcome.cursorRow);
  }
}

TEST(Sort, MovesWholeRowsTheFixedColumnIncluded) {
  Workspace workspace;
  workspace.StringGrid1 =
      tableOf(4, {"a|1|R1|10|x|1|2|3|F1|a9", "b|2|R2|9|y|4|5|6|F2|b9", "c|3|R3|100|z|7|8|9|F3|c9"});
  Controls controls;
  controls.Col = 3;
  Progress quiet;
  sortByCursorColumn(workspace, controls, quiet);
  EXPECT_EQ(dataRows(workspace.StringGrid1),
            (std::vector<std::string>{"b|2|R2|9|y|4|5|6|F2|b9", "c|3|R3|100|z|7|8|9|F3|c9",
                                      "a|1|R1|10|x|1|2|3|F1|a9"}));
}

TEST(Sort, TheProgressBarTakesThePositionsOfTheOuterLoop) {
  struct Case {
    int rows;
    std::string events;
  };
  const Case cases[] = {{2, "show 50 hide "}, {1, "show hide "}, {4, "show 25 50 75 hide "}};
  for (const Case& c : cases) {
    Workspace workspace;
    workspace.StringGrid1 = Grid(10, c.rows);
    Controls controls;
    testing::RecordingProgress progress;
    sortByCursorColumn(workspace, controls, progress);
    EXPECT_EQ(progress.events, c.events) << c.rows;
  }
  // A long table moves the bar through every percent once, not once a row.
  Workspace workspace;
  workspace.StringGrid1 = Grid(10, 5000);
  Controls controls;
  testing::RecordingProgress progress;
  sortByCursorColumn(workspace, controls, progress);
  EXPECT_EQ(progress.positions, 100);
}

TEST(Sort, AColumnOutsideTheTableIsRefused) {
  Workspace workspace;
  Controls controls;
  Progress quiet;
  for (int col : {-1, 10}) {
    controls.Col = col;
    EXPECT_THROW(sortByCursorColumn(workspace, controls, quiet), Error) << col;
  }
}

struct DeleteCase {
  const char* name;
  GridRect selection;
  std::vector<std::string> keysAfter;  // column 2 of rows 1 to 7
};

TEST(Delete, RemovesTheSelectedRowsWholeAndEmptiesTheLast) {
  const DeleteCase cases[] = {
      {"middle rows 3 to 5, any columns", {4, 3, 2, 5}, {"R1", "R2", "R6", "R7", "", "", ""}},
      {"the cursor's cell alone", {2, 4, 2, 4}, {"R1", "R2", "R3", "R5", "R6", "R7", ""}},
      {"reaching the last row", {1, 6, 9, 7}, {"R1", "R2", "R3", "R4", "R5", "", ""}},
      {"the first row", {1, 1, 1, 1}, {"R2", "R3", "R4", "R5", "R6", "R7", ""}},
      {"every row", {0, 1, 9, 7}, {"", "", "", "", "", "", ""}},
  };
  for (const DeleteCase& c : cases) {
    Workspace workspace;
    Grid& table = workspace.StringGrid1;
    table = Grid(10, 8);
    for (int row = 1; row < 8; ++row)
      testing::putRow(table, row,
                      "c" + std::to_string(row) + "|" + std::to_string(row) + "|R" +
                          std::to_string(row) + "|V||1|2|3|F|n" + std::to_string(row));
    Controls controls;
    controls.Selection = c.selection;
    controls.Row = c.selection.Top;
    controls.Col = c.selection.Left;
    Progress quiet;
    Outcome outcome = deleteSelectedRows(workspace, controls, quiet);
    EXPECT_EQ(column(table, 2), c.keysAfter) << c.name;
    EXPECT_EQ(table.RowCount(), 8) << c.name;
    // Whole rows moved: column 0 and 9 went with them.
    for (int row = 1; row < 8; ++row) {
      std::string key(table.cell(2, row));
      std::string number = key.empty() ? "" : key.substr(1);
      EXPECT_EQ(testing::rowText(table, row),
                key.empty() ? kEmptyRow
                            : "c" + number + "|" + number + "|" + key + "|V||1|2|3|F|n" + number)
          << c.name << " row " << row;
    }
    EXPECT_EQ(outcome.cursorCol, c.selection.Left) << c.name;
    EXPECT_EQ(outcome.cursorRow, c.selection.Top) << c.name;
    EXPECT_TRUE(outcome.messages.empty());
  }
}

TEST(Delete, ASelectionOutsideTheTableChangesNothing) {
  const GridRect selections[] = {{1, 0, 1, 0}, {1, 3, 1, 10}, {1, 5, 1, 4}, {10, 1, 10, 1}};
  for (const GridRect& selection : selections) {
    Workspace workspace;
    testing::putRow(workspace.StringGrid1, 1, "|1|R1");
    Controls controls;
    controls.Selection = selection;
    Progress quiet;
    EXPECT_THROW(deleteSelectedRows(workspace, controls, quiet), Error);
    EXPECT_EQ(workspace.StringGrid1.cell(2, 1), "R1");
  }
}

}  // namespace
}  // namespace brisel
