#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "output/operations.h"
#include "tests/output_fixture.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

namespace brisel {
namespace {

using testing::fillRow;
using testing::rowText;

class ZirkanViewer : public ::testing::Test {
 protected:
  void SetUp() override { controls.Edit9 = dir / "IN.ZRK"; }
  Outcome view(std::string_view bytes) {
    testing::writeFile(controls.Edit9, bytes);
    return view();
  }
  Outcome view() {
    Progress progress;
    return viewZirkan(workspace, controls, progress);
  }
  Grid& table() { return workspace.StringGrid1; }

  testing::TempDir dir;
  Workspace workspace;
  Controls controls;
};

struct SplitCase {
  std::string_view line;
  std::string row;  // columns 0 to 9 of row 1
};

TEST_F(ZirkanViewer, SplitsEachLineIntoSixWords) {
  const SplitCase cases[] = {
      {"R1 0805 10K 12.50 3.25 90 \r\n\r", "|1|R1|10K||12.50|3.25|90 \n|0805|"},
      {"R1  10K 12.50 3.25 90 \r\n\r", "|1|R1|10K||12.50|3.25|90 \n||"},
      {"R1 10K\n", "|1|R1|||||10K\n||"},
      {"R1 10K", "|1|R1|||||10K||"},
      {"R1 0805 10K 1% 12.50 3.25 90 \n", "|1|R1|10K||1%|12.50|3.25 90 \n|0805|"},
      {"R1 a b c d e f g\n", "|1|R1|b||c|d|e f g\n|a|"},
  };
  for (const SplitCase& c : cases) {
    workspace = Workspace();
    EXPECT_EQ(view(c.line).messages, std::vector{kSuccessMessage});
    EXPECT_EQ(rowText(table(), 1), c.row) << c.line;
    EXPECT_EQ(table().RowCount(), 11);
  }
}

TEST_F(ZirkanViewer, SkippedLinesUseNoRowNumber) {
  view(" R0 lead space\n\nNOSPACE\nR1 A B 1 2 3 \r\n\r\r\nR2 C D 4 5 6 \r\n\r");
  EXPECT_EQ(rowText(table(), 1), "|1|R1|B||1|2|3 \n|A|");
  EXPECT_EQ(rowText(table(), 2), "|2|R2|D||4|5|6 \n|C|");
  EXPECT_EQ(rowText(table(), 3), "|||||||||");
  EXPECT_EQ(table().RowCount(), 12);
}

TEST_F(ZirkanViewer, ALongLineIsReadAsTwo) {
  std::string line = "R1 " + std::string(96, 'x') + "R2 " + std::string(47, 'y') + "\n";
  ASSERT_EQ(line.size(), 150u);
  view(line);
  EXPECT_EQ(table().cell(2, 1), "R1");
  EXPECT_EQ(table().cell(7, 1), std::string(96, 'x'));
  EXPECT_EQ(table().cell(1, 2), "2");
  EXPECT_EQ(table().cell(2, 2), "R2");
  EXPECT_EQ(table().cell(7, 2), std::string(47, 'y') + "\n");
}

TEST_F(ZirkanViewer, KeepsWhatItDoesNotWriteAndOnlyGrowsTheTable) {
  fillRow(table(), 1, {"9", "OLD", "OLD", "four", "9", "9", "9", "eight", "nine"});
  table().setCell(0, 1, "zero");
  fillRow(table(), 7, {"7", "R7"});
  view("R1 A B 1 2 3 \nR2 A B 1 2 3 \nR3 A B 1 2 3 \nR4 A B 1 2 3 \nR5 A B 1 2 3 \n");
  EXPECT_EQ(table().RowCount(), 15);
  EXPECT_EQ(rowText(table(), 1), "zero|1|R1|B||1|2|3 \n|A|");
  EXPECT_EQ(rowText(table(), 7), "|7|R7|||||||");
  table().setRowCount(40);
  view("R1 A B 1 2 3 \n");
  EXPECT_EQ(table().RowCount(), 40);
}

TEST_F(ZirkanViewer, AnEmptyFileChangesNoCellButEmptiesTheMemo) {
  fillRow(table(), 1, {"1", "R1"});
  workspace.Memo1 = {"earlier"};
  workspace.Button17Enabled = false;
  EXPECT_EQ(view("").messages, std::vector{kSuccessMessage});
  EXPECT_EQ(rowText(table(), 1), "|1|R1|||||||");
  EXPECT_TRUE(workspace.Memo1.empty());
  EXPECT_TRUE(workspace.Button17Enabled);
  EXPECT_FALSE(workspace.BU_FootPrintEnabled);
}

TEST_F(ZirkanViewer, AFileThatCannotBeOpenedChangesNothing) {
  workspace.Memo1 = {"earlier"};
  workspace.Button17Enabled = false;
  fs::create_directory(dir / "folder");
  for (const fs::path& missing : {dir / "NONE.ZRK", dir / "folder", fs::path()}) {
    controls.Edit9 = missing;
    Outcome outcome = view();
    EXPECT_EQ(outcome.messages, std::vector{kOpenErrorMessage});
    EXPECT_EQ(outcome.unopened, missing);
    EXPECT_EQ(workspace.Memo1, std::vector<std::string>{"earlier"});
    EXPECT_FALSE(workspace.Button17Enabled);
  }
}

// A huge file used to grow the table without end.
TEST_F(ZirkanViewer, StopsAtTheLargestTable) {
  std::string file;
  for (int i = 0; i < 65537; ++i) file += "R A B 1 2 3 \n";
  Outcome outcome = view(file);
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.messages[0].text, "File troppo lungo: mostrati solo i primi 65535 componenti");
  EXPECT_EQ(outcome.messages[1], kSuccessMessage);
  EXPECT_EQ(table().RowCount(), 65535 + 10);
  EXPECT_EQ(table().cell(1, 65535), "65535");
}

TEST_F(ZirkanViewer, ReadsBackWhatTheWriterWrote) {
  Workspace source;
  fillRow(source.StringGrid1, 1, {"1", "R1", "10K", "", "12.5", "3.25", "90", "0805"});
  fillRow(source.StringGrid1, 2, {"2", "R2", "", "", "1.115", "-2", "-90", ""});
  fillRow(source.StringGrid1, 4, {"4", "U1", "LM358", "", "100", "200", "270", "SOIC8"});
  Progress progress;
  writeZirkan(source, controls, progress);
  view();
  EXPECT_EQ(rowText(table(), 1), "|1|R1|10K||12.50|3.25|90 \n|0805|");
  EXPECT_EQ(rowText(table(), 2), "|2|R2|NM||1.12|-2.00|65446 \n||");
  EXPECT_EQ(rowText(table(), 3), "|3|U1|LM358||100.00|200.00|270 \n|SOIC8|");
  EXPECT_EQ(rowText(table(), 4), "|||||||||");
  EXPECT_EQ(table().RowCount(), 13);
}

}  // namespace
}  // namespace brisel
