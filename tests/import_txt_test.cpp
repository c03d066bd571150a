// The TXT file's own rules: fixed columns counted from the first non-blank
// character, padded texts kept as they stand, the unit letter of the
// coordinates, blank lines that leave no gap, and row 1 never written.
#include <gtest/gtest.h>

#include "tests/import_fixture.h"

namespace brisel {
namespace {

using testing::failureOf;
using testing::ImportFixture;

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// A line of the fixed columns, without its line feed (94 characters).
std::string txtLine(const std::string& reference, const std::string& value, const std::string& x,
                    const std::string& y, const std::string& angle) {
  return padded(reference, 10) + padded(value, 17) + padded("SOIC8 package", 32) + padded(x, 13) +
         padded(y, 12) + padded(angle, 10);
}

std::string notANumber(long line, std::string_view text) {
  return "in.TXT, riga " + std::to_string(line) + ": '" + std::string(text) +
         "' non \xC3\xA8 un valore numerico valido";
}

class TxtImport : public ::testing::Test, public ImportFixture {
 protected:
  std::string importLines(std::string_view lines) {
    return failureOf([&] { txt(lines); });
  }
};

TEST_F(TxtImport, TheFirstComponentFillsRowTwoAndRowOneStays) {
  fillTable(5);
  ASSERT_EQ(importLines(txtLine("R12", "10K", "12.5", "7", "90") + "\n"), "no failure");
  EXPECT_EQ(row(1), "old0.1|old1.1|old2.1|old3.1|old4.1|old5.1|old6.1|old7.1|old8.1|old9.1");
  EXPECT_EQ(row(2), "old0.2|2|R12       |10K              ||12.5|7|90|old8.2|");
  EXPECT_EQ(table().RowCount(), 12);
}

TEST_F(TxtImport, BlankLinesLeaveNoGapAndLeadingBlanksShiftTheColumns) {
  std::string bytes = "\n" + txtLine("R1", "A", "1", "2", "0") + "\n  \t \n\n   \t" +
                      txtLine("R2", "B", "3", "4", "180") + "   \n";
  ASSERT_EQ(importLines(bytes), "no failure");
  EXPECT_EQ(row(2), "|2|R1        |A                ||1|2|0||");
  EXPECT_EQ(row(3), "|3|R2        |B                ||3|4|180||");
  EXPECT_EQ(table().RowCount(), 13);
}

TEST_F(TxtImport, TheFirstUnitLetterOfACoordinateGoes) {
  ASSERT_EQ(importLines(txtLine("R1", "A", "   12.500m", "m7", "0") + "\n"), "no failure");
  EXPECT_EQ(cell(5, 2), "12.5");
  EXPECT_EQ(cell(6, 2), "7");
  EXPECT_EQ(importLines(txtLine("R1", "A", "12.5mm", "7", "0") + "\n"),
            notANumber(1, "12.5mm       "));
  EXPECT_EQ(importLines(txtLine("R1", "A", "1", "2.5 mm", "0") + "\n"),
            notANumber(1, "2.5 mm      "));
}

TEST_F(TxtImport, ALineTooShortForTheCoordinatesFails) {
  EXPECT_EQ(importLines(txtLine("R1", "A", "1", "2", "0") + "\nREF       VALUE\n"),
            notANumber(2, ""));
  EXPECT_EQ(row(2), "|2|R1        |A                ||1|2|0||");
  EXPECT_EQ(importLines(txtLine("R1", "A", "1", "", "")), notANumber(1, ""));
  // A line that ends inside the angle columns keeps what it has of them.
  EXPECT_EQ(importLines(txtLine("R1", "A", "1", "2", "").substr(0, 84) + "27"), "no failure");
  EXPECT_EQ(row(2), "|2|R1        |A                ||1|2|27||");
  EXPECT_EQ(importLines("R1"), notANumber(1, ""));
}

TEST_F(TxtImport, AnglesAreReadLeniently) {
  const std::pair<const char*, const char*> cases[] = {
      {"270.9", "270"}, {"-90", "65446"},       {"TOP", "0"},   {"90,5", "90"},
      {"", "0"},        {"123456789", "52501"}, {"1e400", "0"}, {"  45", "45"},
  };
  for (auto [text, angle] : cases) {
    ASSERT_EQ(importLines(txtLine("R1", "A", "1", "2", text) + "\n"), "no failure") << text;
    EXPECT_EQ(cell(7, 2), angle) << text;
  }
}

TEST_F(TxtImport, TheCheckBoxSwapsSeparatorsInPlace) {
  controls.CB_Format = true;
  ASSERT_EQ(importLines(txtLine("R.1", "4.7uF", "1,5", "2.5", "90.9") + "\n"), "no failure");
  EXPECT_EQ(row(2), "|2|R,1       |4,7uF            ||1.5|2.5|90||");
  controls.CB_Format = false;
  ASSERT_EQ(importLines(txtLine("R,1", "4,7uF", "1,5", "2.5", "90,9") + "\n"), "no failure");
  EXPECT_EQ(row(2), "|2|R.1       |4.7uF            ||1.5|2.5|90||");
}

TEST_F(TxtImport, LongLinesAreReadNinetyNineCharactersAtATime) {
  std::string line = txtLine("R1", "A", "1", "2", "90");
  std::string line98 = line + "note";
  std::string line99 = line + "notes";
  std::string line150 = line + std::string(56, ' ');
  EXPECT_EQ(importLines(line98 + "\n" + line99 + "\n" + line150 + "\n" +
                        txtLine("R4", "D", "4", "5", "0") + "\n"),
            "no failure");
  for (int r = 2; r <= 4; ++r)
    EXPECT_EQ(row(r),
              "|" + std::to_string(r) + "|R1        |A" + std::string(16, ' ') + "||1|2|90||");
  EXPECT_EQ(cell(2, 5), "R4        ");
  EXPECT_EQ(table().RowCount(), 15);
  // What follows the 99th character is a line of its own.
  std::string text150 = line + std::string(5, ' ') + "more text";
  text150.resize(150, 'x');
  EXPECT_EQ(importLines(text150 + "\n"), notANumber(2, ""));
}

}  // namespace
}  // namespace brisel
