#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli_kit.h"
#include "tests/testkit.h"

namespace brisel {
namespace {

using Result = testing::CliResult;
using testing::run;

std::string emptyTable(int rows) {
  std::string text = "rows " + std::to_string(rows) + " cols 10\n";
  for (int r = 0; r < rows; ++r) text += std::to_string(r) + std::string(10, '\t') + "\n";
  return text;
}

TEST(Cli, PrintsTheFreshTable) {
  Result r = run({"--english", "print"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, emptyTable(10));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(run({"print=table"}).out, emptyTable(10));
}

TEST(Cli, PrintsTheOtherGridsTheMemoAndTheButtons) {
  Result r = run({"print=rules", "print=memo", "print=buttons"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "rows 5 cols 2\n0\t\t\n1\t\t\n2\t\t\n3\t\t\n4\t\t\n"
            "lines 1\nMemo1\n"
            "Button17 enabled\nBU_FootPrint disabled\n");
  Result bytes = run({"print=bytes"});
  EXPECT_EQ(bytes.out.substr(0, 18), "rows 10 cols 110\n0");
  EXPECT_EQ(std::count(bytes.out.begin(), bytes.out.end(), '\t'), 10 * 110);
}

TEST(Cli, TypesIntoCellsAndEscapesWhatItPrints) {
  Result r = run({"set=2,1,R1,x\\y\ty\xE8", "set=9,9,last", "print"});
  EXPECT_EQ(r.status, 0);
  std::istringstream lines(r.out);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  std::getline(lines, line);
  EXPECT_EQ(line, "1\t\t\tR1,x\\\\y\\ty\xE8\t\t\t\t\t\t\t");
  EXPECT_NE(r.out.find("9\t\t\t\t\t\t\t\t\t\tlast\n"), std::string::npos);
}

TEST(Cli, BadUsageExitsWithTwoBeforeRunningAnything) {
  for (std::vector<std::string> words :
       std::vector<std::vector<std::string>>{{"print", "frobnicate"},
                                             {"--rep"},
                                             {"--colour", "print"},
                                             {"--decimal-separator", ";", "print"},
                                             {"print=everything"},
                                             {"set=1,1"},
                                             {"delete=a-b"},
                                             {},
                                             {"--english"}}) {
    Result r = run(words);
    EXPECT_EQ(r.status, 2) << words.size();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: brisel-cli"), std::string::npos);
  }
}

TEST(Cli, CellsOutsideTheTableAreBadUsage) {
  for (const char* word : {"set=0,1,x", "set=1,0,x", "set=10,1,x", "set=1,10,x", "reference=10",
                           "reference=0", "sort=0", "sort=10", "delete=3-10", "delete=5-3"}) {
    Result r = run({"print=buttons", word, "print"});
    EXPECT_EQ(r.status, 2) << word;
    EXPECT_EQ(r.out, "Button17 enabled\nBU_FootPrint disabled\n") << word;
  }
}

TEST(Cli, TheEndToEndProgramPrintsTheFreshTable) {
  testing::TempDir dir;
  int status = testing::runCommand(std::string("\"") + BRISEL_CLI + "\" --english print",
                                   dir / "out", dir / "err");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing::readFile(dir / "out"), emptyTable(10));
  EXPECT_EQ(
      testing::runCommand(std::string("\"") + BRISEL_CLI + "\" nonsense", dir / "out", dir / "err"),
      2);
}

}  // namespace
}  // namespace brisel
