#include <gtest/gtest.h>

#include "table/operations.h"
#include "tests/table_kit.h"

namespace brisel {
namespace {

using testing::dataRows;
using testing::kEmptyRow;
using testing::tableOf;

struct Board {
  Workspace workspace;
  Controls controls;
};

Board withTable(Grid table, int cursorRow) {
  Board run;
  run.workspace.StringGrid1 = std::move(table);
  run.controls.Row = cursorRow;
  return run;
}

void reference(Board& run) {
  testing::RecordingProgress progress;
  Outcome outcome = setReference(run.workspace, run.controls, progress);
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_FALSE(outcome.unopened);
  EXPECT_EQ(progress.events, "");
}

TEST(Reference, MovesTheOriginToTheCursorRow) {
  Board run =
      withTable(tableOf(5, {"|1|R1|||10.5|20|0", "|2|R2|||2.25|4|90", "|3|R3|||0|0|180"}), 2);
  reference(run);
  EXPECT_EQ(dataRows(run.workspace.StringGrid1),
            (std::vector<std::string>{"|1|R1|||8.25|16|0||", "|2|R2|||0|0|90||",
                                      "|3|R3|||-2.25|-4|180||", kEmptyRow}));
  // Pressed again on the same row: nothing further changes.
  Grid before = run.workspace.StringGrid1;
  reference(run);
  EXPECT_EQ(dataRows(run.workspace.StringGrid1), dataRows(before));
}

TEST(Reference, WritesTheValueOfA32BitFloat) {
  Board run = withTable(tableOf(3, {"|1||||0|0", "|2||||10.3|12.4"}), 1);
  reference(run);
  EXPECT_EQ(run.workspace.StringGrid1.cell(5, 2), "10.3000001907349");
  EXPECT_EQ(run.workspace.StringGrid1.cell(6, 2), "12.3999996185303");
}

TEST(Reference, RowsWithoutANumberKeepTheirCells) {
  // Row 2 has only a blank as its number, row 4 none: both keep their
  // coordinates. Row 4 serves as the reference without being rewritten.
  Board run = withTable(tableOf(6, {"|1||||5|5", "| ||||7|7", "|3||||1|2", "|||||1|1"}), 4);
  reference(run);
  EXPECT_EQ(dataRows(run.workspace.StringGrid1),
            (std::vector<std::string>{"|1||||4|4|||", "| ||||7|7|||", "|3||||0|1|||", "|||||1|1|||",
                                      kEmptyRow}));
}

TEST(Reference, ReadsNumbersAsTheyStandUnderTheChosenSeparator) {
  // No separator swap as the imports make: a comma only reads with "Inglese".
  Grid table = tableOf(3, {"|1||||10,5|1", "|2||||0.5|0"});
  Board plain = withTable(table, 2);
  EXPECT_THROW(reference(plain), ConversionError);
  EXPECT_EQ(dataRows(plain.workspace.StringGrid1), dataRows(table));

  Board english = withTable(table, 2);
  english.controls.RB_EN = true;
  reference(english);
  EXPECT_EQ(english.workspace.StringGrid1.cell(5, 1), "10");

  // The user's separator both reads and writes.
  Board italian = withTable(tableOf(3, {"|1||||10,5|1", "|2||||0,25|0"}), 2);
  italian.controls.decimalSeparator = ',';
  reference(italian);
  EXPECT_EQ(italian.workspace.StringGrid1.cell(5, 1), "10,25");
}

TEST(Reference, FailuresStopWhereTheTextIsNotANumber) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int cursor;
    std::vector<std::string> after;  // empty: the table is unchanged
  };
  const Case cases[] = {
      {"empty X on the cursor row", {"|1||||1|1", "|2|||||3"}, 2, {}},
      {"letters in Y on the cursor row", {"|1||||1|1", "|2||||3|abc"}, 2, {}},
      {"bad Y midway: rows above rewritten, the row and those below not",
       {"|1||||5|5", "|2||||3|x", "|3||||6|6"},
       1,
       {"|1||||0|0|||", "|2||||3|x|||", "|3||||6|6|||"}},
      {"empty X midway", {"|1||||5|5", "|2|||||4"}, 1, {"|1||||0|0|||", "|2|||||4|||"}},
      {"beyond a 32-bit float", {"|1||||1e39|0", "|2||||1|1"}, 2, {}},
  };
  for (const Case& c : cases) {
    Grid table = tableOf(static_cast<int>(c.rows.size()) + 1, c.rows);
    Board run = withTable(table, c.cursor);
    EXPECT_THROW(reference(run), ConversionError) << c.name;
    EXPECT_EQ(dataRows(run.workspace.StringGrid1), c.after.empty() ? dataRows(table) : c.after)
        << c.name;
  }
}

TEST(Reference, ADifferenceBeyondAFloatStopsAtItsRow) {
  Board run = withTable(tableOf(4, {"|1||||1|1", "|2||||3e38|0", "|3||||-3e38|0"}), 3);
  EXPECT_THROW(reference(run), Error);
  EXPECT_EQ(dataRows(run.workspace.StringGrid1),
            (std::vector<std::string>{"|1||||3.00000000549776E38|1|||", "|2||||3e38|0|||",
                                      "|3||||-3e38|0|||"}));
}

TEST(Reference, ACursorOutsideTheTableIsRefused) {
  for (int row : {0, 3, -1}) {
    Board run = withTable(tableOf(3, {"|1||||1|1"}), row);
    EXPECT_THROW(reference(run), Error) << row;
  }
}

}  // namespace
}  // namespace brisel
