// brisel-cli end to end for the table operations, on tables typed with set=.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using Result = testing::CliResult;
using testing::run;

// The words that type three components R1 (10K), R2 (1K) and R3 (10K) at
// (10.5, 20), (2.25, 4) and (0, 0) with angles 270, 0 and 90.
std::vector<std::string> threeComponents() {
  return {"set=1,1,1",    "set=2,1,R1",  "set=3,1,10K", "set=5,1,10.5", "set=6,1,20",
          "set=7,1,270",  "set=8,1,R06", "set=1,2,2",   "set=2,2,R2",   "set=3,2,1K",
          "set=5,2,2.25", "set=6,2,4",   "set=7,2,0",   "set=1,3,3",    "set=2,3,R3",
          "set=3,3,10K",  "set=5,3,0",   "set=6,3,0",   "set=7,3,90"};
}

std::vector<std::string> with(std::vector<std::string> words, std::vector<std::string> more) {
  words.insert(words.end(), more.begin(), more.end());
  return words;
}

// The printed table's line of a row.
std::string line(const std::string& printed, int row) {
  std::istringstream lines(printed);
  std::string text;
  for (int skip = 0; skip <= row + 1 && std::getline(lines, text); ++skip) {
  }
  return text;
}

TEST(CliTable, AppliesTheRulesAndShowsThem) {
  testing::TempDir dir;
  auto rak = dir.write("BOARD.RAK", "; board\n10K:90\n1M:0\n");
  Result r =
      run(with({"--rak", rak.string()},
               with(threeComponents(), {"apply-rak", "print", "print=rules", "print=buttons"})));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "rows 3 cols 10\n0\t\t\t\t\t\t\t\t\t\t\n"
            "1\t\t1\tR1\t10K\t\t10.5\t20\t360\tR06\t\n"
            "2\t\t3\tR3\t10K\t\t0\t0\t180\t\t\n"
            "rows 3 cols 2\n0\tValore\tAngolo\n1\t10K\t90\n2\t1M\t0\n"
            "Button17 disabled\nBU_FootPrint disabled\n");
}

TEST(CliTable, TheRulesRunOncePerTable) {
  testing::TempDir dir;
  auto rak = dir.write("BOARD.RAK", "10K:90\n");
  Result r =
      run(with({"--rak", rak.string()}, with(threeComponents(), {"apply-rak", "apply-rak"})));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: apply-rak: button disabled\n");
}

TEST(CliTable, AMissingRuleFileIsReportedAndChangesNothing) {
  testing::TempDir dir;
  Result r = run(with({"--rak", (dir / "NONE.RAK").string(), "--keep-going"},
                      with(threeComponents(), {"apply-rak", "print=buttons", "print=rules"})));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.substr(0, 41), "Errore: Errore apertura file RAK\nerror: c");
  EXPECT_EQ(r.out,
            "Button17 enabled\nBU_FootPrint disabled\n"
            "rows 5 cols 2\n0\t\t\n1\t\t\n2\t\t\n3\t\t\n4\t\t\n");
}

TEST(CliTable, ReferenceSortAndDelete) {
  Result r = run(with(threeComponents(), {"reference=2", "sort=3", "delete=2", "print"}));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  // By value, descending in byte order: 1K, then R1 and R3 (10K); then R1
  // deleted from row 2.
  EXPECT_EQ(line(r.out, 1), "1\t\t2\tR2\t1K\t\t0\t0\t0\t\t");
  EXPECT_EQ(line(r.out, 2), "2\t\t3\tR3\t10K\t\t-2.25\t-4\t90\t\t");
  EXPECT_EQ(line(r.out, 9), "9\t\t\t\t\t\t\t\t\t\t");
  EXPECT_EQ(r.out.substr(0, 15), "rows 10 cols 10");
}

TEST(CliTable, AConversionFailureStopsTheRun) {
  Result r = run(with(threeComponents(), {"set=6,2,abc", "reference=1", "print"}));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: Riga 2, colonna Y: 'abc' non \xC3\xA8 un valore numerico valido\n");
  EXPECT_EQ(r.out, "");
}

TEST(CliTable, RowsRemovedByTheRulesAreOutsideTheTableAfterwards) {
  testing::TempDir dir;
  auto rak = dir.write("BOARD.RAK", "1K:0\n");
  Result r = run(with({"--rak", rak.string()},
                      with(threeComponents(), {"apply-rak", "reference=1", "delete=2"})));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("row 2 is outside the table"), std::string::npos);
}

TEST(CliTable, TheProgramRunsTheRulesFromItsCommandLine) {
  testing::TempDir dir;
  auto rak = dir.write("BOARD.RAK", "1K:-90\n");
  std::string command = std::string("\"") + BRISEL_CLI + "\" --rak \"" + rak.string() + "\"";
  for (const std::string& word : threeComponents()) command += " " + word;
  command += " apply-rak print";
  EXPECT_EQ(testing::runCommand(command, dir / "out", dir / "err"), 0);
  EXPECT_EQ(testing::readFile(dir / "out"),
            "rows 2 cols 10\n0\t\t\t\t\t\t\t\t\t\t\n1\t\t2\tR2\t1K\t\t2.25\t4\t270\t\t\n");
}

}  // namespace
}  // namespace brisel
