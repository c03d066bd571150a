// brisel-cli end to end on the sample board: every import, in the two ways of
// reading points the board is written for.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "core/text.h"
#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

const std::filesystem::path kSamples = BRISEL_SAMPLES;

using Result = testing::CliResult;
using testing::run;

// The printed table's lines, from row 0 on.
std::vector<std::string> tableLines(const std::string& printed) {
  std::istringstream in(printed);
  std::vector<std::string> lines;
  std::string line;
  std::getline(in, line);  // rows N cols C
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

class SampleBoard : public ::testing::TestWithParam<std::vector<std::string>> {
 protected:
  Result runWith(std::vector<std::string> words) {
    std::vector<std::string> all = testing::sampleBoardSettings();
    all.insert(all.end(), GetParam().begin(), GetParam().end());
    all.insert(all.end(), words.begin(), words.end());
    return run(all);
  }
};

TEST_P(SampleBoard, RepThenCmpThenBomGiveTheWholeTable) {
  Result r = runWith({"import-rep", "import-cmp", "import-bom", "print", "print=buttons"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::vector<std::string> lines = tableLines(r.out);
  ASSERT_EQ(lines.size(), 50u + 2u);
  EXPECT_EQ(lines[1], "1\t\t1\tU1\tSTM32F103C8\t\t40.6399993896484\t30.4799995422363\t0\tLQFP48\t");
  EXPECT_EQ(lines[40],
            "40\t\t40\tSW1\tTACT\t\t25.3999996185303\t5.71500015258789\t0\tSW_TACT_6X6\t");
  EXPECT_EQ(lines[41], "41\t\t\t\t\t\t\t\t\t\t");
  EXPECT_EQ(lines[50], "Button17 enabled");
  EXPECT_EQ(lines[51], "BU_FootPrint enabled");
}

TEST_P(SampleBoard, EveryCoordinateFileGivesTheSameComponents) {
  Result rep = runWith({"import-rep", "import-cmp", "print"});
  Result mnt = runWith({"import-mnt", "print"});
  Result txt = runWith({"import-txt", "import-cmp", "print"});
  ASSERT_EQ(rep.status + mnt.status + txt.status, 0) << rep.err << mnt.err << txt.err;
  std::vector<std::string> a = tableLines(rep.out), b = tableLines(mnt.out),
                           c = tableLines(txt.out);
  ASSERT_EQ(a.size(), 50u);
  ASSERT_EQ(b.size(), 50u);
  ASSERT_EQ(c.size(), 51u);  // one row lower
  for (int r = 1; r <= 40; ++r) {
    std::istringstream rowA(a[r]), rowB(b[r]), rowC(c[r + 1]);
    std::string cellA, cellB, cellC;
    // The printed row number, then columns 0 to 8.
    for (int token = 0; token <= 9; ++token) {
      std::getline(rowA, cellA, '\t');
      std::getline(rowB, cellB, '\t');
      std::getline(rowC, cellC, '\t');
      if (token <= 2) continue;  // the numbers differ: TXT starts one row lower
      // The MNT footprint keeps its inner space, which CMP turns into "_".
      if (token == 9) cellB = spacesToUnderscores(cellB);
      EXPECT_EQ(cellA, cellB) << "row " << r << " column " << token - 1;
      EXPECT_EQ(cellA, std::string(trim(cellC))) << "row " << r << " column " << token - 1;
    }
  }
}

TEST_P(SampleBoard, TheRotationRulesKeepMostOfTheBoard) {
  Result r = runWith({"import-mnt", "apply-rak", "print"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Only the switch and the fuse have no rule.
  EXPECT_EQ(tableLines(r.out).size(), 1u + 38u);
  EXPECT_EQ(r.out.find("TACT"), std::string::npos);
  EXPECT_EQ(r.out.find("500mA"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Settings, SampleBoard,
                         ::testing::Values(std::vector<std::string>{"--english"},
                                           std::vector<std::string>{"--no-comma"}),
                         [](const auto& info) {
                           return info.param[0].substr(2) == "english" ? std::string("English")
                                                                       : std::string("NoComma");
                         });

TEST(CliImport, AFileThatCannotBeOpenedStopsTheRunWithItsPath) {
  testing::TempDir dir;
  std::string missing = (dir / "none.REP").string();
  Result r = run({"--rep", missing, "import-rep", "print=buttons"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "error: cannot open " + missing + ": No such file or directory\n");
  r = run({"--rep", missing, "--keep-going", "import-rep", "print=buttons"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Button17 enabled\nBU_FootPrint enabled\n");
}

TEST(CliImport, AConversionFailureNamesTheLineAndTheText) {
  testing::TempDir dir;
  auto file = dir.write("bad.MNT", "R1 1 2 0 V F\nR2 10.5 2 0 V F\n");
  Result r = run({"--comma", "--mnt", file.string(), "import-mnt", "print"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "error: bad.MNT, riga 2: '10.5' non \xC3\xA8 un valore numerico valido\n"
            "Separatore decimale del sistema: '.'. Provare \"Inglese\" o togliere \"Virgola come "
            "separatore decimali\".\n");
}

TEST(CliImport, TheProgramImportsTheSampleBoard) {
  testing::TempDir dir;
  std::string command = std::string("\"") + BRISEL_CLI + "\" --decimal-separator . --english";
  for (auto [setting, name] : {std::pair{"--mnt", "BOARD.MNT"}, {"--cmp", "BOARD.CMP"}})
    command += std::string(" ") + setting + " \"" + (kSamples / name).string() + "\"";
  ASSERT_EQ(testing::runCommand(command + " import-mnt import-cmp print", dir / "out", dir / "err"),
            0)
      << testing::readFile(dir / "err");
  std::vector<std::string> lines = tableLines(testing::readFile(dir / "out"));
  ASSERT_EQ(lines.size(), 50u);
  EXPECT_EQ(lines[2], "2\t\t2\tU2\tLM1117-3V3\t\t12.6999998092651\t50.7999992370605\t90\tSOT223\t");
}

}  // namespace
}  // namespace brisel

namespace brisel {
namespace {

Result runOnInput(const std::vector<std::string>& words, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = runCli(words, in, out, err, '.');
  return {status, out.str(), err.str()};
}

// A placement file without a header stops with what was found; --columns
// and --units then give the rows its header and unit declaration would.
TEST(CliPlacements, ColumnsAndUnitsReachTheRowsAHeaderGives) {
  const std::string rows = "U1;1600;1200;90;LQFP48\nR1;-50;0;270;R0603\n";
  Result asked = runOnInput({"--placements", "-", "import-placements", "print"}, rows);
  EXPECT_EQ(asked.status, 1);
  EXPECT_EQ(asked.out, "");
  // Standard input is read through a file of its own name.
  EXPECT_TRUE(asked.err.starts_with("Errore: ")) << asked.err;
  EXPECT_TRUE(asked.err.ends_with(
      ": nessuna intestazione con riferimento, X e Y nelle prime 60 righe (prima riga: "
      "'U1;1600;1200;90;LQFP48')\n"))
      << asked.err;
  Result given = runOnInput({"--placements", "-", "--columns", "ref=1,x=2,y=3,angle=4,footprint=5",
                             "--units", "mil", "import-placements", "print"},
                            rows);
  Result told = runOnInput({"--placements", "-", "import-placements", "print"},
                           "Units used: mil\nRef;X;Y;Rot;Package\n" + rows);
  EXPECT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(given.err, "Messaggio: 2 componenti importati\n");
  EXPECT_EQ(given.out, told.out);
  EXPECT_NE(given.out.find("\t1\tU1\t???\t\t40.6399993896484\t30.4799995422363\t90\tLQFP48\t"),
            std::string::npos)
      << given.out;
  EXPECT_EQ(run({"--units", "cm", "import-placements"}).status, 2);
  EXPECT_EQ(run({"--columns", "where=1", "import-placements"}).status, 2);
}

}  // namespace
}  // namespace brisel
