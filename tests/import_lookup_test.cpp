// The CMP and BOM imports: every row of the table looked up by its trimmed
// reference, the first line of a reference winning, the value line nearest
// above it for CMP; and the same results as scanning the file again for every
// row, on random files and tables.
#include <gtest/gtest.h>

#include <random>

#include "core/lines.h"
#include "core/text.h"
#include "tests/import_fixture.h"

namespace brisel {
namespace {

using testing::ImportFixture;
using testing::rowText;

class Lookup : public ::testing::Test, public ImportFixture {
 protected:
  // Puts the references into column 2 of rows 1, 2, ..., leaves column 2 of
  // the other rows empty and fills every other cell with an "old" text.
  void references(const std::vector<std::string>& keys, int rows = 10) {
    fillTable(rows);
    for (int r = 1; r < rows; ++r) table().clearCell(2, r);
    for (std::size_t i = 0; i < keys.size(); ++i)
      table().setCell(2, static_cast<int>(i) + 1, keys[i]);
  }
  // Columns 3 and 8 of a row.
  std::pair<std::string, std::string> valueAndFootprint(int r) {
    return {std::string(cell(3, r)), std::string(cell(8, r))};
  }
};

using Pair = std::pair<std::string, std::string>;

TEST_F(Lookup, CmpTakesTheValueLineNearestAboveTheFirstMatch) {
  references({"C2", "R1", "R7", "  R1 \t", "r1", "", "   "});
  cmp(".REM 100nF\nC1 C0805\nC2 C0805\n.REM 10K\nR1 R0603\n.REM 22K\nR1 R0805\n");
  EXPECT_EQ(valueAndFootprint(1), Pair("100nF", "C0805"));
  EXPECT_EQ(valueAndFootprint(2), Pair("10K", "R0603"));
  for (int r : {3, 5, 6, 7, 8, 9}) EXPECT_EQ(valueAndFootprint(r), Pair("", "")) << r;
  EXPECT_EQ(valueAndFootprint(4), Pair("10K", "R0603"));
  EXPECT_EQ(row(1), "old0.1|old1.1|C2|100nF|old4.1|old5.1|old6.1|old7.1|C0805|old9.1");
  EXPECT_EQ(row(0), "old0.0|old1.0|old2.0|old3.0|old4.0|old5.0|old6.0|old7.0|old8.0|old9.0");
  EXPECT_EQ(table().RowCount(), 10);
}

TEST_F(Lookup, CmpLinesAndTheirTexts) {
  const std::pair<const char*, Pair> cases[] = {
      {".REM 4K7 1%\nR3 RES 0603\n", {"4K7_1%", "RES_0603"}},
      {".REM  10K\nR3  R0603 \n", {"10K", "R0603"}},
      {".REM\tX Y\nR3\n", {"X_Y", "R3"}},
      {"R3 R0603\n.REM 10K\n", {"", "R0603"}},
      {"note.REM 22uF\nR3 C1206\n", {"22uF", "C1206"}},
      {".REM 10K\n.REM\nR3 R0603\n", {"", "R0603"}},
      {".REM10K\nR3 R0603\n", {"0K", "R0603"}},
      {".REM 10K\nR3.REM 1\nR3 R0603", {"1", "R0603"}},
      {".REM 10K\n R3 R0603\nR3 X\n", {"10K", "X"}},
      {".REM 10K\n\tR3 SOT 23\r\n", {"10K", "SOT_23"}},
      {".REM 10K\nR3\tR0603\nR3 R0805\n", {"10K", "R0805"}},
  };
  for (const auto& [file, expected] : cases) {
    references({"R3"});
    cmp(file);
    EXPECT_EQ(valueAndFootprint(1), expected) << file;
  }
}

TEST_F(Lookup, CmpReadsLongLinesNinetyNineCharactersAtATime) {
  std::string footprint(98 - 3, 'F');
  std::string cut = "R1 " + std::string(96, 'G') + "R2 X";  // "R2 X" is a line of its own
  references({"R1", "R2", "R3"});
  cmp(".REM 10K\nR3 " + footprint + "\n" + cut + "\n");
  EXPECT_EQ(valueAndFootprint(1), Pair("10K", std::string(96, 'G')));
  EXPECT_EQ(valueAndFootprint(2), Pair("10K", "X"));
  EXPECT_EQ(valueAndFootprint(3), Pair("10K", footprint));
}

TEST_F(Lookup, BomTakesTheFirstWordAfterTheFirstMatchingDesignator) {
  references({"R12", "  R12  ", "r12", "R9", "C1", "C1,C2", "R4", "", "R5"}, 12);
  bom("Bill of materials\nR12 10K 0805\nR12 22K\nC1,C2 100nF\n R4 10K\nR5\nR9 100K");
  const char* expected[] = {"10K", "10K", "", "100K", "", "100nF", "", "", "", "", ""};
  for (int r = 1; r < 12; ++r) EXPECT_EQ(cell(3, r), expected[r - 1]) << r;
  EXPECT_EQ(row(1), "old0.1|old1.1|R12|10K|old4.1|old5.1|old6.1|old7.1|old8.1|old9.1");
  EXPECT_EQ(table().RowCount(), 12);
}

TEST_F(Lookup, BomLinesAndTheirValues) {
  const std::pair<const char*, const char*> cases[] = {
      {"R12     4K7\n", "4K7"}, {"R12 10K\tX Y\n", "10K\tX"},
      {"R12\t10K\n", ""},       {"R12 \t 10K\n", "10K"},
      {"R12\r\n", ""},          {"R12 10K\r\nR12 1\n", "10K"},
  };
  for (auto [file, expected] : cases) {
    references({"R12"});
    bom(file);
    EXPECT_EQ(cell(3, 1), expected) << file;
  }
}

// Counting the designator's length from the line's start cut "\tR12 10K"
// into "2 10K" and gave R12 the value "2".
TEST_F(Lookup, BomValueFollowsADesignatorThatBlanksPrecede) {
  references({"R12", "C1"});
  bom("\tR12 10K 0805\n\x01\x02"
      "C1  100nF\n");
  EXPECT_EQ(cell(3, 1), "10K");
  EXPECT_EQ(cell(3, 2), "100nF");
}

TEST_F(Lookup, BomReadsLongLinesNinetyNineCharactersAtATime) {
  std::string line120 = "R1 " + std::string(96, 'A') + "R2 22K " + std::string(14, 'x');
  ASSERT_EQ(line120.size(), 120u);
  references({"R1", "R2"});
  bom(line120 + "\n");
  EXPECT_EQ(cell(3, 1), std::string(96, 'A'));
  EXPECT_EQ(cell(3, 2), "22K");
}

TEST_F(Lookup, AnEmptyTableLosesEveryValue) {
  references({});
  bom("R1 10K\n");
  cmp(".REM 10K\nR1 R0603\n");
  for (int r = 1; r < 10; ++r) EXPECT_EQ(valueAndFootprint(r), Pair("", "")) << r;
  EXPECT_EQ(cell(7, 5), "old7.5");
}

TEST_F(Lookup, AFileThatCannotBeOpenedChangesNothing) {
  for (Operation operation : {importCmp, importBom}) {
    references({"R1"});
    workspace.Button17Enabled = false;
    Grid before = table();
    controls.Edit3 = controls.Edit6 = dir / "missing";
    Outcome outcome = operation(workspace, controls, progress);
    EXPECT_EQ(outcome.unopened, dir / "missing");
    EXPECT_TRUE(outcome.messages.empty());
    for (int r = 0; r < 10; ++r) EXPECT_EQ(row(r), rowText(before, r));
    EXPECT_FALSE(workspace.Button17Enabled);
    EXPECT_FALSE(workspace.BU_FootPrintEnabled);
  }
}

TEST_F(Lookup, ButtonsAndProgressAreLeftAlone) {
  references({"R1"});
  workspace.BU_FootPrintEnabled = true;
  workspace.Button17Enabled = false;
  EXPECT_FALSE(cmp(".REM 1\nR1 X\n").unopened);
  EXPECT_FALSE(bom("R1 1\n").unopened);
  EXPECT_TRUE(workspace.BU_FootPrintEnabled);
  EXPECT_FALSE(workspace.Button17Enabled);
  EXPECT_EQ(progress.events, "");
}

// The imports as first described: the file read again from its start for
// every row with a reference.
void rescanCmp(Grid& table, const std::filesystem::path& file) {
  for (int i = 1; i < table.RowCount(); ++i) {
    std::string key(trim(table.cell(2, i)));
    std::string current, value, footprint;
    LineReader reader(file);
    std::string line;
    while (!key.empty() && reader.next(line)) {
      if (!line.empty() && line.back() == '\n') line.pop_back();
      std::size_t mark = line.find(".REM");
      if (mark != std::string::npos) {
        current = mark + 5 < line.size() ? trim(line.substr(mark + 5)) : "";
        continue;
      }
      std::size_t space = line.find(' ');
      std::string reference(trim(line.substr(0, space)));
      if (reference == key) {
        value = current;
        footprint = space == std::string::npos ? trim(line) : trim(line.substr(space + 1));
        break;
      }
    }
    table.setCell(3, i, spacesToUnderscores(value));
    table.setCell(8, i, spacesToUnderscores(footprint));
  }
}

void rescanBom(Grid& table, const std::filesystem::path& file) {
  for (int i = 1; i < table.RowCount(); ++i) {
    std::string key(trim(table.cell(2, i)));
    std::string result;
    LineReader reader(file);
    std::string line;
    while (!key.empty() && reader.next(line)) {
      if (!line.empty() && line.back() == '\n') line.pop_back();
      std::string designator(trim(line.substr(0, line.find(' '))));
      if (designator != key) continue;
      std::string rest(trim(line.substr(line.find(designator) + designator.size())));
      result = trim(rest.substr(0, rest.find(' ')));
      break;
    }
    table.setCell(3, i, result);
  }
}

// Random files of few references, many repeated, in every case; blanks, tabs,
// carriage returns, value marks in odd places and lines past 99 characters.
class RandomBoard {
 public:
  explicit RandomBoard(unsigned seed) : random_(seed) {}

  std::string reference() {
    static const char* kReferences[] = {"R1", "R2", "r1", "C1", "C10", "U1", "R1,R2", "X"};
    return kReferences[pick(std::size(kReferences))];
  }
  std::string blanks() {
    static const char* kBlanks[] = {"", "", " ", "  ", "\t", " \t "};
    return kBlanks[pick(std::size(kBlanks))];
  }
  std::string word() {
    static const char* kWords[] = {"10K", "R0603", "SOT 23", "4K7 1%", "", "100nF", ".REM", "x"};
    return kWords[pick(std::size(kWords))];
  }

  std::string line() {
    switch (pick(8)) {
      case 0:
        return blanks() + ".REM" + blanks() + word() + blanks();
      case 1:
        return word() + ".REM " + word();
      case 2:
        return blanks();
      case 3:
        return std::string(90 + pick(20), 'L') + reference() + " " + word();
      default:
        return blanks() + reference() + blanks() + " " + word() + blanks() + word();
    }
  }

  std::string file() {
    std::string out;
    std::size_t lines = pick(40);
    for (std::size_t i = 0; i < lines; ++i) out += line() + (pick(5) == 0 ? "\r\n" : "\n");
    if (pick(2) == 0 && !out.empty()) out.pop_back();
    return out;
  }

  void table(Grid& grid) {
    grid.setRowCount(1 + static_cast<int>(pick(30)));
    for (int r = 0; r < grid.RowCount(); ++r) {
      for (int c = 0; c < grid.ColCount(); ++c) grid.setCell(c, r, "old" + std::to_string(r));
      grid.setCell(2, r, pick(4) == 0 ? blanks() : blanks() + reference() + blanks());
    }
  }

 private:
  std::size_t pick(std::size_t n) { return random_() % n; }
  std::mt19937 random_;
};

TEST(LookupDifferential, IndexedImportsMatchRescanning) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomBoard board(seed);
    ImportFixture run;
    board.table(run.table());
    Grid expected = run.table();
    std::string file = board.file();
    if (seed % 2 == 0) {
      run.cmp(file);
      rescanCmp(expected, run.controls.Edit3);
    } else {
      run.bom(file);
      rescanBom(expected, run.controls.Edit6);
    }
    ASSERT_EQ(run.table().RowCount(), expected.RowCount());
    for (int r = 0; r < expected.RowCount(); ++r)
      ASSERT_EQ(run.row(r), rowText(expected, r)) << "row " << r << " of file\n" << file;
  }
}

}  // namespace
}  // namespace brisel
