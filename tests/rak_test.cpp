#include <gtest/gtest.h>

#include <random>

#include "core/text.h"
#include "table/operations.h"
#include "tests/table_kit.h"

namespace brisel {
namespace {

using testing::dataRows;
using testing::kEmptyRow;
using testing::putRow;
using testing::rowText;
using testing::tableOf;

struct Board {
  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
  testing::RecordingProgress progress;

  Board(std::string_view rak, Grid table) {
    controls.Edit7 = dir.write("RULES.RAK", rak);
    workspace.StringGrid1 = std::move(table);
  }
  Outcome apply() { return applyRak(workspace, controls, progress); }
  std::vector<std::string> rules() const { return dataRows(workspace.StringGrid3); }
  std::vector<std::string> rows() const { return dataRows(workspace.StringGrid1); }
};

// A component row: number, reference, value, angle.
std::string component(int number, std::string_view value, std::string_view angle) {
  return "|" + std::to_string(number) + "|R" + std::to_string(number) + "|" + std::string(value) +
         "||1|2|" + std::string(angle) + "|F";
}

TEST(RakAngles, OneSubtractionAndOneAdditionAtMost) {
  struct Case {
    const char* rule;
    const char* angle;
    const char* corrected;
  };
  const Case cases[] = {
      {"10K:90", "270", "360"},      // 360 stays 360
      {"10K:90", "300", "30"},       // wrap-around
      {"10K:-90", "0", "270"},       // below 0
      {"10K:500", "300", "440"},     // 800: 360 is taken once only
      {"10K:-500", "-300", "-440"},  // -800: 360 is added once only
      {"10K:0", "65446", "65086"},   // the unsigned 16-bit form of the imports
      {"10K:+5", " 7 ", "12"},
      // 32-bit angles whose sum leaves the 32-bit range: the exact sum.
      {"10K:2147483647", "2147483647", "4294966934"},
      {"10K:-2147483648", "-2147483648", "-4294966936"},
  };
  for (const Case& c : cases) {
    Board run(c.rule, tableOf(2, {component(1, "10K", c.angle)}));
    run.apply();
    EXPECT_EQ(run.workspace.StringGrid1.cell(7, 1), c.corrected) << c.rule << " " << c.angle;
  }
}

TEST(RakRules, LinesAreRulesCommentsOrNothing) {
  struct Case {
    std::string file;
    std::vector<std::string> rules;  // StringGrid3 rows 1 on, "value|angle"
  };
  const Case cases[] = {
      {"  10K  :  90  \n", {"10K|90"}},
      {"\t10K\t:\t90\r\n", {"10K|90"}},
      {";10K:90\n", {"|"}},                        // a comment
      {" ;10K:90\n", {";10K|90"}},                 // ';' after a blank is a value
      {"A:B:C\n", {"A|B:C"}},                      // the first ':' splits
      {"no colon\n\n   \n10K 90\n", {"|"}},        // not rules
      {":90\n", {"|90"}},                          // an empty value
      {"X:", {"X|"}},                              // last line without a line end
      {"B:1\nB:2\nA:0\n", {"A|0", "B|2", "B|1"}},  // the order of equal rules
      {"", {"|"}},
      // A read takes 99 characters: the rest of the line is a line of its own.
      {std::string(98, 'x') + ":90\n" + std::string(97, 'y') + ":5:6\n",
       {"|6", std::string(98, 'x') + "|", std::string(97, 'y') + "|5"}},
  };
  for (const Case& c : cases) {
    Board run(c.file, tableOf(1, {}));
    run.apply();
    EXPECT_EQ(run.rules(), c.rules) << escapeControls(c.file);
    EXPECT_EQ(rowText(run.workspace.StringGrid3, 0), "Valore|Angolo");
  }
}

TEST(RakRules, TheFirstOfEqualRulesInTheSortedListWins) {
  Board run("B:1\nB:2\nA:0\n", tableOf(3, {component(1, "B", "10"), component(2, "A", "10")}));
  run.apply();
  EXPECT_EQ(run.rows(), (std::vector<std::string>{component(1, "B", "12") + "|",
                                                  component(2, "A", "10") + "|"}));
}

TEST(RakRules, AHostileFileOfManyEqualRulesSortsAsTheExchangeSort) {
  std::mt19937 random(5);
  std::string file;
  std::vector<std::pair<std::string, std::string>> rules;
  for (int i = 0; i < 400; ++i) {
    std::string value(1, static_cast<char>('A' + random() % 5));
    std::string angle = std::to_string(i);
    file += value + ":" + angle + "\n";
    rules.emplace_back(value, angle);
  }
  for (std::size_t i = 0; i + 1 < rules.size(); ++i)
    for (std::size_t j = i + 1; j < rules.size(); ++j)
      if (textLess(rules[j].first, rules[i].first)) std::swap(rules[i], rules[j]);
  Board run(file, tableOf(2, {}));
  run.apply();
  std::vector<std::string> expected;
  for (const auto& [value, angle] : rules) expected.push_back(value + "|" + angle);
  EXPECT_EQ(run.rules(), expected);
}

TEST(RakRules, ANewRunReplacesTheWholeRuleList) {
  Board run("A:1\nB:2\nC:3\n", tableOf(2, {}));
  run.apply();
  ASSERT_EQ(run.workspace.StringGrid3.RowCount(), 4);
  run.dir.write("RULES.RAK", "; nothing\n");
  run.apply();
  EXPECT_EQ(run.workspace.StringGrid3.RowCount(), 2);
  EXPECT_EQ(run.rules(), (std::vector<std::string>{"|"}));
}

TEST(RakKeys, ValuesAreTrimmedAndComparedExactly) {
  Board run("10K:90\n", tableOf(5, {component(1, " 10K ", "0"), component(2, "10k", "0"),
                                    component(3, "10K\t", "0"), component(4, "10K0", "0")}));
  run.apply();
  EXPECT_EQ(run.rows(), (std::vector<std::string>{component(1, " 10K ", "90") + "|",
                                                  component(3, "10K\t", "90") + "|"}));
  EXPECT_EQ(run.workspace.StringGrid1.cell(1, 2), "3");
}

TEST(RakRemoval, TheElevenRowExample) {
  // Rows 1 to 3 hold components, rows 4 to 10 are empty; rules name two.
  Board run("C:0\nA:0\n",
            tableOf(11, {component(1, "A", "1"), component(2, "B", "2"), component(3, "C", "3")}));
  run.apply();
  EXPECT_EQ(run.workspace.StringGrid1.RowCount(), 3);
  EXPECT_EQ(run.rows(),
            (std::vector<std::string>{component(1, "A", "1") + "|", component(3, "C", "3") + "|"}));
}

TEST(RakRemoval, OnlyColumnsOneToNineMoveUp) {
  // Column 0 stays with its row places, the board (column 9) goes with its
  // row; a kept row without a number is corrected and still removed; columns
  // 0 to 9 of unnamed rows are emptied.
  Grid table(10, 6);
  putRow(table, 1, "a0|1|R1|X|x|1|1|10|F1|a9");
  putRow(table, 2, "b0|2|R2|Y|y|2|2|20|F2|b9");
  putRow(table, 3, "c0||R3|X|z|3|3|30|F3|c9");
  putRow(table, 4, "d0|4|R4|X|w|4|4|40|F4|d9");
  putRow(table, 5, "e0|5|R5|X|v|5|5|50|F5|e9");
  Board run("X:5\n", table);
  run.apply();
  EXPECT_EQ(run.workspace.StringGrid1.RowCount(), 4);
  EXPECT_EQ(run.rows(),
            (std::vector<std::string>{"a0|1|R1|X|x|1|1|15|F1|a9", "|4|R4|X|w|4|4|45|F4|d9",
                                      "c0|5|R5|X|v|5|5|55|F5|e9"}));
  EXPECT_EQ(rowText(run.workspace.StringGrid1, 0), kEmptyRow);
}

TEST(RakRemoval, NoRuleRemovesEveryRow) {
  Board run("; only a comment\n", tableOf(13, {component(1, "A", "1"), component(2, "B", "2")}));
  run.apply();
  EXPECT_EQ(run.workspace.StringGrid1.RowCount(), 1);
  EXPECT_FALSE(run.workspace.Button17Enabled);
}

TEST(RakFailures, ARuleAngleFailsOnlyWhenARowUsesIt) {
  Board unused("A:B:C\nX:90\n", tableOf(2, {component(1, "X", "0")}));
  unused.apply();
  EXPECT_EQ(unused.rows(), (std::vector<std::string>{component(1, "X", "90") + "|"}));

  Board used("A:B:C\nX:90\n", tableOf(3, {component(1, "X", "0"), component(2, "A", "0")}));
  EXPECT_THROW(used.apply(), ConversionError);
}

TEST(RakFailures, AFailureMidTableKeepsEarlierRowsDoneAndRemovesNothing) {
  Grid table = tableOf(6, {component(1, "X", "10"), component(2, "Q", "20"),
                           component(3, "X", "abc"), component(4, "X", "40")});
  Board run("X:90\n", table);
  try {
    run.apply();
    ADD_FAILURE() << "no conversion failure";
  } catch (const ConversionError& error) {
    EXPECT_EQ(error.text(), "abc");
  }
  EXPECT_EQ(run.rows(), (std::vector<std::string>{component(1, "X", "100") + "|", kEmptyRow,
                                                  component(3, "X", "abc") + "|",
                                                  component(4, "X", "40") + "|", kEmptyRow}));
  EXPECT_EQ(run.rules(), (std::vector<std::string>{"X|90"}));
  EXPECT_FALSE(run.workspace.Button17Enabled);
  EXPECT_EQ(run.progress.events, "show 16 33 50 hide ");
}

TEST(RakFailures, AnEmptyValueRuleNamesEmptyRowsToo) {
  // The empty rows are named by ':90': the first with no angle stops the run.
  Board run(":90\nA:1\n", tableOf(5, {component(1, "A", "1"), "|2|R2|||1|1|5", "|3|R3| ||1|1|"}));
  EXPECT_THROW(run.apply(), ConversionError);
  EXPECT_EQ(run.rows(), (std::vector<std::string>{component(1, "A", "2") + "|", "|2|R2|||1|1|95||",
                                                  "|3|R3| ||1|1|||", kEmptyRow}));
}

TEST(RakFailures, AnUnopenedFileChangesNothing) {
  Board run("A:1\n", tableOf(4, {component(1, "A", "1")}));
  run.apply();
  Workspace before = run.workspace;
  before.Button17Enabled = true;
  run.workspace.Button17Enabled = true;
  for (auto path : {run.dir / "MISSING.RAK", run.dir.path()}) {
    run.controls.Edit7 = path;
    run.progress.events.clear();
    Outcome outcome = run.apply();
    EXPECT_EQ(outcome.messages, (std::vector<Message>{kRakOpenErrorMessage}));
    EXPECT_EQ(outcome.unopened, path);
    EXPECT_TRUE(run.workspace.Button17Enabled);
    EXPECT_EQ(run.rows(), dataRows(before.StringGrid1));
    EXPECT_EQ(run.rules(), dataRows(before.StringGrid3));
    EXPECT_EQ(run.progress.events, "");
  }
}

TEST(RakProgress, ShownAdvancedThroughBothLoopsAndHidden) {
  // Four rows (0 to 3): the rules at 1 x 100 / 4 and 2 x 100 / 4 and 75, then
  // the removal with the shrinking row count: row 1 of 4 (25, removed), row 1
  // of 3 (33), row 2 of 3 (66).
  Board run("A:0\n",
            tableOf(4, {component(1, "B", "0"), component(2, "A", "0"), component(3, "A", "0")}));
  Outcome outcome = run.apply();
  EXPECT_TRUE(outcome.messages.empty());
  EXPECT_EQ(run.progress.events, "show 25 50 75 25 33 66 hide ");
}

}  // namespace
}  // namespace brisel

namespace brisel {
namespace {

template <class Action>
std::string failureOf(Action action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no failure";
}

TEST(RakReport, ListsTheRemovedComponentsAndTheUnusedRules) {
  // Row 2 has no rule, row 3 a reference but no number, row 4 is empty;
  // rule 5 (10K listed twice) and rule 6 match no row.
  Grid table = tableOf(8, {component(1, "1K", "0"), component(2, "2K", "0"), "||R3|1K||1|2|0|F",
                           kEmptyRow, component(5, " 1K ", "90")});
  Board board("; rules\n1K:90\n\n10K:0\n10K:90\nNOPE:0\n", std::move(table));
  EXPECT_TRUE(board.apply().messages.empty());
  const RakReport& report = board.workspace.rakReport;
  EXPECT_TRUE(report.ran);
  EXPECT_EQ(report.removed, (std::vector<RakRemoved>{{2, "R2", "2K"}, {3, "R3", "1K"}}));
  EXPECT_EQ(report.unused, (std::vector<RakUnused>{{4, "10K"}, {5, "10K"}, {6, "NOPE"}}));
}

TEST(RakReport, ConversionErrorsNameTheRuleLineOrTheCell) {
  Board rule("1K:90\n2K:x9\n", tableOf(4, {component(1, "2K", "0")}));
  EXPECT_STREQ(failureOf([&] { rule.apply(); }).c_str(),
               "RULES.RAK, riga 2: 'x9' non \xC3\xA8 un valore numerico valido");
  EXPECT_FALSE(rule.workspace.rakReport.ran);
  Board cell("1K:90\n", tableOf(4, {component(1, "1K", "9 0")}));
  EXPECT_STREQ(failureOf([&] { cell.apply(); }).c_str(),
               "Riga 1, colonna Angolo: '9 0' non \xC3\xA8 un valore numerico valido");
}

}  // namespace
}  // namespace brisel
