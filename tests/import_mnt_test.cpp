// The MNT file's own rules: fields that must each be followed by a space, the
// footprint as the rest of the line, the angle through text to real, and every
// line a component, blank ones included.
#include <gtest/gtest.h>

#include "tests/import_fixture.h"

namespace brisel {
namespace {

using testing::failureOf;
using testing::ImportFixture;

class MntImport : public ::testing::Test, public ImportFixture {
 protected:
  std::string importLines(std::string_view lines) {
    return failureOf([&] { mnt(lines); });
  }
};

std::string notANumber(long line, std::string_view text) {
  return "in.MNT, riga " + std::to_string(line) + ": '" + std::string(text) +
         "' non \xC3\xA8 un valore numerico valido";
}

TEST_F(MntImport, SplitsFieldsAtSpaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"R12 10.5 20.25 90 10K R0805\n", "|1|R12|10K||10.5|20.25|90|R0805|"},
      {"   R12   10.5  20.25   90   10K   R0805  \n", "|1|R12|10K||10.5|20.25|90|R0805|"},
      {"R12 10.5 20.25 90 10K SMD 0805 \t\n", "|1|R12|10K||10.5|20.25|90|SMD 0805|"},
      // A last field that no space follows is the footprint, not the value.
      {"R12 10.5 20.25 90 10K\n", "|1|R12|||10.5|20.25|90|10K|"},
      {"R12 10.5 20.25 90 10K \n", "|1|R12|10K||10.5|20.25|90||"},
      {"R12 10.5 20.25 90 \n", "|1|R12|||10.5|20.25|90||"},
      {"R12\t1 2 3 0 V F\n", "|1|R12\t1|V||2|3|0|F|"},
      {"R12 1 2 3 0\tV F\n", "|1|R12|0\tV||1|2|3|F|"},
  };
  for (auto [line, expected] : cases) {
    workspace = Workspace{};
    ASSERT_EQ(importLines(line), "no failure") << line;
    EXPECT_EQ(row(1), expected) << line;
  }
}

TEST_F(MntImport, AMissingFieldOrSpaceFailsOnTheEmptyText) {
  EXPECT_EQ(importLines("R12 10.5 20.25 90\n"), notANumber(1, ""));
  EXPECT_EQ(importLines("R12\n"), notANumber(1, ""));
  EXPECT_EQ(importLines("R1 1 2 0 V F\nR2 1 2\n"), notANumber(2, ""));
  EXPECT_EQ(importLines("R1 1 2 0 V F\nR2 1 y 0 V F\n"), notANumber(2, "y"));
}

TEST_F(MntImport, EveryEmptyLineFailsTheLastOneToo) {
  EXPECT_EQ(importLines("R1 1 2 0 V F\n\nR3 1 2 0 V F\n"), notANumber(2, ""));
  EXPECT_EQ(importLines("R1 1 2 0 V F\n\n"), notANumber(2, ""));
  EXPECT_EQ(importLines("R1 1 2 0 V F\n   \n"), notANumber(2, ""));
  EXPECT_EQ(importLines("R1 1 2 0 V F\n"), "no failure");
  EXPECT_EQ(table().RowCount(), 11);
}

TEST_F(MntImport, AnglesGoThroughTextToReal) {
  const std::pair<const char*, const char*> cases[] = {
      {"90", "90"},   {"90.9", "90"},    {"359.99", "359"},      {"-90", "65446"},
      {"90,5", "90"}, {"70000", "4464"}, {"123456789", "52501"}, {"-0.5", "0"},
      {"1e20", "0"},  {"-1e9", "13824"},
  };
  for (auto [text, angle] : cases) {
    ASSERT_EQ(importLines(std::string("R1 1 2 ") + text + " V F\n"), "no failure") << text;
    EXPECT_EQ(cell(7, 1), angle) << text;
  }
  for (const char* text : {"TOP", "90deg", "1e400"})
    EXPECT_EQ(importLines(std::string("R1 1 2 ") + text + " V F\n"), notANumber(1, text));
}

TEST_F(MntImport, TheCheckBoxSwapsSeparatorsInEveryField) {
  controls.CB_Format = true;
  importLines("R.1 1.5 2.5 90.9 4.7uF SMD.0805\n");
  EXPECT_EQ(row(1), "|1|R,1|4,7uF||1.5|2.5|90|SMD,0805|");
  controls.CB_Format = false;
  importLines("R,1 1,5 2,5 90,9 4,7uF SMD,0805\n");
  EXPECT_EQ(row(1), "|1|R.1|4.7uF||1.5|2.5|90|SMD.0805|");
  controls.RB_EN = false;
  EXPECT_EQ(importLines("R1 1 2 90,9 V F\n"), "no failure");
  controls.CB_Format = true;
  // Said as the file holds it, with the way out.
  EXPECT_EQ(importLines("R1 1 2 90.9 V F\n"),
            notANumber(1, "90.9") +
                "\nSeparatore decimale del sistema: '.'. Provare \"Inglese\" o togliere "
                "\"Virgola come separatore decimali\".");
}

TEST_F(MntImport, LongLinesAreReadNinetyNineCharactersAtATime) {
  std::string start = "R1 1 2 90 V ";
  std::string line98 = start + std::string(98 - start.size(), 'f');
  std::string line99 = start + std::string(99 - start.size(), 'g');
  std::string head = start + std::string(99 - start.size() - 1, 'h') + " ";
  std::string line150 = head + "R2 7 8 180 W " + std::string(150 - head.size() - 13, 'k');
  ASSERT_EQ(line150.size(), 150u);
  EXPECT_EQ(importLines(line98 + "\n" + line150 + "\n"), "no failure");
  EXPECT_EQ(row(1), "|1|R1|V||1|2|90|" + line98.substr(start.size()) + "|");
  EXPECT_EQ(row(2), "|2|R1|V||1|2|90|" + std::string(99 - start.size() - 1, 'h') + "|");
  EXPECT_EQ(row(3), "|3|R2|W||7|8|180|" + std::string(150 - head.size() - 13, 'k') + "|");
  // 99 characters are read without their line feed, which comes as an empty line.
  EXPECT_EQ(importLines(line99 + "\nR2 1 2 0 V F\n"), notANumber(2, ""));
  EXPECT_EQ(cell(8, 1), line99.substr(start.size()));
}

}  // namespace
}  // namespace brisel
