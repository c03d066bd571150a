// The REP file's own rules: the two header lines, fields split at runs of
// spaces, skipped lines that leave gaps, the lenient angle, the 99-character
// reads.
#include <gtest/gtest.h>

#include "tests/import_fixture.h"

namespace brisel {
namespace {

using testing::failureOf;
using testing::ImportFixture;

constexpr std::string_view kHeader = "REF PART X Y ROT SIDE\n------\n";

class RepImport : public ::testing::Test, public ImportFixture {
 protected:
  // Imports the header and `lines`; the text of the failure or "no failure".
  std::string importLines(std::string_view lines) {
    return failureOf([&] { rep(std::string(kHeader) + std::string(lines)); });
  }
};

TEST_F(RepImport, WritesTheRowOfALine) {
  importLines("R12 A 10.5 20.25 90\n");
  EXPECT_EQ(row(1), "|1|R12|???||10.5|20.25|90||");
  EXPECT_EQ(table().RowCount(), 11);
}

TEST_F(RepImport, TheHeaderLinesAreNeverExamined) {
  fillTable(10);
  rep("R1 A 1 2 3\nR2 A x y z\n");
  EXPECT_EQ(row(1), "old0.1|old1.1|old2.1|old3.1|old4.1|old5.1|old6.1|old7.1|old8.1|old9.1");
  EXPECT_EQ(table().RowCount(), 10);
  EXPECT_TRUE(workspace.BU_FootPrintEnabled);
  EXPECT_TRUE(workspace.Button17Enabled);
}

TEST_F(RepImport, SplitsFieldsAtRunsOfSpacesOnly) {
  EXPECT_EQ(importLines("   R1    A   1.5    2   180   TOP  \t\n"
                        "R2\tX A 3 4 270\n"
                        "R3 A 1\t2 3 0\n"),
            "in.REP, riga 5: '1\\t2' non \xC3\xA8 un valore numerico valido");
  EXPECT_EQ(row(1), "|1|R1|???||1.5|2|180||");
  EXPECT_EQ(row(2), "|2|R2\tX|???||3|4|270||");
}

TEST_F(RepImport, BlankAndOneWordLinesKeepTheirRowAndTheNumbering) {
  fillTable(10);
  importLines("R1 A 1 2 0\n\n   \t \nEND\nR5 A 5 6 0\n");
  EXPECT_EQ(cell(2, 1), "R1");
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(cell(1, r), "old1." + std::to_string(r)) << r;
  EXPECT_EQ(row(5), "old0.5|5|R5|???||5|6|0|old8.5|");
  EXPECT_EQ(table().RowCount(), 15);
}

TEST_F(RepImport, FourFieldsFailOnTheEmptyY) {
  EXPECT_EQ(importLines("R1 A 1 2 0\nR2 A 1 2\n"),
            "in.REP, riga 4: '' non \xC3\xA8 un valore numerico valido");
  EXPECT_EQ(importLines("R1 A\n"), "in.REP, riga 3: '' non \xC3\xA8 un valore numerico valido");
  // Five fields with the angle last need no space after the angle.
  EXPECT_EQ(importLines("R1 A 1 2 45"), "no failure");
  EXPECT_EQ(cell(7, 1), "45");
}

TEST_F(RepImport, AnglesAreReadLeniently) {
  const std::pair<const char*, const char*> cases[] = {
      {"90", "90"},           {"90.7", "90"},    {"-90", "65446"},  {"90,5", "90"},
      {"TOP", "0"},           {"-0.5", "0"},     {"359.99", "359"}, {"70000", "4464"},
      {"123456789", "52501"}, {"1e20", "0"},     {"1e400", "0"},    {"+2.7e2deg", "270"},
      {"-65536", "0"},        {"-1e9", "13824"},
  };
  for (auto [text, angle] : cases) {
    ASSERT_EQ(importLines(std::string("R1 A 1 2 ") + text + " TOP\n"), "no failure") << text;
    EXPECT_EQ(cell(7, 1), angle) << text;
  }
}

TEST_F(RepImport, TheCheckBoxSwapsSeparatorsInEveryField) {
  controls.CB_Format = true;
  importLines("R.1 A 1,5 2.5 90.9\n");
  EXPECT_EQ(row(1), "|1|R,1|???||1.5|2.5|90||");
  controls.CB_Format = false;
  importLines("R,1 A 1,5 2.5 90,9\n");
  EXPECT_EQ(row(1), "|1|R.1|???||1.5|2.5|90||");
  controls.RB_EN = false;
  controls.decimalSeparator = ',';
  controls.CB_Format = true;
  importLines("R1 A 1.5 2,5 0\n");
  EXPECT_EQ(row(1), "|1|R1|???||1,5|2,5|0||");
}

TEST_F(RepImport, LongLinesAreReadNinetyNineCharactersAtATime) {
  std::string start = "R1 A 1 2 90 ";
  std::string line98 = start + std::string(98 - start.size(), 'x');
  std::string line99 = start + std::string(99 - start.size(), 'y');
  // 150 characters: the rest after 99 is a component line of its own.
  std::string head = start + std::string(99 - start.size(), 'z');
  std::string line150 = head + " R9 A 7 8 180" + std::string(150 - head.size() - 13, ' ');
  ASSERT_EQ(line150.size(), 150u);
  EXPECT_EQ(importLines(line98 + "\n" + line99 + "\nR3 A 3 4 0\n" + line150 + "\nR5 A 5 6 0\n"),
            "no failure");
  EXPECT_EQ(row(1), "|1|R1|???||1|2|90||");
  EXPECT_EQ(row(2), "|2|R1|???||1|2|90||");
  EXPECT_EQ(row(3), "|||||||||");  // the line feed of the 99 characters, skipped
  EXPECT_EQ(row(4), "|4|R3|???||3|4|0||");
  EXPECT_EQ(row(5), "|5|R1|???||1|2|90||");
  EXPECT_EQ(row(6), "|6|R9|???||7|8|180||");
  EXPECT_EQ(row(7), "|7|R5|???||5|6|0||");
  EXPECT_EQ(table().RowCount(), 17);
}

TEST_F(RepImport, ALineFeedEndingTheFileAddsNoRow) {
  importLines("R1 A 1 2 0\n");
  EXPECT_EQ(table().RowCount(), 11);
  importLines("R1 A 1 2 0\n\n");  // an empty last line is skipped but counts
  EXPECT_EQ(table().RowCount(), 11);
}

}  // namespace
}  // namespace brisel
