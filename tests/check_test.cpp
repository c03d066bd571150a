// The table check: each kind of finding from one fault, the groups found
// without comparing pairs (squares side by side, far coordinates), and a
// table that no cell text can make it throw on or change.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "core/text.h"
#include "table/check.h"
#include "tests/table_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using testing::putRow;
using testing::rowText;

// A clean component row: number, reference, value, X, Y, angle, footprint.
std::string row(int n, std::string_view x = "", std::string_view y = "") {
  std::string at = std::to_string(n * 10);
  return "|" + std::to_string(n) + "|R" + std::to_string(n) + "|10K||" +
         std::string(x.empty() ? at : x) + "|" + std::string(y.empty() ? at : y) + "|90|R0603|";
}

// "ROW CODE" of each finding, in order.
std::vector<std::string> found(const Grid& table, NumberFormat format = {}) {
  std::vector<std::string> out;
  for (const Finding& f : checkTable(table, format))
    out.push_back(std::to_string(f.row) + " " + std::string(findingCodeName(f.code)));
  return out;
}

Grid board(const std::vector<std::string>& rows) {
  Grid table(10, static_cast<int>(rows.size()) + 3);
  for (std::size_t i = 0; i < rows.size(); ++i) putRow(table, static_cast<int>(i) + 1, rows[i]);
  return table;
}

TEST(TableCheck, EachFaultGivesExactlyItsFindings) {
  struct Case {
    const char* name;
    std::string faulty;  // replaces row 2 of four clean rows
    std::vector<std::string> expected;
    std::string third = {};  // replaces row 3 when given
  };
  const std::vector<Case> cases = {
      {"clean", row(2), {}},
      {"duplicate-reference",
       "|2|R3|10K||20|20|90|R0603|",
       {"2 duplicate-reference", "3 duplicate-reference"}},
      {"no-value empty", "|2|R2|  ||20|20|90|R0603|", {"2 no-value"}},
      {"no-value ???", "|2|R2|???||20|20|90|R0603|", {"2 no-value"}},
      {"not-a-number X", "|2|R2|10K||abc|20|90|R0603|", {"2 not-a-number"}},
      {"not-a-number Y and angle",
       "|2|R2|10K||20|1e39|9.5|R0603|",
       {"2 not-a-number", "2 not-a-number"}},
      {"not-a-number number", "|x|R2|10K||20|20|90|R0603|", {"2 not-a-number"}},
      {"no-reference", "|2| \t ||||||", {"2 no-reference"}},
      {"no number: not written", "||R2|???||abc|||a b|", {}},
      {"same-place", "|2|R2|10K||30.005|29.995|90|R0603|", {"2 same-place", "3 same-place"}},
      {"blank-in-field", "|2|R2|10 K||20|20|90|R 0603|", {"2 blank-in-field", "2 blank-in-field"}},
      {"odd-angle", "|2|R2|10K||20|20|45|R0603|", {"2 odd-angle"}},
      {"-90 as 65446 is square", "|2|R2|10K||20|20|65446|R0603|", {}},
      {"negative-position", "|2|R2|10K||20|-0.5|90|R0603|", {"2 negative-position"}},
      {"-0 is no negative position", "|2|R2|10K||-0|20|90|R0603|", {}},
      {"unknown-side", "|2|R2|10K| top |20|20|90|R0603|", {"2 unknown-side"}},
      {"sides T and B", "|2|R2|10K| B |20|20|90|R0603|", {}},
      {"every kind, by kind",
       "|x|R3|??? ||30|30|45|A B|",
       {"2 duplicate-reference", "2 no-value", "2 not-a-number", "2 same-place", "2 blank-in-field",
        "2 odd-angle", "3 duplicate-reference", "3 same-place"}},
      // What the machine record cuts or must not place.
      {"reference-cut", "|2|R234567890|10K||20|20|90|R0603|", {"2 reference-cut"}},
      {"8 characters are kept whole", "|2| R2345678 |10K||20|20|90|R0603|", {}},
      {"reference-cut-same",
       "|2|RESISTOR1|10K||20|20|90|R0603|",
       {"2 reference-cut", "2 reference-cut-same", "3 reference-cut", "3 reference-cut-same"},
       "|3|RESISTOR2|10K||30|30|90|R0603|"},
      {"reference-cut-same: other boards",
       "|2|RESISTOR1|10K||20|20|90|R0603|1",
       {"2 reference-cut", "3 reference-cut"},
       "|3|RESISTOR2|10K||30|30|90|R0603|2"},
      {"duplicate-reference: within a board only",
       "|2|R9|10K||20|20|90|R0603|1",
       {},
       "|3|R9|10K||30|30|90|R0603|2"},
      {"value-cut", "|2|R2|GRM155R71C104KA88D||20|20|90|R0603|", {"2 value-cut"}},
      {"value-cut-same",
       "|2|R2|CAP_0603_100NF||20|20|90|R0603|",
       {"2 value-cut-same", "3 value-cut", "3 value-cut-same"},
       "|3|R3|CAP_0603_100NF_X7R||30|30|90|R0603|"},
      {"values cut alike but the same", "|2|R2|10K||20|20|90|R0603|", {}},
      {"number-range", "|70000|R2|10K||20|20|90|R0603|", {"2 number-range"}},
      {"number-range onto another number",
       "|65537|R2|10K||20|20|90|R0603|",
       {"1 duplicate-number", "2 number-range", "2 duplicate-number"}},
      {"duplicate-number",
       "|3|R2|10K||20|20|90|R0603|",
       {"2 duplicate-number", "3 duplicate-number"}},
      {"fiducial reference", "|2|FID1|10K||20|20|90|R0603|", {"2 fiducial"}},
      {"fiducial footprint", "|2|R2|10K||20|20|90|Fiducial_1mm|", {"2 fiducial"}},
      {"no fiducial", "|2|FID1A|10K||20|20|90|R0603|", {}},
      {"not-to-place", "|2|R2|dnp||20|20|90|R0603|", {"2 not-to-place"}},
      {"not-to-place, words",
       "|2|R2|Do Not Place||20|20|90|R0603|",
       {"2 blank-in-field", "2 not-to-place"}},
      {"placed", "|2|R2|NCP||20|20|90|R0603|", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Grid table = board({row(1), c.faulty, c.third.empty() ? row(3) : c.third, row(4)});
    EXPECT_EQ(found(table), c.expected);
  }
}

// The docs' table of codes is the codes' own table: each code's name,
// severity and line, in the order findings are listed.
TEST(TableCheck, TheDocsListEveryCodeAsTheCheckHasIt) {
  std::string expected = "| Code | Severity | When |\n|---|---|---|\n";
  const char* const severities[] = {"error", "warning", "information"};
  for (const CheckCode& code : checkCodes())
    expected += "| `" + std::string(code.name) + "` | " +
                severities[static_cast<int>(code.severity)] + " | " + std::string(code.doc) +
                " |\n";
  const std::string docs = testing::readFile(std::filesystem::path(BRISEL_DOCS) / "checks.md");
  const std::size_t start = docs.find("| Code | Severity | When |");
  ASSERT_NE(start, std::string::npos) << "docs/checks.md has no table of codes";
  std::size_t end = start;
  while (end < docs.size() && docs[end] == '|') end = docs.find('\n', end) + 1;
  EXPECT_EQ(docs.substr(start, end - start), expected);
}

TEST(TableCheck, SamePlaceAcrossSquaresAndFarAway) {
  struct Case {
    const char* ax;
    const char* ay;
    const char* bx;
    const char* by;
    bool same;
  };
  const Case cases[] = {
      {"0.009", "5", "0.011", "5", true},          // squares side by side in X
      {"5", "-0.004", "5", "0.004", true},         // across zero in Y
      {"1.004", "2.004", "0.996", "1.996", true},  // diagonal squares
      {"1.004", "1.996", "0.996", "2.004", true},  // the other diagonal
      {"0", "0", "0.01", "0.01", true},            // at the distance
      {"0", "0", "0.0201", "0", false},
      {"0", "0", "0.005", "0.0201", false},
      {"0", "0", "-0.0199", "0.0199", false},
      {"1e30", "5", "1e30", "5", true},  // a float's step is wider than the distance
      {"1e30", "5", "2e30", "5", false},
      {"3e38", "-3e38", "3e38", "-3e38", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ax) + "," + c.ay + " " + c.bx + "," + c.by);
    Grid table = board({row(1, c.ax, c.ay), row(2, "500", "500"), row(3, c.bx, c.by)});
    std::vector<std::string> expected;
    if (c.same) expected = {"1 same-place", "3 same-place"};
    std::vector<std::string> samePlace;
    for (const std::string& finding : found(table))
      if (finding.ends_with(" same-place")) samePlace.push_back(finding);
    EXPECT_EQ(samePlace, expected);
  }
}

// The squares against the plain rule, every pair compared, on a few hundred
// small random boards. Coordinates fall on whole thousandths within a few
// hundredths of each other, so squares side by side, diagonal neighbours and
// pairs exactly at the distance all come up; a wrong neighbouring square shows
// as a row found or missed.
TEST(TableCheck, SamePlaceAgreesWithEveryPairCompared) {
  std::mt19937 random(16);
  const int bases[] = {0, 12340, -1000000, 999990};  // thousandths of a millimetre
  for (int trial = 0; trial < 400; ++trial) {
    const int parts = 2 + static_cast<int>(random() % 14);
    const int base = bases[trial % 4];
    std::vector<std::string> rows;
    std::vector<double> xs, ys;
    auto coordinate = [&](std::vector<double>& values) {
      const int thousandths = base + static_cast<int>(random() % 61) - 30;
      std::string text = std::to_string(thousandths / 1000.0);
      values.push_back(*tryTextToFloat(text, {'.', false}));
      return text;
    };
    for (int n = 1; n <= parts; ++n) {
      const std::string x = coordinate(xs);
      const std::string y = coordinate(ys);
      rows.push_back(row(n, x, y));
    }
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < xs.size(); ++i)
      for (std::size_t j = 0; j < xs.size(); ++j)
        if (i != j && std::fabs(xs[i] - xs[j]) <= kSamePlace &&
            std::fabs(ys[i] - ys[j]) <= kSamePlace) {
          expected.push_back(std::to_string(i + 1) + " same-place");
          break;
        }
    std::vector<std::string> samePlace;
    for (const std::string& finding : found(board(rows)))
      if (finding.ends_with(" same-place")) samePlace.push_back(finding);
    ASSERT_EQ(samePlace, expected) << "board " << trial << ": " << ::testing::PrintToString(rows);
  }
}

TEST(TableCheck, ReadsNumbersAsTheWritersDo) {
  Grid table = board({row(1, "1,5", "2"), row(2)});
  EXPECT_EQ(found(table, {'.', false}), std::vector<std::string>{"1 not-a-number"});
  EXPECT_TRUE(found(table, {'.', true}).empty());  // "Inglese"
  EXPECT_TRUE(found(table, {',', false}).empty());
}

TEST(TableCheck, FindingsNameTheReferenceAndTheColumn) {
  Grid table = board({"|1| C7 |10K||abc|1|0|R0603|"});
  std::vector<Finding> findings = checkTable(table, {});
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].reference, "C7");
  EXPECT_EQ(findings[0].text, "C7: colonna X: 'abc' non \xC3\xA8 un valore numerico valido");
}

TEST(TableCheck, HostileCellsNeitherThrowNorChange) {
  Grid table(10, 300);
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  for (int r = 1; r < 300; ++r)
    for (int c = 0; c < 10; ++c)
      table.setCell(c, r,
                    bytes.substr(static_cast<std::size_t>((r * 7 + c * 13) % 256),
                                 static_cast<std::size_t>((r + c) % 9)));
  table.setCell(1, 5, "5");
  table.setCell(2, 5, "");
  Grid before = table;
  std::vector<Finding> findings;
  EXPECT_NO_THROW(findings = checkTable(table, {}));
  EXPECT_FALSE(findings.empty());
  for (int r = 0; r < 300; ++r) ASSERT_EQ(rowText(table, r), rowText(before, r));
  EXPECT_NO_THROW(checkTable(Grid(3, 2), {}));  // narrower than a component table
}

// A position below zero or an unknown side is told, not marked as a fault.
TEST(TableCheck, RowsWithFindingsOnceEachInOrder) {
  Grid table =
      board({row(1, "-1"), "|2|R3|???||30|30|45|R0603|", row(3), "|4|R4|1K|X|5|5|0|R0603|"});
  EXPECT_EQ(rowsWithFindings(checkTable(table, {})), (std::vector<int>{2, 3}));
}

}  // namespace
}  // namespace brisel
