// What the three coordinate imports (REP, MNT, TXT) share: numbering, the
// growth rule, cells left alone, separators, mils, line ends, failures, the
// missing file and the limit of 65,535 row numbers.
#include <gtest/gtest.h>

#include <vector>

#include "core/text.h"
#include "tests/import_fixture.h"

namespace brisel {
namespace {

using testing::failureOf;
using testing::ImportFixture;
using testing::rowText;

struct Part {
  std::string reference;
  std::string value;
  std::string x;
  std::string y;
  std::string angle;
};

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string repLine(const Part& p) {
  return p.reference + " " + p.value + " " + p.x + " " + p.y + " " + p.angle + " TOP\n";
}
std::string mntLine(const Part& p) {
  return p.reference + " " + p.x + " " + p.y + " " + p.angle + " " + p.value + " R0603\n";
}
std::string txtLine(const Part& p) {
  return padded(p.reference, 10) + padded(p.value, 17) + padded("R0603", 32) + padded(p.x, 13) +
         padded(p.y, 12) + padded(p.angle, 10) + "\n";
}

struct Format {
  const char* name;
  Operation import;
  std::filesystem::path Controls::*edit;
  std::string header;
  int firstRow;
  bool enablesFootPrint;
  std::string (*line)(const Part&);
  long maxComponents;
  std::size_t xWidth;  // of the X and Y texts that a failure names; 0 when not padded
  std::size_t yWidth;
};

void PrintTo(const Format& format, std::ostream* out) {
  *out << format.name;
}

const Format kFormats[] = {
    {"REP", importRep, &Controls::Edit2, "Placement report\nREF PART X Y ROT SIDE\n", 1, true,
     repLine, 65535, 0, 0},
    {"MNT", importMnt, &Controls::Edit5, "", 1, true, mntLine, 65535, 0, 0},
    {"TXT", importTxt, &Controls::Edit8, "", 2, false, txtLine, 65534, 13, 12},
};

std::vector<Part> parts(std::size_t count, const std::string& prefix = "R") {
  std::vector<Part> out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    out.push_back({prefix + std::to_string(i + 1), "10K", std::to_string(i) + ".5",
                   std::to_string(2 * i), std::to_string(i % 4 * 90)});
  return out;
}

class Placement : public ::testing::TestWithParam<Format>, public ImportFixture {
 protected:
  const Format& format() const { return GetParam(); }

  std::string file(const std::vector<Part>& list) const {
    std::string out = format().header;
    for (const Part& p : list) out += format().line(p);
    return out;
  }

  Outcome import(std::string_view bytes) {
    return run(format().import, format().edit, "board", bytes);
  }

  // The failure of a line whose X or Y text does not convert.
  std::string notANumber(long line, const std::string& text, std::size_t width) const {
    return "board, riga " + std::to_string(line) + ": '" + (width ? padded(text, width) : text) +
           "' non \xC3\xA8 un valore numerico valido";
  }
  long headerLines() const {
    return std::count(format().header.begin(), format().header.end(), '\n');
  }

  // The row that part `index` (from 0) of a file without gaps fills.
  int rowOf(std::size_t index) const { return format().firstRow + static_cast<int>(index); }

  void expectPart(int r, const Part& p) {
    SCOPED_TRACE("row " + std::to_string(r));
    EXPECT_EQ(cell(1, r), std::to_string(r));
    EXPECT_EQ(trim(cell(2, r)), p.reference);
    EXPECT_EQ(cell(5, r), formatReal(static_cast<float>(std::stod(p.x)), '.'));
    EXPECT_EQ(cell(6, r), formatReal(static_cast<float>(std::stod(p.y)), '.'));
    EXPECT_EQ(cell(7, r), p.angle);
  }
};

// A written row keeps nothing of the board before but column 0: its side and
// its board go with it, as the file says nothing of them.
TEST_P(Placement, NumbersConsecutiveRowsAndLeavesOtherColumnsAlone) {
  fillTable(4);
  std::vector<Part> list = parts(3);
  EXPECT_FALSE(import(file(list)).unopened);
  for (std::size_t i = 0; i < list.size(); ++i) expectPart(rowOf(i), list[i]);
  EXPECT_EQ(table().RowCount(), rowOf(2) + 10);
  EXPECT_EQ(cell(0, 3), "old0.3");
  for (int c : {4, 9}) EXPECT_EQ(cell(c, 3), "");
  EXPECT_EQ(row(0), "old0.0|old1.0|old2.0|old3.0|old4.0|old5.0|old6.0|old7.0|old8.0|old9.0");
  EXPECT_EQ(row(rowOf(3)), "|||||||||");
  EXPECT_EQ(progress.events, "");
}

TEST_P(Placement, NeverShrinksTheTable) {
  fillTable(100);
  import(file(parts(3)));
  EXPECT_EQ(table().RowCount(), 100);
  EXPECT_EQ(cell(1, 50), "old1.50");
}

TEST_P(Placement, AShorterFileLeavesTheRowsBelowIt) {
  import(file(parts(50, "C")));
  std::string below = row(rowOf(20));
  import(file(parts(20)));
  expectPart(rowOf(19), parts(20)[19]);
  EXPECT_EQ(row(rowOf(20)), below);
  EXPECT_EQ(trim(cell(2, rowOf(49))), "C50");
  EXPECT_EQ(table().RowCount(), rowOf(49) + 10);
}

TEST_P(Placement, CrLfAndAMissingFinalLineFeedReadAsLineFeeds) {
  std::string plain = file(parts(3));
  import(plain);
  Grid expected = table();
  std::string crlf;
  for (char c : plain) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& bytes : {crlf, plain.substr(0, plain.size() - 1)}) {
    workspace = Workspace{};
    import(bytes);
    ASSERT_EQ(table().RowCount(), expected.RowCount());
    for (int r = 0; r < expected.RowCount(); ++r)
      EXPECT_EQ(row(r), rowText(expected, r)) << "row " << r;
  }
}

TEST_P(Placement, AFailureMidFileKeepsTheRowsBeforeItAndTheButtons) {
  fillTable(12);
  workspace.Button17Enabled = false;
  std::vector<Part> list = parts(3);
  list[1].y = "1x";
  EXPECT_EQ(failureOf([&] { import(file(list)); }),
            notANumber(headerLines() + 2, "1x", format().yWidth));
  expectPart(rowOf(0), list[0]);
  EXPECT_EQ(cell(1, rowOf(1)), "old1." + std::to_string(rowOf(1)));
  EXPECT_EQ(cell(2, rowOf(2)), "old2." + std::to_string(rowOf(2)));
  EXPECT_FALSE(workspace.Button17Enabled);
  EXPECT_FALSE(workspace.BU_FootPrintEnabled);
}

TEST_P(Placement, AFileThatCannotBeOpenedLeavesTheTableAndSetsTheButtons) {
  for (const std::filesystem::path& path : {dir / "missing", dir.path()}) {
    Workspace before;
    before.Button17Enabled = false;
    workspace = before;
    fillTable(12);
    Grid table12 = table();
    controls.*format().edit = path;
    Outcome outcome = format().import(workspace, controls, progress);
    EXPECT_EQ(outcome.unopened, path);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_TRUE(workspace.Button17Enabled);
    EXPECT_EQ(workspace.BU_FootPrintEnabled, format().enablesFootPrint);
    for (int r = 0; r < 12; ++r) EXPECT_EQ(row(r), rowText(table12, r));
  }
}

TEST_P(Placement, TheEndOfAnImportSetsTheButtons) {
  workspace.Button17Enabled = false;
  import(file(parts(1)));
  EXPECT_TRUE(workspace.Button17Enabled);
  EXPECT_EQ(workspace.BU_FootPrintEnabled, format().enablesFootPrint);
}

struct SeparatorCase {
  bool CB_Format;
  bool RB_EN;
  char locale;
  const char* x;  // the text of column 5, or "fails"
};

TEST_P(Placement, SeparatorsFollowTheCheckBoxInglesAndTheLocale) {
  // Whatever the file writes, the check box decides what the conversion sees.
  const SeparatorCase cases[] = {
      {true, true, '.', "10.5"},   {true, true, ',', "fails"},   {true, false, '.', "fails"},
      {true, false, ',', "10,5"},  {false, true, '.', "10.5"},   {false, true, ',', "fails"},
      {false, false, '.', "10.5"}, {false, false, ',', "fails"},
  };
  for (const SeparatorCase& c : cases) {
    for (const char* x : {"10.5", "10,5"}) {
      SCOPED_TRACE(std::string(x) + " CB_Format " + (c.CB_Format ? "on" : "off") + " RB_EN " +
                   (c.RB_EN ? "on" : "off") + " locale " + c.locale);
      workspace = Workspace{};
      controls.CB_Format = c.CB_Format;
      controls.RB_EN = c.RB_EN;
      controls.decimalSeparator = c.locale;
      std::string bytes = file({{"R1", "10K", x, "7", "0"}});
      std::string failure = failureOf([&] { import(bytes); });
      if (std::string(c.x) == "fails") {
        EXPECT_NE(failure, "no failure");
      } else {
        EXPECT_EQ(failure, "no failure");
        EXPECT_EQ(cell(5, rowOf(0)), c.x);
      }
    }
  }
}

TEST_P(Placement, MilsBecomeMillimetresThroughFloats) {
  import(file({{ "R1", "10K", "12.4", "25", "0" }}));
  EXPECT_EQ(cell(5, rowOf(0)), "12.3999996185303");
  EXPECT_EQ(cell(6, rowOf(0)), "25");
  controls.RB_mils = true;
  import(file({{"R1", "10K", "100", "-50", "0"}, { "R2", "10K", "12.4", "393.7", "0" }}));
  EXPECT_EQ(cell(5, rowOf(0)), "2.53999996185303");
  EXPECT_EQ(cell(6, rowOf(0)), "-1.26999998092651");
  EXPECT_EQ(cell(5, rowOf(1)), "0.31496000289917");
  EXPECT_EQ(cell(6, rowOf(1)), "9.99997997283936");
  // The float read, not the text, is multiplied: 1000.001 is held as 1000.0009765625.
  import(file({{ "R1", "10K", "1000.001", "0.005", "0" }}));
  EXPECT_EQ(cell(5, rowOf(0)), "25.4000244140625");
  EXPECT_EQ(cell(6, rowOf(0)), "0.000126999992062338");
}

TEST_P(Placement, ACoordinateBeyondTheFloatRangeFailsInsteadOfShowingInfinity) {
  EXPECT_EQ(failureOf([&] {
              import(file({{ "R1", "10K", "1e39", "0", "0" }}));
            }),
            notANumber(headerLines() + 1, "1e39", format().xWidth));
  EXPECT_EQ(failureOf([&] {
              import(file({{ "R1", "10K", "3e38", "-3e38", "0" }}));
            }),
            "no failure");
  EXPECT_EQ(cell(5, rowOf(0)), "3.00000000549776E38");
}

TEST_P(Placement, StopsBeforeTheRowNumberWouldWrap) {
  auto count = static_cast<std::size_t>(format().maxComponents);
  std::vector<Part> list = parts(count + 1);
  std::string bytes = file(list);
  long lastLine = std::count(bytes.begin(), bytes.end(), '\n');
  std::string failure = failureOf([&] { import(bytes); });
  EXPECT_EQ(failure, "Riga " + std::to_string(lastLine) + ": il file ha pi\xC3\xB9 di " +
                         std::to_string(count) +
                         " componenti, quanti la tabella ne pu\xC3\xB2 numerare; "
                         "importazione interrotta");
  EXPECT_EQ(table().RowCount(), 65535 + 10);
  expectPart(rowOf(0), list[0]);
  expectPart(65535, list[count - 1]);
  EXPECT_EQ(row(0), "|||||||||");
  EXPECT_EQ(row(65536), "|||||||||");
  EXPECT_FALSE(workspace.BU_FootPrintEnabled);

  workspace = Workspace{};
  list.pop_back();
  EXPECT_EQ(failureOf([&] { import(file(list)); }), "no failure");
  expectPart(65535, list.back());
}

INSTANTIATE_TEST_SUITE_P(Imports, Placement, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace brisel
